// Whole searches against a server that misbehaves on purpose. Whatever it
// does, the search ends with one of its end forms, within the time-out, and
// the event loop keeps running meanwhile (a 10 ms timer keeps firing).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <random>

#include "browser/fetching_viewer.h"
#include "net/cookie_store.h"
#include "net/http_page_source.h"
#include "net/qt_event_pump.h"
#include "search/fixture_pages.h"
#include "search/search_harness.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;
using Reply = TestHttpServer::Reply;

constexpr int kTimeoutSeconds = 3;
const std::string kDone = "状态：已经搜索完毕！";
const std::string kNothing = "状态：没有搜索到相关的信息！！";
const std::string kNoNetwork = "状态：网络连接失败！";

std::string Head(const std::string& extraLines = "") {
  return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n" + extraLines + "Connection: close\r\n\r\n";
}

std::string Garbage(std::size_t size) {
  std::mt19937 random(42);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  bytes[0] = 'x';  // the page is not empty up to its first zero byte
  return bytes;
}

class HostileServer : public ::testing::Test {
 protected:
  struct Outcome {
    bool ended = false;
    std::string status;
    int rows = 0;
    milliseconds worstTimerGap{};
    milliseconds took{};
  };

  // One press of the start button for `source`, run from the event loop.
  Outcome Search(int source) {
    Hosts hosts = Hosts::Defaults();
    hosts.baidu = hosts.tazhao = "127.0.0.1:" + std::to_string(server.port());
    SearchState state;
    state.searchMode = 1;
    state.sourceNumber = source;
    ResultList results;
    testing::RecordingWindow window;
    CookieStore cookies;
    QtEventPump pump;
    HttpPageSource pages(pump, cookies, {}, kTimeoutSeconds);
    FetchingViewer viewer(pages);
    SourceTable sources = testing::BuiltInSources(hosts);
    SearchController controller({state, results, window, pump, pages, viewer, sources});

    Outcome outcome;
    auto last = Clock::now();
    QTimer ticker;
    auto tick = [&] {
      auto now = Clock::now();
      outcome.worstTimerGap = std::max(outcome.worstTimerGap,
                                       std::chrono::duration_cast<milliseconds>(now - last));
      last = now;
    };
    QObject::connect(&ticker, &QTimer::timeout, tick);
    ticker.start(10);
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(milliseconds(60000));
    auto started = Clock::now();
    QTimer::singleShot(0, [&] {
      controller.OnStartStopClick();
      tick();  // work after the last dispatch counts as a gap too
      outcome.ended = !state.Step(SelectedSource(state, sources)->step).running;
      QCoreApplication::quit();
    });
    QCoreApplication::exec();
    outcome.took = std::chrono::duration_cast<milliseconds>(Clock::now() - started);
    outcome.status = GbkToUtf8(results.Status());
    outcome.rows = results.RowCount();
    return outcome;
  }

  static void ExpectLive(const Outcome& o) {
    EXPECT_TRUE(o.ended);
    // A loop held by a fetch would miss the timer for a whole time-out (3 s);
    // reading a 10 MiB page under the sanitizers takes about a second.
    EXPECT_LT(o.worstTimerGap, milliseconds(2000));
  }

  TestHttpServer server;
};

TEST_F(HostileServer, NoAnswerAtAllEndsAfterTheServerFallsSilent) {
  server.Add(Reply().Hang());
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.status, kNoNetwork);
  // The busy timer keeps the wait going; the worker's own silence limit ends it.
  EXPECT_LT(o.took, milliseconds(30000));
}

TEST_F(HostileServer, OneBytePerSecondStillArrives) {
  server.Add(Reply().Send(Head()).SendSlowly("tiny", 1, milliseconds(1000)));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.status, kNothing);
}

TEST_F(HostileServer, ResetInTheBodyKeepsWhatArrived) {
  std::string page = fixtures::BaiduSitePage(2, {3, 3, 1});
  server.Add(Reply().Send(Head("Content-Length: " + std::to_string(page.size() + 5000) + "\r\n") + page).Reset());
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.rows, 3);
  EXPECT_EQ(o.status, kDone);
}

TEST_F(HostileServer, HugeHeaderBlockAndThousandsOfCookies) {
  std::string cookies;
  for (int i = 0; i < 3000; ++i) cookies += "Set-Cookie: c" + std::to_string(i) + "=" + std::string(10, 'v') + "\r\n";
  std::string padding;
  for (int i = 0; i < 1000; ++i) padding += "X-Padding-" + std::to_string(i) + ": " + std::string(50, 'p') + "\r\n";
  server.Add(Reply().Send(Head(cookies + padding) + fixtures::BaiduSitePage(2, {12, 10, 1})));
  server.Add(Reply().Send(Head() + fixtures::BaiduSitePage(2, {12, 2, 11})));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.rows, 12);
  EXPECT_EQ(o.status, kDone);
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_NE(requests[1].find("c2999=vvvvvvvvvv"), std::string::npos);
}

TEST_F(HostileServer, RedirectLoopEndsAsAFailedPage) {
  for (int i = 0; i < 30; ++i) server.Add(TestHttpServer::Redirect(302, server.Url("/again")));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.status, kNoNetwork);
}

TEST_F(HostileServer, BrokenChunkedEncoding) {
  server.Add(Reply().Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
                          "5\r\nabcde\r\nzz-not-a-size\r\nmore\r\n"));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_TRUE(o.status == kNothing || o.status == kNoNetwork) << o.status;
}

TEST_F(HostileServer, CompressedBodyNobodyAskedFor) {
  server.Add(Reply().Send(Head("Content-Encoding: gzip\r\n") + "\x1f\x8b\x08\x00" + Garbage(4000).substr(1)));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.status, kNothing);
}

TEST_F(HostileServer, BinaryGarbage) {
  server.Add(Reply().Send(Head() + Garbage(200000)));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.status, kNothing);
}

TEST_F(HostileServer, InvalidUtf8ForTheUtf8Source) {
  std::string page = fixtures::TazhaoPage({0, 10, 1});
  for (std::size_t at = 50; at < page.size(); at += 97) page.insert(at, "\xC3\x28\xF0\x80\xFF");
  server.Add(Reply().Send(Head() + page));
  Outcome o = Search(1);
  ExpectLive(o);
  EXPECT_EQ(o.status, kDone);
  EXPECT_LE(o.rows, 10);
}

TEST_F(HostileServer, TenMebibytesOfLeftContextWithoutRightContext) {
  std::string page = "<html>找到相关结果约30个<div>咨询热线：</div>";
  while (page.size() < (std::size_t{10} << 20)) page += "<a target=\"_blank\">x";
  server.Add(Reply().Send(Head() + Gbk(page)));
  Outcome o = Search(2);
  ExpectLive(o);
  EXPECT_EQ(o.rows, 0);
  EXPECT_EQ(o.status, kDone);
}

}  // namespace
}  // namespace panscout
