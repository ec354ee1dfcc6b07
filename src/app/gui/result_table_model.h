#pragma once
// Shows the result list in the list view: rows appear as the search appends
// them, and the columns follow the mode switches.

#include <QAbstractTableModel>

#include "results/result_list.h"

namespace panscout {

class ResultTableModel : public QAbstractTableModel, private ResultListObserver {
  Q_OBJECT
 public:
  explicit ResultTableModel(ResultList& results, QObject* parent = nullptr);
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
};

}  // namespace panscout
