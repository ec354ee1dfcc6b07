#pragma once
// The window's side of the search history: the keyword box's completer and
// its "清除搜索历史" item, and the size and sort order kept for the next
// run. Every change is written to the history file at once.

#include <QObject>
#include <QSize>

#include <filesystem>
#include <optional>

#include "app/gui/result_view_model.h"
#include "app/search_history.h"

class QLineEdit;
class QStringListModel;

namespace panscout {

class SearchMemory : public QObject {
  Q_OBJECT
 public:
  SearchMemory(std::filesystem::path file, QObject* parent = nullptr);

  // Completes from the kept keywords, newest first, and adds the clearing
  // item to the box's context menu.
  void AttachKeywordBox(QLineEdit* keywordBox);

  void RememberKeyword(const QString& keyword);
  void ClearKeywords();
  QStringList Keywords() const;

  std::optional<QSize> WindowSize() const;
  void RememberWindowSize(const QSize& size);
  std::optional<ViewSort> Sort() const;
  void RememberSort(const std::optional<ViewSort>& sort);

 private:
  void Save();

  std::filesystem::path file_;
  SearchHistory history_;
  QStringListModel* keywords_;
};

}  // namespace panscout
