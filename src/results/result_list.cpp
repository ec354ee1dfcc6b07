#include "results/result_list.h"

#include <algorithm>

#include "runtime/codepage.h"

namespace panscout {

const Text& ResultRow::Field(ResultField field) const {
  switch (field) {
    case ResultField::kName: return name;
    case ResultField::kSize: return size;
    case ResultField::kSource: return source;
    case ResultField::kAddress: break;
  }
  return address;
}

Text& ResultRow::Field(ResultField field) {
  return const_cast<Text&>(static_cast<const ResultRow&>(*this).Field(field));
}

std::vector<ResultColumn> ColumnsOf(ResultLayout layout, bool withSource) {
  std::vector<ResultColumn> columns = {{ResultField::kName, Gbk("资源文件名称"), 180},
                                       {ResultField::kSize, Gbk("文件大小"), 160},
                                       {ResultField::kAddress, Gbk("地址"), 200}};
  if (layout == ResultLayout::kTorrent) columns.erase(columns.begin() + 1);
  if (withSource) columns.push_back({ResultField::kSource, Gbk("来源"), 72});
  return columns;
}

ResultList::ResultList() : columns_(ColumnsOf(layout_)), status_(Gbk("状态：")) {}

template <typename Call>
void ResultList::Notify(Call call) {
  // Copy: an observer may unregister itself while being told.
  auto observers = observers_;
  for (auto* o : observers) call(*o);
}

void ResultList::ClearRows() {
  rows_.clear();
  selected_ = -1;
  Notify([](ResultListObserver& o) { o.OnRowsCleared(); });
}

int ResultList::AppendRow() { return AppendRow(ResultRow{}); }

int ResultList::AppendRow(const ResultRow& row) {
  rows_.push_back(row);
  int index = RowCount() - 1;
  Notify([index](ResultListObserver& o) { o.OnRowAppended(index); });
  return index;
}

void ResultList::SetField(int row, ResultField field, const Text& text) {
  if (row < 0 || row >= RowCount()) return;
  rows_[row].Field(field) = text;
  int column = ColumnOf(field);
  Notify([row, column](ResultListObserver& o) { o.OnCellChanged(row, column); });
}

const ResultRow& ResultList::Row(int row) const {
  static const ResultRow kNone;
  return row >= 0 && row < RowCount() ? rows_[row] : kNone;
}

void ResultList::SetLayout(ResultLayout layout) { SetColumns(layout, withSource_); }

void ResultList::SetSourceColumn(bool shown) { SetColumns(layout_, shown); }

void ResultList::SetColumns(ResultLayout layout, bool withSource) {
  if (layout == layout_ && withSource == withSource_) return;
  layout_ = layout;
  withSource_ = withSource;
  columns_ = ColumnsOf(layout, withSource);
  Notify([](ResultListObserver& o) { o.OnColumnsChanged(); });
}

int ResultList::ColumnOf(ResultField field) const {
  for (int column = 0; column < ColumnCount(); ++column) {
    if (columns_[column].field == field) return column;
  }
  return -1;
}

Text ResultList::CellText(int row, int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  return Row(row).Field(columns_[column].field);
}

void ResultList::SetSelectedRow(int row) { selected_ = (row >= 0 && row < RowCount()) ? row : -1; }

void ResultList::SetStatus(const Text& text) {
  status_ = text;
  Notify([](ResultListObserver& o) { o.OnStatusChanged(); });
}

void ResultList::AddObserver(ResultListObserver* observer) { observers_.push_back(observer); }

void ResultList::RemoveObserver(ResultListObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace panscout
