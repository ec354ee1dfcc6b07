#include "results/result_list.h"

#include <algorithm>

#include "runtime/codepage.h"

namespace panscout {

ResultList::ResultList()
    : columns_{{Gbk("资源文件名称"), 180}, {Gbk("文件大小"), 160}, {Gbk("地址"), 200}},
      status_(Gbk("状态：")) {}

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

int ResultList::AppendRow() {
  rows_.emplace_back(columns_.size());
  int row = RowCount() - 1;
  Notify([row](ResultListObserver& o) { o.OnRowAppended(row); });
  return row;
}

void ResultList::SetCell(int row, int column, const Text& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
  rows_[row][column] = text;
  Notify([row, column](ResultListObserver& o) { o.OnCellChanged(row, column); });
}

Text ResultList::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return {};
  return rows_[row][column];
}

void ResultList::InsertColumn(int index, const Text& caption, int width) {
  index = std::clamp(index, 0, ColumnCount());
  columns_.insert(columns_.begin() + index, {caption, width});
  for (auto& row : rows_) row.insert(row.begin() + index, Text());
  Notify([](ResultListObserver& o) { o.OnColumnsChanged(); });
}

void ResultList::DeleteColumn(int index) {
  if (index < 0 || index >= ColumnCount()) return;
  columns_.erase(columns_.begin() + index);
  for (auto& row : rows_) row.erase(row.begin() + index);
  Notify([](ResultListObserver& o) { o.OnColumnsChanged(); });
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
