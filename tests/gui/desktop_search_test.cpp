// Whole searches from real clicks in the start window, against the demo
// services started for the test.

#include "app/gui/desktop_program.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "demo/result_pages.h"
#include "demo/site_pages.h"
#include "gui/demo_services_fixture.h"
#include "gui/gui_test_support.h"
#include "support/user_definition.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

using demo::ExpectedHit;
using demo::ParseKeyword;
using testing::AnswerNextModal;
using testing::RecordingShell;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// What the window looked like while the search was fetching.
struct Searching {
  bool seen = false;
  QString caption;
  bool keywordEnabled = true;
  bool busyVisible = false;
  QString status;
};

class DesktopSearchTest : public testing::DemoServicesTest {
 protected:

  void SetUp() override {
    Hosts hosts = Hosts::Defaults();
    ASSERT_EQ(LoadHostsFile(demo_->hostsPath(), hosts), std::nullopt);
    StartProgram(hosts);
  }

  void StartProgram(const Hosts& hosts) {
    program_.reset();
    // The advertisements, with their boxes, stay out of these searches.
    program_ = std::make_unique<DesktopProgram>(hosts, shell_, std::nullopt, SourceDirs());
    auto question = AnswerNextModal(QMessageBox::Cancel);
    program_->Start();
    ASSERT_TRUE(question->seen);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
  }

  virtual std::vector<std::filesystem::path> SourceDirs() const { return {}; }

  StartWindow& window() { return program_->window(); }
  template <typename W>
  W* Find(const char* name) { return window().findChild<W*>(U(name)); }

  void Press(const char* toolbar, const char* caption) {
    for (QAction* action : Find<QToolBar>(toolbar)->actions()) {
      if (action->text() == U(caption)) {
        QTest::mouseClick(Find<QToolBar>(toolbar)->widgetForAction(action), Qt::LeftButton);
        return;
      }
    }
    ADD_FAILURE() << caption;
  }

  void TypeKeyword(const char* keyword) {
    QTest::mouseClick(Find<QLineEdit>("搜索框"), Qt::LeftButton);
    QTest::keyClicks(Find<QLineEdit>("搜索框"), keyword);
  }

  // Clicks 按钮1; the search runs inside the click. `duringFetch` runs once,
  // from the first event dispatched while a page is awaited.
  Searching ClickStart(std::function<void()> duringFetch = nullptr) {
    Searching seen;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
      if (seen.seen) return;
      seen = {true, Find<QPushButton>("按钮1")->text(), Find<QLineEdit>("搜索框")->isEnabled(),
              Find<QWidget>("图片框1")->isVisible(),
              Find<QStatusBar>("状态条1")->findChild<QLabel*>()->text()};
      if (duringFetch) duringFetch();
    });
    probe.start(0);
    QTest::mouseClick(Find<QPushButton>("按钮1"), Qt::LeftButton);
    return seen;
  }

  // Searches 纳米盘 for `keyword` and runs `interrupt` during the first fetch
  // the probe sees; returns the rows listed at that moment. The page being
  // fetched still lists its ten hits.
  int SearchInterrupted(const char* keyword, const std::function<void()>& interrupt) {
    Press("工具条2", "纳米盘");
    TypeKeyword(keyword);
    int rows = -1;
    ClickStart([&] {
      rows = Find<QTreeView>("超级列表框1")->model()->rowCount();
      interrupt();
    });
    EXPECT_GE(rows, 0);
    return rows;
  }

  QString Cell(int row, int column) {
    QAbstractItemModel* model = Find<QTreeView>("超级列表框1")->model();
    return model->data(model->index(row, column)).toString();
  }

  void ExpectRows(int source, const char* keyword, int count, bool withSize) {
    QAbstractItemModel* model = Find<QTreeView>("超级列表框1")->model();
    ASSERT_EQ(model->rowCount(), count);
    for (int k = 1; k <= count; ++k) {
      demo::Hit hit = ExpectedHit(demo_->hosts(), source, ParseKeyword(keyword), k);
      int column = 0;
      EXPECT_EQ(Cell(k - 1, column++), QString::fromStdString(hit.name)) << k;
      if (withSize) EXPECT_EQ(Cell(k - 1, column++), QString::fromStdString(hit.size)) << k;
      EXPECT_EQ(Cell(k - 1, column), QString::fromStdString(hit.address)) << k;
    }
  }

  // Double-clicks a row and, once the real-address dialog has resolved it,
  // answers with 直接下载; false when no dialog came.
  bool DoubleClickResolving(int row) {
    auto* list = Find<QTreeView>("超级列表框1");
    list->scrollTo(list->model()->index(row, 0));
    QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    auto dialog = AnswerNextModal(
        QMessageBox::Ok,
        [](QWidget* shown) { QTest::mouseClick(shown->findChild<QPushButton*>("直接下载"), Qt::LeftButton); },
        [](QWidget* shown) { return shown->findChild<QPushButton*>("打开网页")->isEnabled(); });
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return dialog->seen;
  }

  void ExpectIdle(const char* status) {
    EXPECT_EQ(Find<QPushButton>("按钮1")->text(), U("开始搜索"));
    EXPECT_TRUE(Find<QLineEdit>("搜索框")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("图片框1")->isVisible());
    EXPECT_EQ(Find<QStatusBar>("状态条1")->findChild<QLabel*>()->text(), U(status));
  }

  static void ExpectSearchingLook(const Searching& seen) {
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.caption, U("停止搜索"));
    EXPECT_FALSE(seen.keywordEnabled);
    EXPECT_TRUE(seen.busyVisible);
    EXPECT_EQ(seen.status, U("状态："));
  }

  RecordingShell shell_;
  std::unique_ptr<DesktopProgram> program_;
};

