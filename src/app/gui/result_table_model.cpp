#include "app/gui/result_table_model.h"

#include "app/gui/qt_text.h"

namespace panscout {

ResultTableModel::ResultTableModel(ResultList& results, QObject* parent)
    : QAbstractTableModel(parent), results_(results) {
  results_.AddObserver(this);
}

ResultTableModel::~ResultTableModel() { results_.RemoveObserver(this); }

int ResultTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : results_.RowCount();
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : results_.ColumnCount();
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    return ToQString(results_.CellText(index.row(), index.column()));
  }
  return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= results_.ColumnCount()) return {};
  if (role == Qt::DisplayRole) return ToQString(results_.Columns()[section].caption);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

void ResultTableModel::OnColumnsChanged() {
  beginResetModel();
  endResetModel();
  emit columnsReplaced();
}

void ResultTableModel::OnRowsCleared() {
  beginResetModel();
  endResetModel();
}

void ResultTableModel::OnRowAppended(int row) {
  // The list already holds the row; the view only has to be told.
  beginInsertRows({}, row, row);
  endInsertRows();
}

void ResultTableModel::OnCellChanged(int row, int column) {
  if (column < 0) return;
  QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::ToolTipRole});
}

}  // namespace panscout
