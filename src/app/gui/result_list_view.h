#pragma once
// The result list as the user works with it: the list view over the sorted
// and filtered rows, the filter line under it, the selection that the row
// actions read (always a row of the result list, however the view is
// ordered), and copying and exporting the rows shown.

#include <QObject>
#include <QRect>

#include <vector>

#include "app/gui/result_view_model.h"
#include "results/result_list.h"

class QAction;
class QLineEdit;
class QTreeView;
class QWidget;

namespace panscout {

class LinkMarks;

class ResultListView : public QObject {
  Q_OBJECT
 public:
  // The list and the filter line become children of `window`; the actions
  // take their shortcuts there.
  ResultListView(ResultList& results, const LinkMarks& marks, QWidget* window);

  QTreeView* list() const { return list_; }
  QLineEdit* filterLine() const { return filterLine_; }
  ResultViewModel& view() { return *view_; }
  // 复制地址, 复制名称, 导出结果…
  QList<QAction*> RowActions() const { return {copyAddresses_, copyNames_, export_}; }

  // The list fills `area`; a shown filter line takes its foot.
  void SetArea(const QRect& area);
  void ShowFilter();
  // Clears the filter too.
  void HideFilter();
  // "状态：显示 N / M 条" while the filter line shows; empty otherwise.
  QString FilterStatus() const;

  // The selected rows of the result list, in view order.
  std::vector<int> SelectedRows() const;
  void CopySelected(ResultField field) const;
  // Asks for a file, then writes the shown rows into it.
  void ExportWithDialog();
  // CSV, or JSON for a ".json" file; a failure is told in a message box.
  bool ExportShownRows(const QString& path);

 signals:
  void filterStatusChanged();

 private:
  void BuildActions(QWidget* window);
  void FollowSelection();
  void ShowSortIndicator();

  ResultList& results_;
  QTreeView* list_;
  QLineEdit* filterLine_;
  ResultViewModel* view_;
  QRect area_;
  QAction* copyAddresses_ = nullptr;
  QAction* copyNames_ = nullptr;
  QAction* export_ = nullptr;
};

}  // namespace panscout
