// Several sources searched at once against servers of the test's own.

#include "app/multi_source_search.h"

#include "app/all_sources_search.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <set>

#include "net/cookie_store.h"
#include "net/http_page_source.h"
#include "runtime/codepage.h"
#include "search/fixture_pages.h"
#include "search/search_harness.h"
#include "search/search_state.h"
#include "search/source_catalog.h"
#include "support/test_http_server.h"
#include "support/user_definition.h"

namespace panscout {
namespace {

using namespace std::chrono_literals;
using Reply = TestHttpServer::Reply;

Reply Page(const std::string& body) { return TestHttpServer::Response(200, body, "Content-Type: text/html\r\n"); }

class Recorder : public MultiSearchListener {
 public:
  std::vector<std::string> rows;  // "ID ADDRESS"
  std::vector<std::string> ended;  // "ID HITS STATUS"
  int allEnded = 0;
  MultiOutcome outcome;

  void OnRow(const SourceRule& source, const std::vector<ResultColumn>&, const ResultRow& row) override {
    Record([&] { rows.push_back(source.id + " " + row.address); });
  }
  void OnSourceEnded(const SourceRule& source, const SourceOutcome& o, int) override {
    Record([&] { ended.push_back(source.id + " " + std::to_string(o.hits) + " " + GbkToUtf8(o.status)); });
  }
  void OnAllEnded(const MultiOutcome& o) override {
    Record([&] {
      ++allEnded;
      outcome = o;
    });
  }

  template <typename Predicate>
  bool WaitUntil(Predicate ready) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 20s, ready);
  }
  template <typename Read>
  auto Locked(Read read) {
    std::lock_guard lock(mutex_);
    return read();
  }

 private:
  template <typename Change>
  void Record(Change change) {
    std::lock_guard lock(mutex_);
    change();
    changed_.notify_all();
  }
  std::mutex mutex_;
  std::condition_variable changed_;
};

class ManySources : public ::testing::Test {
 protected:
  ManySources() {
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "again.toml") << testing::UserCopy(PANSCOUT_SOURCES "/115.toml", "again", "again");
    Hosts hosts = Hosts::Defaults();
    hosts.tazhao = "127.0.0.1:" + std::to_string(tazhao.port());
    hosts.baidu = "127.0.0.1:" + std::to_string(baidu.port());
    hosts.google = hosts.iask = "127.0.0.1:1";  // nothing listens there
    sources_ = LoadSources(hosts, {dir_}).table;
  }
  ~ManySources() override { std::filesystem::remove_all(dir_); }

  std::unique_ptr<MultiSourceSearch> Search(const std::vector<std::string>& ids) {
    std::vector<SourceJob> jobs;
    for (const std::string& id : ids) jobs.push_back({sources_.Named(id)});
    return std::make_unique<MultiSourceSearch>(sources_, jobs, "movie", 0, Pages(), recorder);
  }

  PageSourceMaker Pages() {
    return [this](EventPump& pump, std::function<bool()> abandoned) -> std::unique_ptr<PageSource> {
      return std::make_unique<HttpPageSource>(pump, cookies_, NetworkSettings{}, timeoutSeconds, std::move(abandoned));
    };
  }

  TestHttpServer tazhao, baidu;
  Recorder recorder;
  SourceTable sources_;
  int timeoutSeconds = 60;

 private:
  std::filesystem::path dir_ = std::filesystem::path(::testing::TempDir()) / ("multi-" + std::to_string(getpid()));
  CookieStore cookies_;
};

TEST_F(ManySources, RowsComeWithTheirPageWhileAnotherSourceHangsAndAbortEndsEveryFetch) {
  tazhao.Add(Reply().Hang());
  baidu.Add(Page(fixtures::BaiduSitePage(2, {20, 10})));
  baidu.Add(Reply().Hang());
  auto search = Search({"tazhao", "115"});
  search->Start();
  ASSERT_TRUE(recorder.WaitUntil([&] { return recorder.rows.size() == 10; }));
  ASSERT_TRUE(baidu.WaitForRequests(2, 20s));
  EXPECT_TRUE(recorder.Locked([&] { return recorder.ended.empty(); }));
  auto started = std::chrono::steady_clock::now();
  search->Abort();
  search->Wait();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  EXPECT_TRUE(recorder.ended.empty());
  EXPECT_EQ(recorder.allEnded, 0);
}

TEST_F(ManySources, AnAddressAnotherSourceListedFirstIsDropped) {
  for (int i = 0; i < 2; ++i) baidu.Add(Page(fixtures::BaiduSitePage(2, {3, 3})));
  auto search = Search({"115", "again"});
  search->Start();
  search->Wait();
  ASSERT_EQ(recorder.allEnded, 1);
  EXPECT_EQ(recorder.outcome.listed, 3);
  EXPECT_EQ(recorder.outcome.duplicates, 3);
  std::set<std::string> addresses;
  for (const std::string& row : recorder.rows) addresses.insert(row.substr(row.find(' ')));
  EXPECT_EQ(addresses.size(), 3u);
  EXPECT_EQ(std::set<std::string>(recorder.ended.begin(), recorder.ended.end()),
            (std::set<std::string>{"115 3 状态：已经搜索完毕！", "again 3 状态：已经搜索完毕！"}));
}

