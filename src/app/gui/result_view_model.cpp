#include "app/gui/result_view_model.h"

#include "app/gui/qt_text.h"
#include "results/size_value.h"

namespace panscout {

ResultViewModel::ResultViewModel(const ResultList& results, QAbstractItemModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), results_(results), collator_(QLocale(QLocale::Chinese, QLocale::China)) {
  setSourceModel(source);
  collator_.setNumericMode(true);
  // A mode switch moves the columns under the sorted field.
  connect(source, &QAbstractItemModel::modelReset, this, &ResultViewModel::ApplySort);
}

void ResultViewModel::SetFilter(const QString& text) {
  filter_ = NameFilter(text);
  invalidateRowsFilter();
}

void ResultViewModel::CycleSort(int column) {
  if (column < 0 || column >= results_.ColumnCount()) return;
  ResultField field = results_.Columns()[column].field;
  if (!sort_ || sort_->field != field) {
    SetSort(ViewSort{field, Qt::AscendingOrder});
  } else if (sort_->order == Qt::AscendingOrder) {
    SetSort(ViewSort{field, Qt::DescendingOrder});
  } else {
    SetSort(std::nullopt);
  }
}

void ResultViewModel::SetSort(std::optional<ViewSort> sort) {
  sort_ = sort;
  ApplySort();
  emit sortChanged();
}

void ResultViewModel::ApplySort() {
  int column = sort_ ? results_.ColumnOf(sort_->field) : -1;
  // Column -1 gives the arrival order back.
  sort(column, column < 0 ? Qt::AscendingOrder : sort_->order);
}

std::vector<int> ResultViewModel::SourceRows(const std::vector<int>& viewRows) const {
  std::vector<int> rows;
  for (int row : viewRows) rows.push_back(mapToSource(index(row, 0)).row());
  return rows;
}

std::vector<int> ResultViewModel::AllSourceRows() const {
  std::vector<int> viewRows(rowCount());
  for (int row = 0; row < rowCount(); ++row) viewRows[row] = row;
  return SourceRows(viewRows);
}

bool ResultViewModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return filter_.IsEmpty() || filter_.Matches(ToQString(results_.Row(sourceRow).name));
}

bool ResultViewModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const ResultRow& a = results_.Row(left.row());
  const ResultRow& b = results_.Row(right.row());
  switch (sort_->field) {
    case ResultField::kSize: {
      std::optional<double> x = SizeInBytes(a.size), y = SizeInBytes(b.size);
      if (x && y) return *x < *y;
      if (!x && !y) return false;
      // Unknown sizes go last either way; a descending sort swaps the operands.
      return x.has_value() == (sortOrder() == Qt::AscendingOrder);
    }
    case ResultField::kName:
    case ResultField::kSource:
      return collator_.compare(ToQString(a.Field(sort_->field)), ToQString(b.Field(sort_->field))) < 0;
    case ResultField::kAddress: break;
  }
  return a.address < b.address;
}

}  // namespace panscout
