// Link checks against servers the test starts on 127.0.0.1: a verdict for
// every kind of answer, redirects into https, the time-out, the limits on
// simultaneous requests, the cache and cancelling.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>

#include "app/link_cache.h"
#include "app/link_checker.h"
#include "runtime/codepage.h"
#include "support/local_http_server.h"
#include "support/local_https_server.h"
#include "support/test_certificates.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

using namespace std::chrono_literals;
using testing::LocalHttpServer;

const LinkCheckRule kRule{Gbk("文件不存在|已被删除"), Gbk("请输入提取码"), Gbk("下载地址"), true};

// What the checker told, by address.
class Verdicts {
 public:
  LinkChecker::Told Recorder() {
    return [this](const Text& address, const LinkState& state) {
      std::lock_guard lock(mutex_);
      told_[address] = state;
    };
  }
  std::map<Text, LinkState> All() {
    std::lock_guard lock(mutex_);
    return told_;
  }

 private:
  std::mutex mutex_;
  std::map<Text, LinkState> told_;
};

void Serve(httplib::Server& server, const std::string& path, int status, const std::string& body) {
  server.Get(path, [status, body](const httplib::Request&, httplib::Response& res) {
    res.status = status;
    res.set_content(body, "text/html; charset=utf-8");
  });
}

TEST(LinkChecker, EveryAnswerGivesItsVerdict) {
  auto certificates = testing::MakeTestCertificates(::testing::TempDir());
  ASSERT_TRUE(certificates);
  testing::LocalHttpsServer https(*certificates);
  Serve(https.server(), "/locked", 200, "请输入提取码");
  https.Start();
  LocalHttpServer http;
  Serve(http.server(), "/ok", 200, "<a>下载地址</a>");
  Serve(http.server(), "/dead", 200, "文件不存在");
  Serve(http.server(), "/locked", 200, "请输入提取码");
  Serve(http.server(), "/none", 200, "维护中");
  Serve(http.server(), "/gone", 410, "");
  Serve(http.server(), "/busy", 503, "下载地址");
  http.server().Get("/moved", [&http](const httplib::Request&, httplib::Response& res) {
    res.set_redirect(http.Url("/ok"));
  });
  http.server().Get("/secure", [&https](const httplib::Request&, httplib::Response& res) {
    res.set_redirect(https.Url("/locked"));
  });
  http.Start();
  NetworkSettings network;
  network.caFile = certificates->ca.string();

  const std::map<std::string, LinkState> expected = {
      {http.Url("/ok"), {LinkVerdict::kOk, "page matches 下载地址"}},
      {http.Url("/dead"), {LinkVerdict::kDead, "page matches 文件不存在"}},
      {http.Url("/locked"), {LinkVerdict::kLocked, "page matches 请输入提取码"}},
      {http.Url("/none"), {LinkVerdict::kUnknown, "page matches none of dead, locked and alive"}},
      {http.Url("/missing"), {LinkVerdict::kDead, "HTTP 404"}},
      {http.Url("/gone"), {LinkVerdict::kDead, "HTTP 410"}},
      {http.Url("/busy"), {LinkVerdict::kUnknown, "HTTP 503"}},
      {http.Url("/moved"), {LinkVerdict::kOk, "page matches 下载地址"}},
      {http.Url("/secure"), {LinkVerdict::kLocked, "page matches 请输入提取码"}},
      {"http://127.0.0.1:1/refused", {LinkVerdict::kUnknown, "connection refused"}},
  };
  CookieStore cookies;
  Verdicts verdicts;
  {
    LinkChecker checker(cookies, network, nullptr, verdicts.Recorder());
    for (const auto& [address, state] : expected) checker.Check(address, kRule);
    checker.WaitIdle();
  }
  std::map<Text, LinkState> told = verdicts.All();
  for (const auto& [address, state] : expected) {
    EXPECT_EQ(VerdictName(told[address].verdict), std::string(VerdictName(state.verdict))) << address;
    EXPECT_EQ(told[address].reason, state.reason) << address;
  }
}

