#include "net/qt_event_pump.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "net/cookie_store.h"
#include "net/page_fetch.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

std::string DelayedAnswer(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

class FetchQtPump : public ::testing::Test {
 protected:
  FetchQtPump() {
    if (!QCoreApplication::instance()) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
  }

  // Runs `body` from the application's event loop and returns what exec()
  // returns; a loop still running after `limit` is ended with 99.
  int RunInLoop(const std::function<void()>& body, milliseconds limit = milliseconds(15000)) {
    QTimer::singleShot(0, body);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(limit);
    return QCoreApplication::exec();
  }

  Bytes Fetch(const std::string& url, int timeoutSeconds = 0) {
    return FetchPage(pump, cookies, url, {.timeoutSeconds = timeoutSeconds}).body;
  }

  static inline int argc_ = 1;
  static inline char name_[] = "panscout_tests";
  static inline char* argv_[] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
  TestHttpServer server;
  CookieStore cookies;
  QtEventPump pump;
};

TEST_F(FetchQtPump, TheWorkerWakesTheWaitingLoopAtOnce) {
  server.Add(TestHttpServer::Response(200, "fast"));
  Bytes body;
  Clock::duration took{};
  EXPECT_EQ(RunInLoop([&] {
              auto started = Clock::now();
              body = Fetch(server.Url("/"));
              took = Clock::now() - started;
              QCoreApplication::quit();
            }),
            0);
  EXPECT_EQ(body, Bytes("fast"));
  // A missed wake would wait out the 90-second time-out; the margin is for a
  // loaded machine.
  EXPECT_LT(took, milliseconds(10000));
}

TEST_F(FetchQtPump, TimerEventsRestartTheTimeOut) {
  server.Add(TestHttpServer::Reply().Pause(milliseconds(2200)).Send(DelayedAnswer("kept")));
  server.Add(TestHttpServer::Reply().Pause(milliseconds(2200)).Send(DelayedAnswer("dropped")));
  Bytes kept, dropped;
  Clock::duration silentWait{};
  RunInLoop([&] {
    QTimer ticker;
    ticker.start(milliseconds(300));
    kept = Fetch(server.Url("/"), 1);
    ticker.stop();
    auto started = Clock::now();
    dropped = Fetch(server.Url("/"), 1);
    silentWait = Clock::now() - started;
    QCoreApplication::quit();
  });
  EXPECT_EQ(kept, Bytes("kept"));
  EXPECT_TRUE(dropped.empty());
  EXPECT_GE(silentWait, milliseconds(1000));
  EXPECT_LT(silentWait, milliseconds(2000));
}

TEST_F(FetchQtPump, AFetchStartedByATimerReturnsFirstWithItsOwnBody) {
  TestHttpServer inner;
  server.Add(TestHttpServer::Reply().Pause(milliseconds(500)).Send(DelayedAnswer("outer")));
  inner.Add(TestHttpServer::Response(200, "inner"));
  std::vector<std::string> finished;
  RunInLoop([&] {
    QTimer::singleShot(50, [&] { finished.push_back("nested: " + Fetch(inner.Url("/")).data); });
    finished.push_back("outer: " + Fetch(server.Url("/")).data);
    QCoreApplication::quit();
  });
  EXPECT_EQ(finished, (std::vector<std::string>{"nested: inner", "outer: outer"}));
}

TEST_F(FetchQtPump, AQuitDuringAFetchEndsTheLoopAfterTheFetch) {
  server.Add(TestHttpServer::Reply().Pause(milliseconds(400)).Send(DelayedAnswer("whole")));
  Bytes body;
  bool ranAfterFetch = false;
  int result = RunInLoop([&] {
    QTimer::singleShot(50, [] { QCoreApplication::quit(); });
    body = Fetch(server.Url("/"));
    QTimer::singleShot(0, [&] { ranAfterFetch = true; });
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(body, Bytes("whole"));
  EXPECT_FALSE(ranAfterFetch);
}

TEST_F(FetchQtPump, AThreadWithoutEventLoopJustWaits) {
  server.Add(TestHttpServer::Response(200, "plain"));
  Bytes body;
  std::thread([&] { body = Fetch(server.Url("/"), 5); }).join();
  EXPECT_EQ(body, Bytes("plain"));
}

}  // namespace
}  // namespace panscout
