// Several sources searched at once against servers of the test's own.

#include "app/multi_source_search.h"

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
    sources_ = LoadSources(hosts, {dir_}).table;
  }
  ~ManySources() override { std::filesystem::remove_all(dir_); }

  std::unique_ptr<MultiSourceSearch> Search(const std::vector<std::string>& ids) {
    std::vector<SourceJob> jobs;
    for (const std::string& id : ids) jobs.push_back({sources_.Named(id)});
    auto pages = [this](EventPump& pump, std::function<bool()> abandoned) -> std::unique_ptr<PageSource> {
      return std::make_unique<HttpPageSource>(pump, cookies_, NetworkSettings{}, 60, std::move(abandoned));
    };
    return std::make_unique<MultiSourceSearch>(sources_, jobs, "movie", 0, pages, recorder);
  }

  TestHttpServer tazhao, baidu;
  Recorder recorder;

 private:
  std::filesystem::path dir_ = std::filesystem::path(::testing::TempDir()) / ("multi-" + std::to_string(getpid()));
  SourceTable sources_;
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

}  // namespace
}  // namespace panscout
