#include "net/page_fetch.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "net/cookie_store.h"
#include "support/scripted_event_pump.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Delegates to a scripted pump and notes every time-out it is asked for.
class ObservedPump final : public EventPump {
 public:
  explicit ObservedPump(std::function<void(WaitResult, const Completion&)> afterWait = nullptr)
      : afterWait_(std::move(afterWait)) {}
  WaitResult Wait(const std::shared_ptr<Completion>& done, milliseconds timeout) override {
    timeouts.push_back(timeout);
    WaitResult result = scripted.Wait(done, timeout);
    if (afterWait_) afterWait_(result, *done);
    return result;
  }
  void DispatchPending() override { scripted.DispatchPending(); }

  ScriptedEventPump scripted;
  std::vector<milliseconds> timeouts;

 private:
  std::function<void(WaitResult, const Completion&)> afterWait_;
};

class FetchPageTest : public ::testing::Test {
 protected:
  TestHttpServer server;
  CookieStore cookies;
  ScriptedEventPump pump;
};

class FetchPageBasics : public FetchPageTest {};

TEST_F(FetchPageBasics, ReturnsTheBodyWholeAndTheHeaderText) {
  server.Add(TestHttpServer::Response(200, std::string("a\0b", 3), "X-A: 1\r\n"));
  Text header;
  EXPECT_EQ(FetchPage(pump, cookies, server.Url("/"), {.headerTextOut = &header}).body,
            Bytes(std::string("a\0b", 3)));
  EXPECT_EQ(header, "HTTP/1.1 200 OK\r\nX-A: 1\r\nContent-Length: 3\r\nConnection: close\r\n\r\n");
}

TEST_F(FetchPageBasics, PassesEveryOptionToTheEngine) {
  TestHttpServer proxy;
  proxy.Add(TestHttpServer::Response(200, "done"));
  FetchOptions options{.method = "post", .proxy = "127.0.0.1:" + std::to_string(proxy.port()),
                       .userName = "u", .password = "p", .extraHeaders = "X-A: 1\r\n",
                       .postData = "k=v", .timeoutSeconds = 5};
  EXPECT_EQ(FetchPage(pump, cookies, server.Url("/in"), options).body, Bytes("done"));
  ASSERT_EQ(proxy.Requests().size(), 1u);
  std::string sent = proxy.Requests()[0];
  EXPECT_EQ(sent.rfind("post " + server.Url("/in") + " HTTP/1.1\r\n", 0), 0u);
  for (const char* part : {"\r\nAuthorization: Basic dTpw\r\n", "\r\nX-A: 1\r\n",
                           "\r\nContent-Length: 3\r\n\r\nk=v"})
    EXPECT_NE(sent.find(part), std::string::npos) << part;
}

TEST_F(FetchPageBasics, FailuresGiveTheEmptyBufferAndNoHeaderText) {
  Text header = "stale";
  EXPECT_TRUE(FetchPage(pump, cookies, server.Url("/"), {.method = "PUT", .headerTextOut = &header}).body
                  .empty());
  EXPECT_EQ(header, "");
  EXPECT_TRUE(server.Requests().empty());
  server.Add(TestHttpServer::Response(200, ""));
  EXPECT_TRUE(FetchPage(pump, cookies, server.Url("/")).body.empty());
}

TEST_F(FetchPageBasics, TheDefaultTimeOutIsNinetySeconds) {
  for (int seconds : {0, -5, 2}) {
    server.Add(TestHttpServer::Response(200, "x"));
    ObservedPump observed;
    EXPECT_EQ(FetchPage(observed, cookies, server.Url("/"), {.timeoutSeconds = seconds}).body, Bytes("x"));
    ASSERT_FALSE(observed.timeouts.empty());
    EXPECT_EQ(observed.timeouts[0], milliseconds(seconds == 2 ? 2000 : 90000)) << seconds;
  }
}

class FetchTimeout : public FetchPageTest {};

