#pragma once
// What the list view shows of the result list: the rows the name filter
// lets through, in arrival order or sorted by one column. Sizes sort by
// their value with unknown sizes last either way, names as a Chinese reader
// orders them.

#include <QCollator>
#include <QSortFilterProxyModel>

#include <optional>
#include <vector>

#include "app/gui/name_filter.h"
#include "results/result_list.h"

namespace panscout {

struct ViewSort {
  ResultField field;
  Qt::SortOrder order;
};

class ResultViewModel : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  // `source` shows `results`.
  ResultViewModel(const ResultList& results, QAbstractItemModel* source, QObject* parent = nullptr);

  void SetFilter(const QString& text);
  // A header click: ascending, then descending, then arrival order again;
  // another column starts ascending.
  void CycleSort(int column);
  void SetSort(std::optional<ViewSort> sort);
  const std::optional<ViewSort>& Sort() const { return sort_; }

  // The list rows behind view rows, in view order.
  std::vector<int> SourceRows(const std::vector<int>& viewRows) const;
  std::vector<int> AllSourceRows() const;

 signals:
  void sortChanged();

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  void ApplySort();

  const ResultList& results_;
  NameFilter filter_;
  std::optional<ViewSort> sort_;
  QCollator collator_;
};

}  // namespace panscout
