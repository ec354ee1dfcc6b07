#pragma once
// A start window on its own, with a recording shell, no hit pages and a
// configuration directory of its own, and the clicks a user gives its list.

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include <memory>

#include "app/gui/link_marks.h"
#include "app/gui/start_window.h"
#include "app/link_cache.h"
#include "gui/gui_test_support.h"
#include "support/built_in_sources.h"
#include "runtime/codepage.h"

#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace panscout {

using testing::RecordingShell;
using testing::ScopedConfigHome;

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class NoPages : public HitPageDownload {
 public:
  Bytes Download(const Text& url, const std::function<bool()>&) override {
    requested.push_back(url);
    return {};
  }
  std::vector<Text> requested;
};

class StartWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenWindow(); }

  // A later run of the program, in the same configuration directory.
  void OpenWindow() {
    window = std::make_unique<StartWindow>(StartWindowServices{
        state, sources, results, shell, pages, realAddress, "http://blog.test/panscout", links});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  template <typename W>
  W* Find(const char* name) {
    W* widget = window->findChild<W*>(U(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QToolButton* ToolbarButton(const char* toolbar, const char* caption) {
    for (QAction* action : Find<QToolBar>(toolbar)->actions()) {
      if (action->text() == U(caption)) {
        return qobject_cast<QToolButton*>(Find<QToolBar>(toolbar)->widgetForAction(action));
      }
    }
    ADD_FAILURE() << caption;
    return nullptr;
  }

  QStringList Headers() {
    QStringList captions;
    auto* list = Find<QTreeView>("超级列表框1");
    for (int i = 0; i < list->model()->columnCount(); ++i) {
      captions << list->model()->headerData(i, Qt::Horizontal).toString() + ":" +
                      QString::number(list->header()->sectionSize(i));
    }
    return captions;
  }

  void AddRow(std::initializer_list<const char*> cells) {
    int row = results.AppendRow();
    int column = 0;
    for (const char* cell : cells) results.SetField(row, results.Columns()[column++].field, Gbk(cell));
  }

  void DoubleClickRow(int row) {
    auto* list = Find<QTreeView>("超级列表框1");
    QPoint at = row < 0 ? QPoint(10, list->viewport()->height() - 5)
                        : list->visualRect(list->model()->index(row, 0)).center();
    // A user's double-click starts with a whole click, which selects the row.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  void RightClickRow(int row) {
    auto* list = Find<QTreeView>("超级列表框1");
    QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
    // The context menu request follows the press.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &menuEvent);
  }

  ScopedConfigHome configHome;
  SearchState state;
  SourceTable sources = testing::BuiltInSources();
  ResultList results;
  RecordingShell shell;
  NoPages pages;
  Text realAddress;
  CookieStore cookies;
  LinkCache linkCache;
  LinkMarks links{results, cookies, {}, linkCache};
  std::unique_ptr<StartWindow> window;
};

}  // namespace panscout
