// The result list as a user works with it in the start window: sorting,
// the filter, selecting, copying, exporting, the row actions through a
// sorted and filtered view, a growing window and what the next run keeps.

#include <QClipboard>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStringListModel>
#include <sys/stat.h>

#include "app/gui/result_view_model.h"
#include "app/search_history.h"
#include "gui/start_window_fixture.h"

namespace panscout {
namespace {

using testing::AnswerNextModal;
using testing::CloseNextMenu;

class ResultListViewTest : public StartWindowTest {
 protected:
  void SetUp() override {
    StartWindowTest::SetUp();
    state.searchMode = kNetDiskMode;
    state.sourceNumber = 4;
  }

  QTreeView* List() { return Find<QTreeView>("超级列表框1"); }
  QLineEdit* FilterLine() { return Find<QLineEdit>("筛选框"); }
  QString Status() { return Find<QStatusBar>("状态条1")->findChild<QLabel*>()->text(); }

  // One column as the view shows it, top to bottom.
  QStringList Shown(int column) {
    QStringList cells;
    for (int row = 0; row < List()->model()->rowCount(); ++row) {
      cells << List()->model()->index(row, column).data().toString();
    }
    return cells;
  }

  void ClickHeader(int column) {
    QHeaderView* header = List()->header();
    QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
  }

  void ClickRow(int row, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, keys,
                      List()->visualRect(List()->model()->index(row, 0)).center());
  }

  // Keys go where the focus is; a closed dialog may leave the window without it.
  void Keys(int key, Qt::KeyboardModifiers keys = Qt::ControlModifier) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : List(), static_cast<Qt::Key>(key), keys);
  }

  // Ctrl+S, then the file dialog answered with `path`; `then` runs once it has.
  std::shared_ptr<testing::SeenBox> ExportThroughDialog(const QString& path,
                                                        std::function<void()> then = nullptr) {
    auto dialog = AnswerNextModal(QMessageBox::Ok, [path, then](QWidget* modal) {
      // Typed into the name box, as a user does.
      modal->findChild<QLineEdit*>("fileNameEdit")->setText(path);
      static_cast<QDialog*>(qobject_cast<QFileDialog*>(modal))->accept();
      if (then) then();
    });
    Keys(Qt::Key_S);
    return dialog;
  }

  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  void AddHits() {
    for (auto cells : {std::initializer_list<const char*>{"上海.rar", "1.2 GB", "http://x/0"},
                       {"北京.rar", "不详", "http://x/1"},
                       {"成都, \"四川\".zip", "700 KB", "http://x/2"},
                       {"Abc.rar", "1.5MB", "http://x/3"},
                       {"安徽.iso", "坏了", "http://x/4"},
                       {"广州.rar", "2 mb", "http://x/5"}}) {
      AddRow(cells);
    }
  }
};