TEST_F(DesktopSearchTest, SiteSourceListsEveryHitAndEndsWithTheDoneStatus) {
  Press("工具条2", "纳米盘");
  TypeKeyword("movie#13");
  ExpectSearchingLook(ClickStart());
  ExpectRows(demo::kNamipan, "movie#13", 13, true);
  ExpectIdle("状态：已经搜索完毕！");
  EXPECT_EQ(Find<QLineEdit>("搜索框")->text(), U("movie#13"));
}

TEST_F(DesktopSearchTest, TheStatusBarsTooltipSaysWhyAPageFailed) {
  QLabel* status = Find<QStatusBar>("状态条1")->findChild<QLabel*>();
  Press("工具条2", "纳米盘");
  TypeKeyword("movie#3");
  ClickStart();
  EXPECT_EQ(status->toolTip(), QString());
  Hosts hosts = Hosts::Defaults();
  ASSERT_EQ(LoadHostsFile(demo_->hostsPath(), hosts), std::nullopt);
  hosts.baidu = "127.0.0.1:1";
  StartProgram(hosts);
  if (HasFatalFailure()) return;
  status = Find<QStatusBar>("状态条1")->findChild<QLabel*>();
  Press("工具条2", "纳米盘");
  TypeKeyword("movie#3");
  ClickStart();
  ExpectIdle("状态：网络连接失败！");
  EXPECT_TRUE(status->toolTip().startsWith("http://127.0.0.1:1/s?")) << status->toolTip().toStdString();
  EXPECT_TRUE(status->toolTip().endsWith(": connection refused")) << status->toolTip().toStdString();
}

TEST_F(DesktopSearchTest, TorrentSearchEndsWithItsMessageWhileStillBusy) {
  Press("工具条1", "种子搜索");
  TypeKeyword("movie#12");
  bool busyAtMessage = false;
  auto message = AnswerNextModal(QMessageBox::Ok, [&](QWidget*) {
    busyAtMessage = Find<QWidget>("图片框1")->isVisible();
  });
  ExpectSearchingLook(ClickStart());
  ASSERT_TRUE(message->seen);
  EXPECT_EQ(message->title, U("信息："));
  EXPECT_EQ(message->text, U("搜索完毕！"));
  EXPECT_TRUE(busyAtMessage);
  ExpectRows(demo::kTorrent, "movie#12", 12, false);
  ExpectIdle("状态：");
}

TEST_F(DesktopSearchTest, AStopClickDuringAFetchEndsAfterThatPage) {
  int rowsAtStop = SearchInterrupted("movie", [&] {
    QTest::mouseClick(Find<QPushButton>("按钮1"), Qt::LeftButton);
  });
  ExpectRows(demo::kNamipan, "movie", rowsAtStop + 10, true);
  ExpectIdle("状态：");
}

TEST_F(DesktopSearchTest, ClosingTheWindowEndsARunningSearch) {
  // A search of 100000 hits would otherwise go on for ten thousand pages.
  int rowsAtClose = SearchInterrupted("movie#100000", [&] { window().close(); });
  EXPECT_EQ(Find<QTreeView>("超级列表框1")->model()->rowCount(), rowsAtClose + 10);
}

TEST_F(DesktopSearchTest, AnEmptyKeywordOnlyShowsTheMessage) {
  TypeKeyword("");
  auto message = AnswerNextModal();
  Searching seen = ClickStart();
  ASSERT_TRUE(message->seen);
  EXPECT_EQ(message->text, U("关键字不能为空！"));
  EXPECT_FALSE(seen.busyVisible);
  ExpectIdle("状态：");
}

