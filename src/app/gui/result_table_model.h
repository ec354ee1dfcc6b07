#pragma once
// Shows the result list in the list view: rows appear as the search appends
// them, the columns follow the mode switches, and each row carries the mark
// of its link check: busy, a lock, or grey and struck through when dead.

#include <QAbstractTableModel>

#include "results/result_list.h"

namespace panscout {

class LinkMarks;

class ResultTableModel : public QAbstractTableModel, private ResultListObserver {
  Q_OBJECT
 public:
  ResultTableModel(ResultList& results, const LinkMarks& marks, QObject* parent = nullptr);
  ~ResultTableModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void columnsReplaced();

 private:
  void OnColumnsChanged() override;
  void OnRowsCleared() override;
  void OnRowAppended(int row) override;
  void OnCellChanged(int row, int column) override;

  ResultList& results_;
  const LinkMarks& marks_;
};

}  // namespace panscout