TEST_F(FetchTimeout, ASilentServerGivesTheEmptyBufferAfterTheTimeOut) {
  server.Add(TestHttpServer::Reply().Hang());
  Text header = "stale";
  auto started = Clock::now();
  EXPECT_TRUE(FetchPage(pump, cookies, server.Url("/"), {.timeoutSeconds = 1, .headerTextOut = &header}).body
                  .empty());
  auto waited = Clock::now() - started;
  EXPECT_GE(waited, milliseconds(1000));
  EXPECT_LT(waited, milliseconds(2500));
  EXPECT_EQ(header, "");
}

TEST_F(FetchTimeout, EventsWithinEachPeriodKeepTheFetchWaiting) {
  server.Add(TestHttpServer::Reply().Pause(milliseconds(2200)).Send(
      "HTTP/1.1 200 OK\r\nContent-Length: 4\r\nConnection: close\r\n\r\nlate"));
  int ticks = 0;
  for (int at : {600, 1200, 1800}) pump.Post([&ticks] { ++ticks; }, milliseconds(at));
  EXPECT_EQ(FetchPage(pump, cookies, server.Url("/"), {.timeoutSeconds = 1}).body, Bytes("late"));
  EXPECT_EQ(ticks, 3);
}

TEST_F(FetchTimeout, AnAnswerAfterTheTimeOutNeverReachesTheCaller) {
  server.Add(TestHttpServer::Reply().Pause(milliseconds(1300)).Send(
      "HTTP/1.1 200 OK\r\nContent-Length: 4\r\nConnection: close\r\n\r\nlate"));
  // The pump reports the time-out only once the worker has delivered.
  bool delivered = false;
  ObservedPump lateAnswer([&delivered](EventPump::WaitResult result, const Completion& done) {
    if (result == EventPump::WaitResult::kTimeout) delivered = done.WaitFor(milliseconds(5000));
  });
  EXPECT_TRUE(FetchPage(lateAnswer, cookies, server.Url("/"), {.timeoutSeconds = 1}).body.empty());
  EXPECT_TRUE(delivered);
}

TEST_F(FetchTimeout, AnAbandonedWorkerIsStoppedAndReleased) {
  server.Add(TestHttpServer::Reply().Hang());
  auto store = std::make_unique<CookieStore>();
  EXPECT_TRUE(FetchPage(pump, *store, server.Url("/"), {.timeoutSeconds = 1}).body.empty());
  // The worker still holds the store; destroying it waits until the worker,
  // told to stop, has let go, while the server still hangs.
  auto started = Clock::now();
  store.reset();
  EXPECT_LT(Clock::now() - started, milliseconds(3000));
}

class FetchReentrancy : public FetchPageTest {};

TEST_F(FetchReentrancy, AFetchStartedByAnEventReturnsFirstWithItsOwnBody) {
  TestHttpServer inner;
  server.Add(TestHttpServer::Reply().Pause(milliseconds(500)).Send(
      "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nouter"));
  inner.Add(TestHttpServer::Response(200, "inner"));
  std::vector<std::string> finished;
  pump.Post(
      [&] {
        Bytes body = FetchPage(pump, cookies, inner.Url("/")).body;
        finished.push_back("nested: " + body.data);
      },
      milliseconds(50));
  Bytes body = FetchPage(pump, cookies, server.Url("/")).body;
  finished.push_back("outer: " + body.data);
  EXPECT_EQ(finished, (std::vector<std::string>{"nested: inner", "outer: outer"}));
}

TEST_F(FetchReentrancy, AQuitRequestStaysPending) {
  server.Add(TestHttpServer::Reply().Pause(milliseconds(300)).Send(
      "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok"));
  bool later = false;
  pump.PostQuit(milliseconds(50));
  pump.Post([&later] { later = true; }, milliseconds(100));
  EXPECT_EQ(FetchPage(pump, cookies, server.Url("/")).body, Bytes("ok"));
  EXPECT_TRUE(pump.QuitPending());
  EXPECT_FALSE(later);
}

}  // namespace
}  // namespace panscout
