#include "app/gui/search_memory.h"

#include <QCompleter>
#include <QLineEdit>
#include <QMenu>
#include <QStringListModel>

#include "app/gui/qt_text.h"
#include "app/result_export.h"

namespace panscout {

SearchMemory::SearchMemory(std::filesystem::path file, QObject* parent)
    : QObject(parent), file_(std::move(file)), history_(LoadHistory(file_)),
      keywords_(new QStringListModel(this)) {
  keywords_->setStringList(Keywords());
}

void SearchMemory::AttachKeywordBox(QLineEdit* keywordBox) {
  auto* completer = new QCompleter(keywords_, keywordBox);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  completer->setModelSorting(QCompleter::UnsortedModel);
  completer->setMaxVisibleItems(kMaxRemembered);
  keywordBox->setCompleter(completer);

  keywordBox->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(keywordBox, &QWidget::customContextMenuRequested, this, [this, keywordBox](const QPoint& at) {
    QMenu* menu = keywordBox->createStandardContextMenu();
    menu->setObjectName(Ui("搜索框菜单"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* clear = menu->addAction(Ui("清除搜索历史"));
    clear->setEnabled(!history_.keywords.empty());
    connect(clear, &QAction::triggered, this, &SearchMemory::ClearKeywords);
    // As the box's own menu does: the box stays usable while it shows.
    menu->popup(keywordBox->mapToGlobal(at));
  });
}

void SearchMemory::RememberKeyword(const QString& keyword) {
  history_.Remember(keyword.toStdString());
  keywords_->setStringList(Keywords());
  Save();
}

void SearchMemory::ClearKeywords() {
  history_.keywords.clear();
  keywords_->setStringList({});
  Save();
}

QStringList SearchMemory::Keywords() const {
  QStringList keywords;
  for (const std::string& keyword : history_.keywords) keywords << QString::fromStdString(keyword);
  return keywords;
}

std::optional<QSize> SearchMemory::WindowSize() const {
  if (!history_.windowSize) return std::nullopt;
  return QSize(history_.windowSize->first, history_.windowSize->second);
}

void SearchMemory::RememberWindowSize(const QSize& size) {
  history_.windowSize = std::pair{size.width(), size.height()};
  Save();
}

std::optional<ViewSort> SearchMemory::Sort() const {
  if (!history_.sort) return std::nullopt;
  std::optional<ResultField> field = FieldNamed(history_.sort->field);
  if (!field) return std::nullopt;
  return ViewSort{*field, history_.sort->descending ? Qt::DescendingOrder : Qt::AscendingOrder};
}

void SearchMemory::RememberSort(const std::optional<ViewSort>& sort) {
  history_.sort.reset();
  if (sort) history_.sort = RememberedSort{FieldName(sort->field), sort->order == Qt::DescendingOrder};
  Save();
}

void SearchMemory::Save() {
  // A history that cannot be kept is no reason to trouble the user.
  (void)SaveHistory(file_, history_);
}

}  // namespace panscout
