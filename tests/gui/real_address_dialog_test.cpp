#include "app/gui/real_address_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/gui/background_hit_page_download.h"
#include "gui/gui_test_support.h"
#include "support/built_in_sources.h"
#include "net/qt_event_pump.h"
#include "runtime/codepage.h"
#include "support/local_http_server.h"

namespace panscout {
namespace {

using testing::WaitDispatching;

using testing::RecordingShell;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A 115 hit page as the site serves it: GBK, the download link after the
// result marker.
const std::string kHitPage =
    Gbk("<html><body><a href=\"http://ads.test/x\" onclick=\"\">广告</a>"
        "<div class=\"sr\"></div><p>文件：电影.rmvb</p>"
        "<a href=\"http://dl.115.test/file/abc.rmvb?k=1\" onclick=\"track()\">下载</a></body></html>");

struct DialogView {
  QString title, message, pageCaption;
  bool directEnabled = false;
};

class RealAddressDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.server().Get("/file/found", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(kHitPage, "text/html; charset=gbk");
    });
    server_.server().Get("/file/gone", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(Gbk("<html><div class=\"sr\"></div>文件已删除</html>"), "text/html");
    });
    server_.server().Get("/file/capitals", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<DIV CLASS=\"SR\"></DIV><A HREF=\"HTTP://dl.115.test/x\" ONCLICK=\"\">",
                      "text/html");
    });
    server_.server().Get("/file/slow", [](const httplib::Request&, httplib::Response& res) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2500));
      res.set_content(kHitPage, "text/html");
    });
    server_.Start();
  }

  void AddHit(const char* name, const std::string& url) {
    int row = results_.AppendRow();
    results_.SetField(row, ResultField::kName, Gbk(name));
    results_.SetField(row, ResultField::kSize, "1MB");
    results_.SetField(row, ResultField::kAddress, url);
  }

  // Opens the dialog, waits for its resolution, presses the given buttons,
  // and reports what it showed.
  DialogView Open(std::vector<const char*> presses = {}, int timeoutSeconds = 10) {
    QtEventPump pump;
    CookieStore cookies;
    BackgroundHitPageDownload download(pump, cookies, {}, timeoutSeconds);
    RealAddressDialog dialog(results_, shell_, download, realAddress_, testing::Markers115());
    DialogView view;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* page = dialog.findChild<QPushButton*>("打开网页");
      if (!dialog.isVisible() || !page->isEnabled()) return;
      poll.stop();
      view = {dialog.windowTitle(), dialog.findChild<QPlainTextEdit*>("提示框")->toPlainText(),
              page->text(), dialog.findChild<QPushButton*>("直接下载")->isEnabled()};
      for (const char* name : presses) QTest::mouseClick(dialog.findChild<QPushButton*>(name), Qt::LeftButton);
      dialog.close();
    });
    poll.start(10);
    EXPECT_EQ(dialog.size(), QSize(299, 128));
    dialog.Run();
    return view;
  }

  testing::LocalHttpServer server_;
  ResultList results_;
  RecordingShell shell_;
  Text realAddress_;
};

TEST_F(RealAddressDialogTest, FoundAddressIsHeldAndOpenedWithItsScheme) {
  AddHit("电影.rmvb", server_.Url("/file/found"));
  results_.SetSelectedRow(0);
  DialogView view = Open({"直接下载", "打开网页"});
  EXPECT_EQ(view.title, U("电影.rmvb"));
  EXPECT_EQ(view.message, U("请点击下面地址直接下载"));
  EXPECT_EQ(view.pageCaption, U("打开网页"));
  EXPECT_TRUE(view.directEnabled);
  EXPECT_EQ(realAddress_, "dl.115.test/file/abc.rmvb?k=1");
  EXPECT_EQ(shell_.opened,
            (std::vector<std::string>{"http://dl.115.test/file/abc.rmvb?k=1", server_.Url("/file/found")}));
}

TEST_F(RealAddressDialogTest, MissingOrCapitalisedMarkersFindNothing) {
  realAddress_ = "earlier.test/kept";
  for (const char* path : {"/file/gone", "/file/capitals", "/file/missing"}) {
    results_.ClearRows();
    AddHit("旧文件", server_.Url(path));
    results_.SetSelectedRow(0);
    shell_.opened.clear();
    DialogView view = Open({"直接下载", "打开网页"});
    EXPECT_EQ(view.title, U("旧文件")) << path;
    EXPECT_EQ(view.message, U("没有搜索出真实地址，可能文件已经被删除！")) << path;
    EXPECT_EQ(view.pageCaption, U("不信？打开网页看看")) << path;
    EXPECT_FALSE(view.directEnabled) << path;
    // The disabled button opens nothing; the page button still opens the hit.
    EXPECT_EQ(shell_.opened, std::vector<std::string>{server_.Url(path)}) << path;
    EXPECT_EQ(realAddress_, "earlier.test/kept");
  }
}

TEST_F(RealAddressDialogTest, NoSelectionGivesTheFailureWithAnEmptyCaption) {
  AddHit("电影.rmvb", server_.Url("/file/found"));
  DialogView view = Open();
  EXPECT_TRUE(view.title.isEmpty());
  EXPECT_EQ(view.message, U("没有搜索出真实地址，可能文件已经被删除！"));
  EXPECT_FALSE(view.directEnabled);
}

TEST_F(RealAddressDialogTest, ASlowPageTimesOutWhileTheWindowsStayAlive) {
  AddHit("慢", server_.Url("/file/slow"));
  results_.SetSelectedRow(0);
  int ticks = 0;
  QTimer heartbeat;
  QObject::connect(&heartbeat, &QTimer::timeout, [&] { ++ticks; });
  heartbeat.start(50);
  DialogView view = Open({}, 1);
  EXPECT_GT(ticks, 5);  // events ran during the one-second wait
  EXPECT_EQ(view.message, U("没有搜索出真实地址，可能文件已经被删除！"));
  EXPECT_FALSE(view.directEnabled);
}

TEST_F(RealAddressDialogTest, ClosingTheDialogGivesUpItsDownload) {
  realAddress_ = "earlier.test/kept";
  AddHit("慢", server_.Url("/file/slow"));
  results_.SetSelectedRow(0);
  QtEventPump pump;
  CookieStore cookies;
  BackgroundHitPageDownload download(pump, cookies, {}, 10);
  RealAddressDialog dialog(results_, shell_, download, realAddress_, testing::Markers115());
  QTimer::singleShot(200, &dialog, [&] { dialog.close(); });
  auto started = std::chrono::steady_clock::now();
  dialog.Run();
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1500));
  // The page arrives later and changes nothing.
  QTest::qWait(3000);
  EXPECT_EQ(realAddress_, "earlier.test/kept");
  EXPECT_TRUE(dialog.windowTitle().isEmpty());
}

}  // namespace
}  // namespace panscout
