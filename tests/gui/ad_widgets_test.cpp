#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <atomic>
#include <thread>

#include "app/gui/ad_widgets_qt.h"
#include "app/settings_file.h"
#include "gui/gui_test_support.h"
#include "runtime/codepage.h"
#include "support/local_http_server.h"

namespace panscout {
namespace {

using testing::AnswerNextModal;
using testing::RecordingShell;

std::string PngBytes() {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// The start window's advertisement widgets, bound as the program binds them,
// with the feed served from 127.0.0.1.
class AdWidgetsTest : public ::testing::Test {
 protected:
  AdWidgetsTest() {
    window_ = std::make_unique<QWidget>();
    window_->resize(554, 562);
    ticker_ = new QLabel(QString::fromUtf8("广告招租中.."), window_.get());
    ticker_->setGeometry(176, 424, 352, 24);
    banner_ = new QPushButton(window_.get());
    banner_->setGeometry(248, 16, 288, 72);
    webAd_ = new QWebEngineView(window_.get());
    popup_ = new QWebEngineView(window_.get());
    settingsText_ = new QPlainTextEdit(window_.get());
    for (QTimer*& timer : timers_) timer = new QTimer(window_.get());
    ads_ = InstallAdvertisements({ticker_, banner_, webAd_, popup_, settingsText_, timers_, window_.get(),
                                  [this] { return tickerShift_; }},
                                 counters_, shell_, TempDirectory(dir_.path().toStdString()));
    window_->show();
  }
  void Serve() {
    server_.server().Get("/ad.txt", [this](const httplib::Request&, httplib::Response& res) {
      while (holdFeed_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      res.set_content("qwe" + Gbk(Feed()) + "qwe", "text/plain");
    });
    server_.server().Get("/p1.png", [this](const httplib::Request&, httplib::Response& res) {
      pictureAsked_ = true;
      res.set_content(PngBytes(), "image/png");
    });
    for (auto [path, count] : {std::pair{"/pop", &popupLoads_}, std::pair{"/web", &webAdLoads_}}) {
      server_.server().Get(path, [count](const httplib::Request&, httplib::Response& res) {
        ++*count;
        res.set_content("<html><body>ad</body></html>", "text/html");
      });
    }
    server_.Start();
  }
  std::string Url(const std::string& path) const { return server_.Url(path); }

  std::string Feed() {
    return "[弹窗]$弹窗广告=" + Url("/pop") +
           "$[更新]$版本更新=1|http://update/new$[图片总数]$计数=1$[图1]$图片广告=" + Url("/p1.png") +
           "|http://banner/link|p1.png$[总数]$次数=1$[1]$广告=甲|http://ticker/link$[网页]$网页广告=" +
           Url("/web") + "$";
  }

  QTemporaryDir dir_;
  std::shared_ptr<AdCounters> counters_ = std::make_shared<AdCounters>();
  RecordingShell shell_;
  std::unique_ptr<QWidget> window_;
  QLabel* ticker_;
  QPushButton* banner_;
  QWebEngineView* webAd_;
  QWebEngineView* popup_;
  QPlainTextEdit* settingsText_;
  std::array<QTimer*, 5> timers_;
  Advertisements* ads_;
  testing::LocalHttpServer server_;
  std::atomic<bool> holdFeed_ = false;
  std::atomic<bool> pictureAsked_ = false;
  std::atomic<int> popupLoads_ = 0;
  std::atomic<int> webAdLoads_ = 0;
  int tickerShift_ = 0;
};

TEST_F(AdWidgetsTest, TheFeedFillsTheWidgetsOnTheWindowThreadAndTheRotationsRun) {
  Serve();
  auto question = AnswerNextModal(QMessageBox::Cancel);
  ads_->StartAnnouncementFeed(Url("/ad.txt"), true, FeedDownload(std::make_shared<CookieStore>(), {}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return timers_[4]->isActive(); }, 20000));
  EXPECT_EQ(timers_[0]->interval(), kTickerMoveMs);
  EXPECT_EQ(timers_[3]->interval(), kNextPictureMs);
  EXPECT_EQ(timers_[4]->interval(), kWebReloadMs);
  EXPECT_FALSE(timers_[1]->isActive());

  Text written = ToText(ReadWholeFile(SettingsPath(TempDirectory(dir_.path().toStdString()))));
  EXPECT_NE(FindText(written, Gbk("次数=1\r\n"), std::nullopt, false), kNotFound);
  // The edit box shows the same lines.
  EXPECT_EQ(settingsText_->toPlainText().toStdString(),
            GbkToUtf8(ReplaceSubtext(written, "\r\n", "\n", std::nullopt, std::nullopt, true)));
  EXPECT_TRUE(question->seen);
  EXPECT_EQ(question->title, QString::fromUtf8("提醒"));
  EXPECT_EQ(question->text, QString::fromUtf8("版本更新了，是否进行更新？"));
  EXPECT_EQ(question->buttons, (QList<QMessageBox::StandardButton>{QMessageBox::Ok, QMessageBox::Cancel}));
  EXPECT_TRUE(shell_.opened.empty());
  // The viewers really load their pages.
  EXPECT_TRUE(QTest::qWaitFor([&] { return popupLoads_ == 1 && webAdLoads_ == 1; }, 20000));

  // The ticker goes round its strip and rests, ready for the next text.
  ASSERT_TRUE(QTest::qWaitFor([&] { return timers_[1]->isActive(); }, 5000));
  EXPECT_EQ(ticker_->y(), 424);
  EXPECT_FALSE(timers_[0]->isActive());

  // A window grown taller has moved the strip down: the ticker goes round there.
  tickerShift_ = 100;
  ticker_->move(176, 524);
  timers_[1]->start(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticker_->text() == QString::fromUtf8("甲"); }, 5000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return timers_[1]->isActive(); }, 5000));
  EXPECT_EQ(ticker_->y(), 524);
  QTest::mouseClick(ticker_, Qt::LeftButton);
  timers_[3]->start(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !banner_->icon().isNull(); }, 5000));
  banner_->click();
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{"http://ticker/link", "http://banner/link"}));
}

TEST_F(AdWidgetsTest, AWindowClosedWhileTheFeedRunsLeavesTheFeedHarmless) {
  holdFeed_ = true;
  Serve();
  ads_->StartAnnouncementFeed(Url("/ad.txt"), true, FeedDownload(std::make_shared<CookieStore>(), {}));
  window_.reset();
  holdFeed_ = false;
  // The feed goes on without its window: no question, no crash, the pictures still come.
  ASSERT_TRUE(QTest::qWaitFor([&] { return pictureAsked_.load(); }, 20000));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return std::filesystem::exists(dir_.path().toStdString() + "/p1.png"); }, 5000));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace panscout