TEST_F(ManySources, ATricklingSourceEndsAtItsTimeOut) {
  tazhao.Add(Reply().Send("HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n").SendSlowly(std::string(20, 'x'), 1, 300ms));
  timeoutSeconds = 1;
  auto search = Search({"tazhao"});
  auto started = std::chrono::steady_clock::now();
  search->Start();
  search->Wait();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  EXPECT_EQ(recorder.ended, std::vector<std::string>{"tazhao 0 状态：网络连接失败！"});
}

TEST_F(ManySources, StopEndsEachSourceAfterThePageItIsReading) {
  baidu.Add(Page(fixtures::BaiduSitePage(2, {30, 10})));
  // The stop comes while the second page is under way.
  baidu.Add(Reply().Pause(500ms).Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" +
                                      fixtures::BaiduSitePage(2, {30, 10, 11})));
  auto search = Search({"115"});
  search->Start();
  ASSERT_TRUE(recorder.WaitUntil([&] { return recorder.rows.size() == 10; }));
  search->Stop();
  search->Wait();
  EXPECT_EQ(recorder.ended, std::vector<std::string>{"115 20 状态："});
  EXPECT_EQ(baidu.Requests().size(), 2u);
}

// The window's thread, played by the test: the calls wait until it drains them.
class PostedCalls {
 public:
  void Post(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }
  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return calls_.size();
  }
  void Drain() {
    std::vector<std::function<void()>> calls;
    {
      std::lock_guard lock(mutex_);
      calls.swap(calls_);
    }
    for (auto& call : calls) call();
  }

 private:
  std::mutex mutex_;
  std::vector<std::function<void()>> calls_;
};

class AllSources : public ManySources {
 protected:
  AllSources() { state_.searchMode = kNetDiskMode; }
  std::unique_ptr<AllSourcesSearch> Search() {
    return std::make_unique<AllSourcesSearch>(AllSourcesContext{
        state_, sources_, results, window, Pages(), [this](std::function<void()> call) { posted.Post(call); },
        [this](const Text& lines) { details = GbkToUtf8(lines); }});
  }
  bool DrainUntil(const std::function<bool()>& done) {
    for (auto end = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < end;) {
      posted.Drain();
      if (done()) return true;
      std::this_thread::sleep_for(5ms);
    }
    return false;
  }
  std::string Status() const { return GbkToUtf8(results.Status()); }

  SearchState state_;
  ResultList results;
  testing::RecordingWindow window;
  PostedCalls posted;
  std::string details;
};

TEST_F(AllSources, RowsJoinTheListOnTheWindowsThreadWithTheirSourceAndTheTotalsEndIt) {
  tazhao.Add(Page(""));
  baidu.Add(Page(fixtures::BaiduSitePage(2, {4, 4})));
  auto search = Search();
  search->OnStartStopClick();
  EXPECT_EQ(window.Look(), "停止搜索 keyword off busy");
  EXPECT_EQ(results.RowCount(), 0);  // nothing reaches the list but through the window's thread
  ASSERT_TRUE(DrainUntil([&] { return Status().rfind("状态：已经搜索完毕！", 0) == 0; })) << Status();
  EXPECT_EQ(Status(), "状态：已经搜索完毕！共 4 条，去掉重复 0 条");
  EXPECT_EQ(window.Look(), "开始搜索 keyword on idle");
  ASSERT_EQ(results.RowCount(), 4);
  EXPECT_EQ(results.Columns().back().field, ResultField::kSource);
  // Whichever source of the search engine's asked first got the page.
  const SourceRule* owner = sources_.Find(results.Row(0).origin);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(results.Row(3).source, owner->caption);
  EXPECT_NE(details.find(GbkToUtf8(owner->caption) + ": 4 条，状态：已经搜索完毕！"), std::string::npos) << details;
}

TEST_F(AllSources, WhatAnAbortedSearchPostedIsDropped) {
  tazhao.Add(Reply().Hang());
  // Each source of the search engine's gets a first page; what comes next hangs.
  for (int i = 0; i < 4; ++i) baidu.Add(Page(fixtures::BaiduSitePage(2, {20, 10})));
  for (int i = 0; i < 4; ++i) baidu.Add(Reply().Hang());
  auto search = Search();
  search->OnStartStopClick();
  auto end = std::chrono::steady_clock::now() + 20s;
  while (posted.Count() < 10 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
  ASSERT_GE(posted.Count(), 10u);
  search->Abort();
  EXPECT_EQ(window.Look(), "开始搜索 keyword on idle");
  posted.Drain();
  EXPECT_EQ(results.RowCount(), 0);
}

}  // namespace
}  // namespace panscout
