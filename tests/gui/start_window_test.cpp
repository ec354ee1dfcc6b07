#include "app/gui/start_window.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/gui/busy_indicator.h"
#include "gui/gui_test_support.h"
#include "gui/start_window_fixture.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

using testing::WaitDispatching;

using testing::AnswerNextModal;
using testing::CloseNextMenu;

TEST_F(StartWindowTest, EveryControlHasItsPlaceSizeAndInitialState) {
  EXPECT_EQ(window->size(), QSize(554, 562));
  EXPECT_EQ(window->pos(), QPoint(50, 50));
  EXPECT_FALSE(window->windowTitle().isEmpty());
  EXPECT_FALSE(window->windowIcon().isNull());

  struct Place {
    const char* name;
    QRect geometry;
    bool visible;
  };
  const Place places[] = {
      {"分组框2", {0, 0, 544, 96}, true},        {"工具条1", {8, 16, 528, 69}, true},
      {"超级按钮2", {184, 19, 56, 70}, true},    {"超级按钮1", {248, 16, 288, 72}, true},
      {"超文本浏览框3", {488, 464, 32, 24}, true}, {"超文本浏览框1", {464, 72, 72, 16}, false},
      {"编辑框2", {520, 72, 16, 16}, false},     {"分组框1", {0, 96, 112, 328}, true},
      {"工具条2", {16, 110, 80, 312}, true},     {"搜索框", {120, 104, 176, 26}, true},
      {"按钮1", {304, 104, 56, 24}, true},       {"标签1", {368, 104, 176, 24}, true},
      {"超级列表框1", {112, 136, 432, 288}, true}, {"图片框1", {264, 208, 96, 96}, false},
      {"超级链接框1", {176, 424, 352, 24}, true}, {"状态条1", {0, 426, 168, 20}, true},
      {"编辑框1", {312, 432, 24, 16}, false},    {"超文本浏览框2", {-8, 448, 664, 88}, true},
  };
  // The web views come once the window has painted.
  QTRY_VERIFY(Find<QWidget>("超文本浏览框2")->isVisible());
  for (const Place& p : places) {
    QWidget* w = Find<QWidget>(p.name);
    if (!w) continue;
    EXPECT_EQ(w->geometry(), p.geometry) << p.name;
    EXPECT_EQ(w->isVisible(), p.visible) << p.name;
  }
  // The pop-up host lies outside its frame, so nothing of it can be seen.
  EXPECT_EQ(Find<QWidget>("超文本浏览框3")->parentWidget(), Find<QWidget>("分组框2"));
  EXPECT_TRUE(Find<QWidget>("超文本浏览框3")->visibleRegion().isEmpty());
  EXPECT_TRUE(Find<QGroupBox>("分组框1")->title().isEmpty());

  EXPECT_EQ(Find<QLineEdit>("搜索框")->text(), U("关键字"));
  EXPECT_EQ(Find<QPushButton>("按钮1")->text(), U("开始搜索"));
  EXPECT_EQ(Find<QLabel>("标签1")->text(), U("双击搜索出来的资源，打开下载"));
  EXPECT_EQ(Find<QLabel>("超级链接框1")->text(), U("广告招租中.."));
  EXPECT_EQ(window->ticker(), Find<QLabel>("超级链接框1"));
  EXPECT_EQ(Find<QToolButton>("超级按钮2")->text(), U("关于作者"));
  EXPECT_EQ(Find<QToolButton>("超级按钮2")->iconSize(), QSize(40, 40));
  EXPECT_TRUE(Find<QToolButton>("超级按钮1")->icon().isNull());
  EXPECT_TRUE(Find<QPlainTextEdit>("编辑框1")->toPlainText().isEmpty());
  EXPECT_EQ(Find<QStatusBar>("状态条1")->findChild<QLabel*>()->text(), U("状态："));
  EXPECT_EQ(Headers(), QStringList({U("资源文件名称:180"), U("文件大小:160"), U("地址:200")}));
  EXPECT_EQ(Find<QMenu>("菜单")->actions().size(), 1);
  EXPECT_EQ(Find<QMenu>("菜单")->actions().first()->text(), U("解析真实地址"));
  for (int i = 0; i < StartWindow::kTimerCount; ++i) {
    QTimer* timer = Find<QTimer>(("时钟" + std::to_string(i + 1)).c_str());
    EXPECT_EQ(timer, window->timers()[i]);
    EXPECT_FALSE(timer->isActive());
  }
}

