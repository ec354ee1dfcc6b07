// The advertisements as the start window carries them: the announcement feed
// from the demo services, and a feed thread that outlives its window.

#include "app/gui/desktop_program.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "demo/announcement.h"
#include "app/settings_file.h"
#include "gui/demo_services_fixture.h"
#include "gui/gui_test_support.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

using testing::WaitDispatching;

using testing::AnswerNextModal;
using testing::RecordingShell;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class DesktopAdsTest : public testing::DemoServicesTest {
 protected:

  // Starts the program, answers the start-up question and then the update
  // offer (with Cancel), and waits for the web advertisement's timer.
  void StartAnswering(QMessageBox::StandardButton question) {
    Hosts hosts = Hosts::Defaults();
    ASSERT_EQ(LoadHostsFile(demo_->hostsPath(), hosts), std::nullopt);
    program_ = std::make_unique<DesktopProgram>(hosts, shell_, TempDirectory(dir_.path().toStdString()));
    auto asked = AnswerNextModal(question);
    program_->Start();
    ASSERT_TRUE(asked->seen);
    update_ = AnswerNextModal(QMessageBox::Cancel);
    ASSERT_TRUE(WaitDispatching([&] { return Timer(5)->isActive(); }, std::chrono::seconds(30)));
  }

  QTimer* Timer(int n) { return program_->window().timers()[n - 1]; }
  QString Url(QWebEngineView* view) { return view->page()->requestedUrl().toString(); }

  QTemporaryDir dir_;
  RecordingShell shell_;
  std::unique_ptr<DesktopProgram> program_;
  std::shared_ptr<testing::SeenBox> update_;
};

TEST_F(DesktopAdsTest, TheFeedStartsEveryAdvertisementOfTheWindow) {
  StartAnswering(QMessageBox::Ok);
  StartWindow& window = program_->window();
  ASSERT_TRUE(update_->seen);
  EXPECT_EQ(update_->title, U("提醒"));
  EXPECT_EQ(update_->text, U("版本更新了，是否进行更新？"));
  EXPECT_TRUE(shell_.opened.empty());

  const std::string site = "http://" + demo_->hosts().announce;
  EXPECT_EQ(Url(window.popupHost()).toStdString(), site + "/popup.html");
  EXPECT_EQ(Url(window.webAd()).toStdString(), site + "/webad.html");
  // The edit box shows the CR LF line ends as plain line breaks.
  QString settings = QString::fromStdString(demo::SettingsFileText(demo_->hosts()));
  EXPECT_EQ(window.settingsText()->toPlainText(), settings.replace("\r\n", "\n"));
  EXPECT_TRUE(std::filesystem::exists(SettingsPath(TempDirectory(dir_.path().toStdString()))));
  for (int k = 1; k <= demo::kBannerCount; ++k) {
    EXPECT_TRUE(QFile::exists(dir_.filePath(QString::fromStdString(demo::BannerFileName(k))))) << k;
  }

  // The banner shows its first picture and the ticker its first text within
  // one rotation.
  EXPECT_TRUE(WaitDispatching(
      [&] {
        return !window.banner()->icon().isNull() &&
               window.ticker()->text() == U("Panscout 演示：没有网络也能完整搜索");
      },
      std::chrono::seconds(10)));

  window.close();
  for (QTimer* timer : window.timers()) EXPECT_FALSE(timer->isActive());
}

TEST_F(DesktopAdsTest, CancelAtStartWithholdsOnlyThePopup) {
  StartAnswering(QMessageBox::Cancel);
  EXPECT_TRUE(update_->seen);
  EXPECT_TRUE(Url(program_->window().popupHost()).isEmpty());
  EXPECT_FALSE(Url(program_->window().webAd()).isEmpty());
}

// A port that takes connections but answers only when told.
class SilentServer {
 public:
  SilentServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~SilentServer() { close(listener_); }
  int port() const { return port_; }

