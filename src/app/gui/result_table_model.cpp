#include "app/gui/result_table_model.h"

#include <QColor>
#include <QFont>

#include "app/gui/link_marks.h"
#include "app/gui/qt_text.h"

namespace panscout {

ResultTableModel::ResultTableModel(ResultList& results, const LinkMarks& marks, QObject* parent)
    : QAbstractTableModel(parent), results_(results), marks_(marks) {
  results_.AddObserver(this);
  connect(&marks_, &LinkMarks::changed, this, [this] {
    if (rowCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                     {Qt::ToolTipRole, Qt::DecorationRole, Qt::ForegroundRole, Qt::FontRole});
  });
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
  auto text = [&] { return ToQString(results_.CellText(index.row(), index.column())); };
  if (role == Qt::DisplayRole) return text();
  const LinkMark* mark = marks_.Find(results_.Row(index.row()).address);
  if (role == Qt::ToolTipRole) return mark ? text() + "\n" + LinkMarks::Describe(*mark) : text();
  if (!mark) return {};
  const bool name = index.column() == results_.ColumnOf(ResultField::kName);
  const bool dead = mark->state && mark->state->verdict == LinkVerdict::kDead;
  if (role == Qt::DecorationRole && name) return marks_.Picture(*mark);
  if (role == Qt::ForegroundRole && dead) return QColor(Qt::gray);
  if (role == Qt::FontRole && dead && name) {
    QFont font;
    font.setStrikeOut(true);
    return font;
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