TEST_F(StartWindowTest, CreationSetsModeAndSourceAsksThenStartsAnnouncements) {
  std::vector<std::string> order;
  window->SetHooks({[&] { order.push_back("reset"); },
                    [&](bool popup) { order.push_back(popup ? "thread+popup" : "thread"); },
                    {}});
  for (auto [answer, expected] : {std::pair{QMessageBox::Ok, "thread+popup"},
                                  std::pair{QMessageBox::Cancel, "thread"}}) {
    order.clear();
    state = {};
    auto box = AnswerNextModal(answer);
    window->OnStartWindowCreated();
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->title, U("提醒"));
    EXPECT_EQ(box->text, U("支持作者，是否弹出广告？"));
    std::sort(box->buttons.begin(), box->buttons.end());
    EXPECT_EQ(box->buttons, (QList{QMessageBox::Ok, QMessageBox::Cancel}));
    EXPECT_TRUE(box->appModal);
    EXPECT_FALSE(box->hadParent);
    EXPECT_EQ(order, (std::vector<std::string>{"reset", expected}));
    EXPECT_EQ(window->popupAllowed(), answer == QMessageBox::Ok);
    EXPECT_EQ(state.searchMode, kNetDiskMode);
    EXPECT_EQ(state.sourceNumber, 4);
  }
  EXPECT_EQ(QApplication::style()->name(), "fusion");
}

TEST_F(StartWindowTest, ModeToolbarSwitchesColumnsAndClearsTheList) {
  state.searchMode = kNetDiskMode;
  auto* torrent = ToolbarButton("工具条1", "种子搜索");
  auto* netDisk = ToolbarButton("工具条1", "网盘搜索");
  EXPECT_TRUE(netDisk->isChecked());
  AddRow({"a", "1MB", "http://x/a"});
  for (int press = 0; press < 2; ++press) {
    QTest::mouseClick(torrent, Qt::LeftButton);
    EXPECT_EQ(state.searchMode, kTorrentMode);
    EXPECT_EQ(Headers(), QStringList({U("资源文件名称:180"), U("地址:200")}));
    EXPECT_EQ(Find<QTreeView>("超级列表框1")->model()->rowCount(), 0);
    AddRow({"t", "http://x/t"});
  }
  EXPECT_TRUE(torrent->isChecked());
  EXPECT_FALSE(netDisk->isChecked());
  for (int press = 0; press < 2; ++press) {
    QTest::mouseClick(netDisk, Qt::LeftButton);
    EXPECT_EQ(state.searchMode, kNetDiskMode);
    EXPECT_EQ(Headers(), QStringList({U("资源文件名称:180"), U("文件大小:160"), U("地址:200")}));
    EXPECT_EQ(results.RowCount(), 0);
    AddRow({"a", "1MB", "http://x/a"});
  }
  auto actions = Find<QToolBar>("工具条1")->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_TRUE(actions[2]->isSeparator());
  QTest::mouseClick(ToolbarButton("工具条1", "作者博客"), Qt::LeftButton);
  EXPECT_EQ(shell.opened, std::vector<std::string>{"http://blog.test/panscout"});
}

TEST_F(StartWindowTest, SourceButtonsSetTheirSourceNumbersAndHotfileStaysHidden) {
  state.sourceNumber = 4;
  auto* toolbar = Find<QToolBar>("工具条2");
  EXPECT_EQ(toolbar->orientation(), Qt::Vertical);
  const std::pair<const char*, int> buttons[] = {{"115网盘", 2}, {"纳米盘", 3}, {"新浪爱问", 6},
                                                 {"rayfile", 5}, {"千脑", 1},   {"讯6", 4}};
  EXPECT_TRUE(ToolbarButton("工具条2", "讯6")->isChecked());
  for (auto [caption, source] : buttons) {
    QTest::mouseClick(ToolbarButton("工具条2", caption), Qt::LeftButton);
    EXPECT_EQ(state.sourceNumber, source) << caption;
    EXPECT_TRUE(ToolbarButton("工具条2", caption)->isChecked()) << caption;
  }
  QStringList order;
  for (QAction* action : toolbar->actions()) order << action->text();
  EXPECT_EQ(order, QStringList({U("讯6"), U("115网盘"), U("纳米盘"), U("新浪爱问"), U("rayfile"),
                                U("千脑"), U("hotfile"), U("全部来源")}));
  EXPECT_FALSE(ToolbarButton("工具条2", "hotfile")->isVisible());
  EXPECT_TRUE(ToolbarButton("工具条2", "全部来源")->isVisible());
}

TEST_F(StartWindowTest, EveryLeftPressEmptiesTheKeywordBox) {
  auto* keyword = Find<QLineEdit>("搜索框");
  QTest::mouseClick(keyword, Qt::RightButton);
  EXPECT_EQ(keyword->text(), U("关键字"));
  QTest::mouseClick(keyword, Qt::LeftButton);
  EXPECT_TRUE(keyword->text().isEmpty());
  QTest::keyClicks(keyword, "movie");
  keyword->insert(U("电影"));
  EXPECT_EQ(window->KeywordText(), Gbk("movie电影"));
  QTest::mouseClick(keyword, Qt::LeftButton);
  EXPECT_TRUE(keyword->text().isEmpty());
}