TEST_F(ResultListViewTest, HeaderClicksSortAscendingDescendingThenInArrivalOrder) {
  AddHits();
  const QStringList arrival = Shown(2);
  const std::pair<int, QStringList> clicks[] = {
      {1, {"http://x/2", "http://x/3", "http://x/5", "http://x/0", "http://x/1", "http://x/4"}},
      {1, {"http://x/0", "http://x/5", "http://x/3", "http://x/2", "http://x/1", "http://x/4"}},
      {1, arrival},
      // Pinyin order: an, bei, cheng, guang, shang; Latin after Han.
      {0, {"http://x/4", "http://x/1", "http://x/2", "http://x/5", "http://x/0", "http://x/3"}},
      {0, {"http://x/3", "http://x/0", "http://x/5", "http://x/2", "http://x/1", "http://x/4"}},
  };
  for (const auto& [column, order] : clicks) {
    ClickHeader(column);
    EXPECT_EQ(Shown(2), order) << column;
  }
  EXPECT_EQ(List()->header()->sortIndicatorSection(), 0);
  EXPECT_EQ(List()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
  // A hit arriving later takes its place in the order.
  AddRow({"阿里.rar", "1 KB", "http://x/6"});
  EXPECT_EQ(Shown(2).back(), "http://x/6");
}

TEST_F(ResultListViewTest, FilterWordsMustAllOccurAndExcludedWordsMustNot) {
  AddHits();
  AddRow({"Movie 2024 HD.mkv", "1 GB", "http://x/6"});
  AddRow({"movie sample.mkv", "1 MB", "http://x/7"});
  QTest::keyClick(List(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(FilterLine()->isVisible());
  EXPECT_TRUE(FilterLine()->hasFocus());
  EXPECT_EQ(FilterLine()->geometry(), QRect(112, 400, 432, 24));
  EXPECT_EQ(List()->geometry(), QRect(112, 136, 432, 262));
  EXPECT_LT(FilterLine()->geometry().bottom(), Find<QStatusBar>("状态条1")->geometry().top());

  const std::pair<const char*, QStringList> filters[] = {
      {"rar", {U("上海.rar"), U("北京.rar"), "Abc.rar", U("广州.rar")}},
      {"RAR -上海 -abc", {U("北京.rar"), U("广州.rar")}},
      {"movie mkv", {"Movie 2024 HD.mkv", "movie sample.mkv"}},
      {"MOVIE　-SAMPLE", {"Movie 2024 HD.mkv"}},
      {"-", Shown(0)},
      {"nothing", {}},
  };
  for (const auto& [text, names] : filters) {
    FilterLine()->clear();
    FilterLine()->insert(U(text));
    EXPECT_EQ(Shown(0), names) << text;
    EXPECT_EQ(Status(), U("状态：显示 %1 / 8 条").arg(names.size())) << text;
  }
  Keys(Qt::Key_Escape, {});
  EXPECT_FALSE(FilterLine()->isVisible());
  EXPECT_TRUE(FilterLine()->text().isEmpty());
  EXPECT_EQ(Shown(0).size(), 8);
  EXPECT_EQ(Status(), U("状态："));
  EXPECT_EQ(List()->geometry(), QRect(112, 136, 432, 288));
}

TEST_F(ResultListViewTest, ANewSearchKeepsTheFilterTextAndFiltersItsHits) {
  AddHits();
  QTest::keyClick(List(), Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(FilterLine(), "rar");
  results.ClearRows();
  EXPECT_EQ(FilterLine()->text(), "rar");
  EXPECT_EQ(Status(), U("状态：显示 0 / 0 条"));
  AddHits();
  EXPECT_EQ(Shown(2), QStringList({"http://x/0", "http://x/1", "http://x/3", "http://x/5"}));
  EXPECT_EQ(Status(), U("状态：显示 4 / 6 条"));
}

TEST_F(ResultListViewTest, CopiesTheSelectedRowsInTheOrderShown) {
  AddHits();
  ClickHeader(1);
  // Chosen out of order: the copy is in the order shown all the same.
  ClickRow(5);
  ClickRow(1, Qt::ControlModifier);
  ClickRow(3, Qt::ControlModifier | Qt::ShiftModifier);
  Keys(Qt::Key_C);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "http://x/3\nhttp://x/5\nhttp://x/0\nhttp://x/4");
  for (QAction* action : window->findChildren<QAction*>()) {
    if (action->text() == U("复制名称")) action->trigger();
  }
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("Abc.rar\n广州.rar\n上海.rar\n安徽.iso"));
  Keys(Qt::Key_A);
  Keys(Qt::Key_C);
  EXPECT_EQ(QGuiApplication::clipboard()->text().split('\n'), Shown(2));
}

// The fields of a CSV text, RFC 4180 quoting undone.
std::vector<QStringList> ParseCsv(const QString& text) {
  std::vector<QStringList> rows(1, QStringList{""});
  bool quoted = false;
  for (int i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      rows.back().back() += c;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      rows.back() << "";
    } else if (!quoted && text.mid(i, 2) == "\r\n") {
      rows.push_back({""});
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  rows.pop_back();  // after the last line end
  return rows;
}

TEST_F(ResultListViewTest, ExportsTheShownRowsInTheShownOrderAsCsvOrJson) {
  AddHits();
  ClickHeader(1);
  QTest::keyClick(List(), Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(FilterLine(), "-iso");
  QTemporaryDir dir;
  QString csvPath = dir.filePath(U("结果.csv"));
  auto dialog = ExportThroughDialog(csvPath);
  ASSERT_TRUE(dialog->seen);
  EXPECT_EQ(dialog->title, U("导出结果"));
  std::vector<QStringList> rows = ParseCsv(QString::fromUtf8(ReadFile(csvPath)));
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], QStringList({"name", "size", "address"}));
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(rows[row + 1], QStringList({Shown(0)[row], Shown(1)[row], Shown(2)[row]})) << row;
  }

  QTest::mouseClick(ToolbarButton("工具条1", "种子搜索"), Qt::LeftButton);
  AddRow({"t2", "http://x/t2"});
  AddRow({"t1", "http://x/t1"});
  ClickHeader(0);
  QString jsonPath = dir.filePath("r.JSON");
  ASSERT_TRUE(ExportThroughDialog(jsonPath)->seen);
  QJsonArray hits = QJsonDocument::fromJson(ReadFile(jsonPath)).array();
  ASSERT_EQ(hits.size(), 2);
  EXPECT_EQ(hits[0].toObject(), QJsonObject({{"name", "t1"}, {"address", "http://x/t1"}}));
  EXPECT_EQ(hits[1].toObject(), QJsonObject({{"name", "t2"}, {"address", "http://x/t2"}}));
}

TEST_F(ResultListViewTest, AFailedExportIsToldAndLeavesNoFile) {
  AddHits();
  QTemporaryDir dir;
  QString path = dir.filePath("missing/r.csv");
  auto error = std::make_shared<std::shared_ptr<testing::SeenBox>>();
  ExportThroughDialog(path, [error] { *error = AnswerNextModal(); });
  ASSERT_TRUE(*error && (*error)->seen);
  EXPECT_EQ((*error)->title, U("导出结果"));
  EXPECT_TRUE((*error)->text.contains(path));
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ResultListViewTest, RowActionsTakeTheRowClickedInASortedFilteredView) {
  AddHits();
  ClickHeader(1);
  ClickHeader(1);
  QTest::keyClick(List(), Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(FilterLine(), "rar");
  ASSERT_EQ(Shown(2), QStringList({"http://x/0", "http://x/5", "http://x/3", "http://x/1"}));
  DoubleClickRow(1);
  DoubleClickRow(3);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://x/5", "http://x/1"}));
  EXPECT_EQ(results.SelectedRow(), 1);

  state.sourceNumber = 2;
  auto dialog = AnswerNextModal();
  DoubleClickRow(2);
  ASSERT_TRUE(dialog->seen);
  EXPECT_EQ(dialog->title, "Abc.rar");
  EXPECT_EQ(pages.requested.back(), "http://x/3");
  auto menu = CloseNextMenu();
  RightClickRow(0);
  EXPECT_EQ(menu->first(), U("解析真实地址"));
  EXPECT_EQ(results.SelectedRow(), 0);
  auto fromMenu = AnswerNextModal();
  Find<QMenu>("菜单")->actions().first()->trigger();
  ASSERT_TRUE(fromMenu->seen);
  EXPECT_EQ(fromMenu->title, U("上海.rar"));
}

TEST_F(ResultListViewTest, AnEnlargedWindowGivesTheRoomToTheListAndTheWebStrip) {
  EXPECT_EQ(window->minimumSize(), QSize(554, 562));
  EXPECT_EQ(List()->header()->sectionResizeMode(0), QHeaderView::Interactive);
  struct Grown {
    const char* name;
    QRect opening, enlarged;
  };
  const Grown places[] = {
      {"超级列表框1", {112, 136, 432, 288}, {112, 136, 778, 426}},
      {"超文本浏览框2", {-8, 448, 664, 88}, {-8, 586, 1010, 88}},
      {"分组框2", {0, 0, 544, 96}, {0, 0, 890, 96}},
      {"分组框1", {0, 96, 112, 328}, {0, 96, 112, 466}},
      {"状态条1", {0, 426, 168, 20}, {0, 564, 168, 20}},
      {"超级链接框1", {176, 424, 352, 24}, {176, 562, 352, 24}},
      {"图片框1", {264, 208, 96, 96}, {437, 277, 96, 96}},
      {"搜索框", {120, 104, 176, 26}, {120, 104, 176, 26}},
      {"工具条2", {16, 110, 80, 312}, {16, 110, 80, 312}},
  };
  // The window refuses to be smaller than at opening; a window manager that
  // forces it smaller gets the opening layout, cut off.
  for (auto [size, forced] : {std::pair{QSize(900, 700), false}, {QSize(300, 300), false}, {QSize(300, 300), true}}) {
    if (forced) window->setMinimumSize(0, 0);
    window->resize(size);
    EXPECT_EQ(window->size(), forced || size.width() > 554 ? size : QSize(554, 562));
    QApplication::processEvents();
    for (const Grown& p : places) {
      EXPECT_EQ(Find<QWidget>(p.name)->geometry(), size.width() > 554 ? p.enlarged : p.opening) << p.name;
    }
  }
}

TEST_F(ResultListViewTest, TheNextRunOffersTheKeywordsAndKeepsSizeAndSort) {
  window->SetStartStopHandler([] {});
  auto* keyword = Find<QLineEdit>("搜索框");
  auto* start = Find<QPushButton>("按钮1");
  for (const char* typed : {"电影", "movie", "电影", ""}) {
    keyword->setText(U(typed));
    QTest::mouseClick(start, Qt::LeftButton);
  }
  // The press that stops a search is no new search.
  window->SetButtonCaption(Gbk("停止搜索"));
  keyword->setText("stopped");
  QTest::mouseClick(start, Qt::LeftButton);
  ClickHeader(1);
  window->resize(800, 700);
  window->close();
  QString file = configHome.path() + "/panscout/history.txt";
  struct stat st {};
  ASSERT_EQ(stat(QFile::encodeName(file).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  OpenWindow();
  EXPECT_EQ(window->size(), QSize(800, 700));
  EXPECT_EQ(List()->header()->sortIndicatorSection(), 1);
  EXPECT_EQ(List()->header()->sortIndicatorOrder(), Qt::AscendingOrder);
  keyword = Find<QLineEdit>("搜索框");
  auto* offered = qobject_cast<QStringListModel*>(keyword->completer()->model());
  ASSERT_NE(offered, nullptr);
  EXPECT_EQ(offered->stringList(), QStringList({U("电影"), "movie"}));
  QTest::mouseClick(keyword, Qt::LeftButton);
  EXPECT_TRUE(keyword->text().isEmpty());
  QTest::keyClicks(keyword, "MO");
  EXPECT_TRUE(keyword->completer()->popup()->isVisible());
  EXPECT_EQ(keyword->completer()->currentCompletion(), "movie");
  keyword->completer()->popup()->hide();

  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, {5, 5}, keyword->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(keyword, &menuEvent);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->actions().last()->text(), U("清除搜索历史"));
  menu->actions().last()->trigger();
  menu->close();
  EXPECT_TRUE(offered->stringList().isEmpty());
  EXPECT_TRUE(LoadHistory(QFile::encodeName(file).toStdString()).keywords.empty());
}

}  // namespace
}  // namespace panscout