  // Accepts the waiting connection and answers it with `body`.
  void Answer(const std::string& body) {
    int connection = accept(listener_, nullptr, nullptr);
    char request[4096];
    ssize_t got = recv(connection, request, sizeof request, 0);
    (void)got;
    std::string reply = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\n\r\n" + body;
    ssize_t sent = send(connection, reply.data(), reply.size(), 0);
    (void)sent;
    close(connection);
  }

 private:
  int listener_ = -1;
  int port_ = 0;
};

TEST_F(DesktopAdsTest, AFeedThatAnswersAfterTheWindowHasGoneTouchesNothing) {
  SilentServer server;
  Hosts hosts = Hosts::Defaults();
  hosts.announce = "127.0.0.1:" + std::to_string(server.port());
  program_ = std::make_unique<DesktopProgram>(hosts, shell_, TempDirectory(dir_.path().toStdString()));
  auto asked = AnswerNextModal(QMessageBox::Ok);
  program_->Start();
  ASSERT_TRUE(asked->seen);
  program_.reset();  // the feed thread still waits for its text

  // Every kind of call the feed makes, the update question among them.
  server.Answer(Gbk("qwe[弹窗]$弹窗广告=http://127.0.0.1:1/p$[更新]$版本更新=1|http://127.0.0.1:1/u$"
                    "[总数]$次数=1$[1]$广告=x|http://127.0.0.1:1/n$[网页]$网页广告=http://127.0.0.1:1/w$qwe"));
  TempDirectory temp(dir_.path().toStdString());
  ASSERT_TRUE(WaitDispatching([&] { return std::filesystem::exists(SettingsPath(temp)); },
                              std::chrono::seconds(30)));
  QTest::qWait(500);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(DesktopAdsTest, ASearchGoesOnWhileTheUpdateOfferIsOpen) {
  SilentServer feed;
  Hosts hosts = Hosts::Defaults();
  ASSERT_EQ(LoadHostsFile(demo_->hostsPath(), hosts), std::nullopt);
  hosts.announce = "127.0.0.1:" + std::to_string(feed.port());
  program_ = std::make_unique<DesktopProgram>(hosts, shell_, TempDirectory(dir_.path().toStdString()));
  auto asked = AnswerNextModal(QMessageBox::Cancel);
  program_->Start();
  ASSERT_TRUE(asked->seen);
  StartWindow& window = program_->window();
  for (QAction* action : window.findChild<QToolBar*>(U("工具条2"))->actions()) {
    if (action->text() == U("纳米盘")) action->trigger();
  }
  QTest::mouseClick(window.findChild<QLineEdit*>(U("搜索框")), Qt::LeftButton);
  QTest::keyClicks(window.findChild<QLineEdit*>(U("搜索框")), "movie");

  // The search is waiting for its first page when the offer comes. A box
  // that blocked the search would be closed here, failing the test.
  QTimer::singleShot(15000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  QMessageBox* offer = nullptr;
  QTimer::singleShot(0, [&] {
    feed.Answer(Gbk("qwe[更新]$版本更新=1|http://update/new$qwe"));
    (void)QTest::qWaitFor([&] { return (offer = testing::OpenModelessBox()) != nullptr; }, 10000);
  });
  QTest::mouseClick(window.findChild<QPushButton*>(U("按钮1")), Qt::LeftButton);
  ASSERT_NE(offer, nullptr);
  EXPECT_EQ(window.findChild<QStatusBar*>(U("状态条1"))->findChild<QLabel*>()->text(), U("状态：已经搜索完毕！"));
  EXPECT_EQ(window.findChild<QTreeView*>(U("超级列表框1"))->model()->rowCount(), 23);

  ASSERT_TRUE(testing::OpenModelessBox());
  EXPECT_EQ(offer->button(QMessageBox::Ok)->text(), U("确定"));
  offer->button(QMessageBox::Cancel)->click();
  EXPECT_EQ(testing::OpenModelessBox(), nullptr);
  EXPECT_TRUE(shell_.opened.empty());
}

}  // namespace
}  // namespace panscout