TEST_F(StartWindowTest, SearchWindowPropertiesDriveTheControls) {
  window->SetButtonCaption(Gbk("停止搜索"));
  EXPECT_EQ(Find<QPushButton>("按钮1")->text(), U("停止搜索"));
  EXPECT_EQ(window->ButtonCaption(), Gbk("停止搜索"));
  window->SetKeywordEnabled(false);
  EXPECT_FALSE(Find<QLineEdit>("搜索框")->isEnabled());
  window->SetBusyVisible(true);
  auto* busy = Find<BusyIndicator>("图片框1");
  EXPECT_TRUE(busy->isVisible());
  int frame = busy->frame();
  EXPECT_TRUE(WaitDispatching([&] { return busy->frame() != frame; }, std::chrono::seconds(2)));
  results.SetStatus(Gbk("状态：已经搜索完毕！"));
  EXPECT_EQ(Find<QStatusBar>("状态条1")->findChild<QLabel*>()->text(), U("状态：已经搜索完毕！"));

  auto box = AnswerNextModal();
  window->ShowMessage(Gbk("关键字不能为空！"));
  EXPECT_EQ(box->title, U("信息："));
  EXPECT_EQ(box->text, U("关键字不能为空！"));
  EXPECT_EQ(box->buttons, QList{QMessageBox::Ok});
  EXPECT_TRUE(box->appModal);
  EXPECT_FALSE(box->hadParent);
}

TEST_F(StartWindowTest, AboutBoxAndClosingStopsTheTimers) {
  auto box = AnswerNextModal();
  QTest::mouseClick(Find<QToolButton>("超级按钮2"), Qt::LeftButton);
  ASSERT_TRUE(box->seen);
  EXPECT_EQ(box->title, U("友情提醒"));
  EXPECT_EQ(box->icon, QMessageBox::Question);
  EXPECT_EQ(box->buttons, QList{QMessageBox::Ok});
  EXPECT_FALSE(box->text.isEmpty());

  for (QTimer* timer : window->timers()) timer->start(10000);
  window->close();
  for (QTimer* timer : window->timers()) EXPECT_FALSE(timer->isActive());
}

TEST_F(StartWindowTest, DoubleClickOpensTheAddressColumnOfTheSelection) {
  state.searchMode = kNetDiskMode;
  state.sourceNumber = 4;
  AddRow({"a", "1MB", "http://x/a"});
  AddRow({"b", "2MB", "https://x/b"});
  AddRow({"c", "3MB", "ftp://x/c"});
  AddRow({"d", "4MB", "javascript:alert(1)"});
  for (int row = 0; row < 4; ++row) DoubleClickRow(row);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://x/a", "https://x/b"}));

  QTest::mouseClick(ToolbarButton("工具条1", "种子搜索"), Qt::LeftButton);
  AddRow({"t", "http://x/t"});
  DoubleClickRow(0);

  EXPECT_EQ(shell.opened.back(), "http://x/t");
  EXPECT_EQ(results.SelectedRow(), 0);
}

TEST_F(StartWindowTest, The115SourceOpensTheDialogEvenWithoutSelection) {
  state.searchMode = kNetDiskMode;
  state.sourceNumber = 2;
  AddRow({"a", "1MB", "http://x/a"});
  auto dialog = AnswerNextModal();
  DoubleClickRow(-1);
  ASSERT_TRUE(dialog->seen);
  EXPECT_EQ(results.SelectedRow(), -1);
  EXPECT_EQ(pages.requested, std::vector<Text>{""});
  EXPECT_TRUE(shell.opened.empty());

  // The menu item resolves the selected hit the same way.
  results.SetSelectedRow(0);
  auto fromMenu = AnswerNextModal();
  Find<QMenu>("菜单")->actions().first()->trigger();
  ASSERT_TRUE(fromMenu->seen);
  EXPECT_EQ(fromMenu->title, U("a"));
  EXPECT_EQ(pages.requested.back(), "http://x/a");
}

TEST_F(StartWindowTest, RightClickMenuResolvesOnlyForThe115SourceInEitherMode) {
  AddRow({"a", "1MB", "http://x/a"});
  state.searchMode = kNetDiskMode;
  state.sourceNumber = 4;
  auto others = CloseNextMenu();
  RightClickRow(0);
  EXPECT_EQ(*others, QStringList({U("检查链接"), U("检查全部链接"), "", U("复制地址"), U("复制名称"), U("导出结果…")}));
  for (int mode : {kNetDiskMode, kTorrentMode}) {
    state.searchMode = mode;
    state.sourceNumber = 2;
    auto items = CloseNextMenu();
    RightClickRow(0);
    EXPECT_EQ(*items, QStringList({U("解析真实地址"), "", U("检查链接"), U("检查全部链接"), "", U("复制地址"),
                                   U("复制名称"), U("导出结果…")}));
  }
}

}  // namespace
}  // namespace panscout