TEST_F(DesktopSearchTest, DoubleClickOnA115HitResolvesItsRealAddress) {
  Press("工具条2", "115网盘");
  TypeKeyword("movie#3");
  ClickStart();
  ExpectRows(demo::k115, "movie#3", 3, true);
  ASSERT_TRUE(DoubleClickResolving(1));

  std::string page = Cell(1, 2).toStdString();
  std::string real = demo::RealAddress115(demo_->hosts(), page.substr(page.rfind('/') + 1));
  EXPECT_EQ(program_->session().realAddress, real);
  EXPECT_EQ(shell_.opened, std::vector<std::string>{"http://" + real});
}

TEST_F(DesktopSearchTest, ViewerSourceReadsItsPagesThroughWebEngine) {
  // 讯6 is the source the window starts with.
  TypeKeyword("movie#12");
  ExpectSearchingLook(ClickStart());
  ExpectRows(demo::kXun6, "movie#12", 12, true);
  ExpectIdle("状态：已经搜索完毕！");
}

TEST_F(DesktopSearchTest, AllSourcesListEachHitWithItsSourceAndA115RowKeepsItsDialog) {
  Press("工具条2", "全部来源");
  TypeKeyword("movie#3");
  ClickStart();  // returns at once: the sources run on threads of their own
  QLabel* status = Find<QStatusBar>("状态条1")->findChild<QLabel*>();
  EXPECT_TRUE(status->text().startsWith(U("状态：正在搜索 "))) << status->text().toStdString();
  EXPECT_EQ(Find<QPushButton>("按钮1")->text(), U("停止搜索"));
  QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith(U("状态：已经搜索完毕！")), 20000);
  EXPECT_EQ(status->text(), U("状态：已经搜索完毕！共 18 条，去掉重复 0 条"));
  ExpectIdle("状态：已经搜索完毕！共 18 条，去掉重复 0 条");
  QAbstractItemModel* model = Find<QTreeView>("超级列表框1")->model();
  ASSERT_EQ(model->rowCount(), 18);
  ASSERT_EQ(model->headerData(3, Qt::Horizontal).toString(), U("来源"));
  std::map<QString, int> perSource;
  int row115 = -1;
  for (int row = 0; row < 18; ++row) {
    ++perSource[Cell(row, 3)];
    if (Cell(row, 3) == U("115网盘")) row115 = row;
  }
  EXPECT_EQ(perSource.size(), 6u);
  for (const auto& [caption, rows] : perSource) EXPECT_EQ(rows, 3) << caption.toStdString();
  ASSERT_GE(row115, 0);

  ASSERT_TRUE(DoubleClickResolving(row115));
  std::string page = Cell(row115, 2).toStdString();
  EXPECT_EQ(program_->session().realAddress, demo::RealAddress115(demo_->hosts(), page.substr(page.rfind('/') + 1)));

  Press("工具条2", "纳米盘");
  ClickStart();
  EXPECT_EQ(model->columnCount(), 3);  // one source: the list is as it always was
}

// A user's own source gets a button after the built-ins' and searches like them.
class DesktopUserSourceTest : public DesktopSearchTest {
 protected:
  std::vector<std::filesystem::path> SourceDirs() const override { return {dir_.path().toStdString()}; }
  void SetUp() override {
    std::ofstream(dir_.filePath("mysite.toml").toStdString(), std::ios::binary)
        << testing::UserCopy(PANSCOUT_SOURCES "/namipan.toml", "mysite", "我的站");
    std::ofstream(dir_.filePath("broken.toml").toStdString()) << "id = 1\n";
    DesktopSearchTest::SetUp();
  }
  QTemporaryDir dir_;
};

TEST_F(DesktopUserSourceTest, AUserSourceHasItsButtonAndSearches) {
  QList<QAction*> buttons = Find<QToolBar>("工具条2")->actions();
  ASSERT_FALSE(buttons.isEmpty());
  ASSERT_GE(buttons.size(), 2);
  EXPECT_EQ(buttons[buttons.size() - 2]->text(), U("我的站"));
  ASSERT_FALSE(program_->sourceErrors().empty());
  for (const std::string& error : program_->sourceErrors()) EXPECT_NE(error.find("broken.toml:"), std::string::npos);
  Press("工具条2", "我的站");
  TypeKeyword("movie#13");
  ClickStart();
  ExpectRows(demo::kNamipan, "movie#13", 13, true);
  ExpectIdle("状态：已经搜索完毕！");
}

}  // namespace
}  // namespace panscout
