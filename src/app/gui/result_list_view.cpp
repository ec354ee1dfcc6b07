#include "app/gui/result_list_view.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

#include <algorithm>

#include "app/gui/qt_text.h"
#include "app/gui/result_table_model.h"
#include "app/gui/task_modal_box.h"
#include "app/result_export.h"
#include "app/temp_directory.h"

namespace panscout {

namespace {
constexpr int kFilterHeight = 24;
constexpr int kFilterGap = 2;
}  // namespace

ResultListView::ResultListView(ResultList& results, const LinkMarks& marks, QWidget* window)
    : QObject(window), results_(results), list_(new QTreeView(window)), filterLine_(new QLineEdit(window)) {
  list_->setObjectName(Ui("超级列表框1"));
  auto* table = new ResultTableModel(results_, marks, list_);
  view_ = new ResultViewModel(results_, table, list_);
  list_->setModel(view_);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  QHeaderView* header = list_->header();
  header->setStretchLastSection(false);
  header->setSectionsMovable(false);
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);
  connect(header, &QHeaderView::sectionClicked, view_, &ResultViewModel::CycleSort);

  // New columns come with their own widths, and the sorted field may have moved.
  auto applyColumns = [this] {
    const auto& columns = results_.Columns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
      list_->header()->resizeSection(i, columns[i].width);
    }
    ShowSortIndicator();
  };
  applyColumns();
  connect(table, &ResultTableModel::columnsReplaced, this, applyColumns);
  connect(view_, &ResultViewModel::sortChanged, this, &ResultListView::ShowSortIndicator);

  // The list follows the view's selection; a cleared list has none.
  connect(view_, &QAbstractItemModel::modelReset, this, [this] { results_.SetSelectedRow(-1); });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ResultListView::FollowSelection);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, &ResultListView::FollowSelection);

  filterLine_->setObjectName(Ui("筛选框"));
  filterLine_->setPlaceholderText(Ui("筛选名称：多个词用空格分开，-词 排除"));
  filterLine_->setClearButtonEnabled(true);
  filterLine_->hide();
  connect(filterLine_, &QLineEdit::textChanged, this, [this](const QString& text) {
    view_->SetFilter(text);
    emit filterStatusChanged();
  });
  // Rows arrive and go while the filter shows: the counts follow.
  for (QAbstractItemModel* model : std::initializer_list<QAbstractItemModel*>{table, view_}) {
    connect(model, &QAbstractItemModel::rowsInserted, this, &ResultListView::filterStatusChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ResultListView::filterStatusChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &ResultListView::filterStatusChanged);
  }
  BuildActions(window);
}

void ResultListView::BuildActions(QWidget* window) {
  auto add = [window](const QString& caption, const QKeySequence& keys) {
    auto* action = new QAction(caption, window);
    action->setShortcut(keys);
    window->addAction(action);
    return action;
  };
  copyAddresses_ = add(Ui("复制地址"), QKeySequence::Copy);
  connect(copyAddresses_, &QAction::triggered, this, [this] { CopySelected(ResultField::kAddress); });
  copyNames_ = add(Ui("复制名称"), {});
  connect(copyNames_, &QAction::triggered, this, [this] { CopySelected(ResultField::kName); });
  export_ = add(Ui("导出结果…"), QKeySequence::Save);
  connect(export_, &QAction::triggered, this, &ResultListView::ExportWithDialog);
  connect(add(Ui("筛选"), QKeySequence::Find), &QAction::triggered, this, &ResultListView::ShowFilter);
  auto* hide = add(Ui("关闭筛选"), Qt::Key_Escape);
  connect(hide, &QAction::triggered, this, &ResultListView::HideFilter);
}

void ResultListView::SetArea(const QRect& area) {
  area_ = area;
  if (filterLine_->isHidden()) {
    list_->setGeometry(area);
    return;
  }
  list_->setGeometry(area.adjusted(0, 0, 0, -(kFilterHeight + kFilterGap)));
  filterLine_->setGeometry(area.x(), area.bottom() + 1 - kFilterHeight, area.width(), kFilterHeight);
}

void ResultListView::ShowFilter() {
  filterLine_->show();
  SetArea(area_);
  filterLine_->setFocus(Qt::ShortcutFocusReason);
  filterLine_->selectAll();
  emit filterStatusChanged();
}

void ResultListView::HideFilter() {
  if (filterLine_->isHidden()) return;
  filterLine_->clear();
  filterLine_->hide();
  SetArea(area_);
  list_->setFocus(Qt::OtherFocusReason);
  emit filterStatusChanged();
}

QString ResultListView::FilterStatus() const {
  if (filterLine_->isHidden()) return {};
  return Ui("状态：显示 %1 / %2 条").arg(view_->rowCount()).arg(results_.RowCount());
}

std::vector<int> ResultListView::SelectedRows() const {
  std::vector<int> viewRows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) viewRows.push_back(index.row());
  std::sort(viewRows.begin(), viewRows.end());
  return view_->SourceRows(viewRows);
}

void ResultListView::CopySelected(ResultField field) const {
  std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  QStringList lines;
  for (int row : rows) lines << ToQString(results_.Row(row).Field(field));
  QGuiApplication::clipboard()->setText(lines.join('\n'));
}

void ResultListView::ExportWithDialog() {
  QFileDialog dialog(list_->window(), Ui("导出结果"));
  dialog.setObjectName(Ui("导出对话框"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({Ui("CSV 文件 (*.csv)"), Ui("JSON 文件 (*.json)")});
  dialog.setDefaultSuffix("csv");
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(filter.contains("json") ? "json" : "csv");
  });
  dialog.setDirectory(QDir::homePath());
  dialog.selectFile(Ui("搜索结果.csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  ExportShownRows(dialog.selectedFiles().first());
}

bool ResultListView::ExportShownRows(const QString& path) {
  std::vector<int> rows = view_->AllSourceRows();
  bool json = QFileInfo(path).suffix().compare("json", Qt::CaseInsensitive) == 0;
  std::string text = json ? FormatRowsJson(results_, rows) : FormatRowsCsv(results_, rows);
  std::optional<std::string> error = ReplaceFile(QFile::encodeName(path).toStdString(), Bytes(std::move(text)));
  if (!error) return true;
  TaskModalBox(QMessageBox::Warning, Ui("导出结果"),
               Ui("无法写入 %1：\n%2").arg(path, QString::fromStdString(*error)), QMessageBox::Ok);
  return false;
}

void ResultListView::FollowSelection() {
  QItemSelectionModel* selection = list_->selectionModel();
  QModelIndex current = selection->currentIndex();
  int row = -1;
  // The row last clicked, when it is selected, is the one the actions mean.
  if (current.isValid() && selection->isRowSelected(current.row(), {})) {
    row = view_->mapToSource(current).row();
  } else if (std::vector<int> rows = SelectedRows(); !rows.empty()) {
    row = rows.front();
  }
  results_.SetSelectedRow(row);
}

void ResultListView::ShowSortIndicator() {
  const std::optional<ViewSort>& sort = view_->Sort();
  int column = sort ? results_.ColumnOf(sort->field) : -1;
  list_->header()->setSortIndicator(column, sort ? sort->order : Qt::AscendingOrder);
}

}  // namespace panscout