TEST(LinkChecker, GivesUpOnASilentOrTricklingServer) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n";
  for (TestHttpServer::Reply reply : {TestHttpServer::Reply().Hang(),
                                      TestHttpServer::Reply().Send(head).SendSlowly(std::string(20, 'x'), 1, 300ms)}) {
    TestHttpServer server;
    server.Add(reply);
    CookieStore cookies;
    Verdicts verdicts;
    LinkCheckSettings settings;
    settings.timeoutSeconds = 1;
    LinkChecker checker(cookies, {}, nullptr, verdicts.Recorder(), settings);
    auto start = std::chrono::steady_clock::now();
    checker.Check(server.Url("/slow"), kRule);
    checker.WaitIdle();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(verdicts.All()[server.Url("/slow")], (LinkState{LinkVerdict::kUnknown, "timed out after 1 s"}));
  }
}

// Counts the requests a server is answering at once.
struct CountedServer {
  LocalHttpServer http;
  std::atomic<int> now{0}, most{0};
  std::shared_ptr<std::atomic<int>> all;

  explicit CountedServer(std::shared_ptr<std::atomic<int>> allNow, std::shared_ptr<std::atomic<int>> allMost)
      : all(std::move(allNow)) {
    http.server().new_task_queue = [] { return new httplib::ThreadPool(8); };
    http.server().Get(".*", [this, allMost](const httplib::Request&, httplib::Response& res) {
      int here = ++now, everywhere = ++*all;
      for (int m = most; here > m && !most.compare_exchange_weak(m, here);) {}
      for (int m = *allMost; everywhere > m && !allMost->compare_exchange_weak(m, everywhere);) {}
      std::this_thread::sleep_for(300ms);
      --now;
      --*all;
      res.set_content("下载地址", "text/html");
    });
    http.Start();
  }
};

TEST(LinkChecker, KeepsToTheLimitsOfRequestsAtOnceAndPerServer) {
  auto allNow = std::make_shared<std::atomic<int>>(0), allMost = std::make_shared<std::atomic<int>>(0);
  std::vector<std::unique_ptr<CountedServer>> servers;
  for (int i = 0; i < 3; ++i) servers.push_back(std::make_unique<CountedServer>(allNow, allMost));
  CookieStore cookies;
  Verdicts verdicts;
  {
    LinkChecker checker(cookies, {}, nullptr, verdicts.Recorder());
    // One server's addresses first: only the limit per server keeps them from taking every request.
    for (auto& server : servers) {
      for (int k = 0; k < 4; ++k) checker.Check(server->http.Url("/file/" + std::to_string(k)), kRule);
    }
    checker.WaitIdle();
  }
  EXPECT_EQ(verdicts.All().size(), 12u);
  EXPECT_EQ(allMost->load(), 4);
  for (auto& server : servers) EXPECT_EQ(server->most.load(), 2);
}

TEST(LinkChecker, AFreshVerdictInTheCacheIsNotFetchedAgainUnlessRechecked) {
  LocalHttpServer http;
  std::atomic<int> requests{0};
  http.server().Get("/file", [&requests](const httplib::Request&, httplib::Response& res) {
    ++requests;
    res.set_content("请输入提取码", "text/html");
  });
  http.Start();
  LinkCache cache;
  CookieStore cookies;
  for (bool recheck : {false, false, true}) {
    Verdicts verdicts;
    LinkCheckSettings settings;
    settings.recheck = recheck;
    LinkChecker checker(cookies, {}, &cache, verdicts.Recorder(), settings);
    checker.Check(http.Url("/file"), kRule);
    checker.WaitIdle();
    EXPECT_EQ(verdicts.All()[http.Url("/file")].verdict, LinkVerdict::kLocked);
  }
  EXPECT_EQ(requests.load(), 2);
}

TEST(LinkChecker, CancelledChecksAreStoppedAndNeverTold) {
  TestHttpServer server;
  for (int i = 0; i < 3; ++i) server.Add(TestHttpServer::Reply().Hang());
  CookieStore cookies;
  Verdicts verdicts;
  LinkChecker checker(cookies, {}, nullptr, verdicts.Recorder());
  for (int i = 0; i < 3; ++i) checker.Check(server.Url("/" + std::to_string(i)), kRule);
  ASSERT_TRUE(server.WaitForRequests(2, 5s));
  auto start = std::chrono::steady_clock::now();
  checker.Cancel();
  checker.WaitIdle();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(verdicts.All().empty());
}

}  // namespace
}  // namespace panscout
