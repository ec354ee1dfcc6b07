// panscout-cli against the demo services: every source and the torrent
// search list exactly the rows their pages hold.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "demo/result_pages.h"
#include "demo/site_pages.h"
#include "support/child_process.h"
#include "support/test_http_server.h"
#include "support/user_definition.h"
#include "tools/demo_process.h"

namespace panscout {
namespace {

using demo::testing::DemoProcess;
using testing::ChildResult;

// panscout-cli with `hostsPath` and `args`, its output on a pipe whose
// reading end goes to `out` and its errors to /dev/null.
pid_t StartCli(const std::string& hostsPath, std::vector<std::string> args, int& out) {
  int ends[2];
  if (pipe(ends) != 0) return -1;
  args.insert(args.begin(), {PANSCOUT_CLI, "--hosts", hostsPath});
  pid_t pid = fork();
  if (pid == 0) {
    dup2(ends[1], STDOUT_FILENO);
    dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(PANSCOUT_CLI, argv.data());
    _exit(127);
  }
  close(ends[1]);
  out = ends[0];
  return pid;
}

class CliAgainstDemo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = new DemoProcess;
    ASSERT_TRUE(demo_->Start());
  }
  static void TearDownTestSuite() {
    delete demo_;
    demo_ = nullptr;
  }

  ChildResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {PANSCOUT_CLI, "--hosts", demo_->hostsPath(), "--timeout", "20"});
    return testing::RunChild(args);
  }

  static std::vector<std::vector<std::string>> Rows(const std::string& tsv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(tsv);
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> cells;
      std::size_t begin = 0;
      for (auto tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', begin)) {
        cells.push_back(line.substr(begin, tab - begin));
        begin = tab + 1;
      }
      cells.push_back(line.substr(begin));
      rows.push_back(cells);
    }
    return rows;
  }

  // The demo's hosts file with these services' addresses replaced.
  static std::filesystem::path HostsFileWith(const std::map<std::string, std::string>& moved) {
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / ("panscout-hosts-" + std::to_string(getpid()));
    std::string text = demo_->hostsText();
    for (const auto& [service, address] : moved) {
      std::size_t at = text.find("\n" + service + "=") + service.size() + 2;
      text.replace(at, text.find('\n', at) - at, address);
    }
    std::ofstream(path) << text;
    return path;
  }

  static std::vector<std::string> ExpectedRow(int source, const std::string& keyword, int k) {
    demo::Hit hit = demo::ExpectedHit(demo_->hosts(), source, demo::ParseKeyword(keyword), k);
    if (source == demo::kTorrent) return {hit.name, hit.address};
    return {hit.name, hit.size, hit.address};
  }

  static DemoProcess* demo_;
};

DemoProcess* CliAgainstDemo::demo_ = nullptr;

TEST_F(CliAgainstDemo, EverySourceListsEveryHitOfItsPages) {
  const std::string keyword = "电影";
  for (int source = 1; source <= 7; ++source) {
    ChildResult r = Cli({"--source", std::to_string(source), keyword});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 23u) << "source " << source << "\n" << r.out << r.err;
    for (int k = 1; k <= 23; ++k) EXPECT_EQ(rows[k - 1], ExpectedRow(source, keyword, k)) << "source " << source;
    EXPECT_EQ(r.err, "状态：已经搜索完毕！\n") << "source " << source;
  }
}

TEST_F(CliAgainstDemo, TorrentSearchEndsWithItsMessage) {
  ChildResult r = Cli({"--mode", "torrent", "种子#12"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto rows = Rows(r.out);
  ASSERT_EQ(rows.size(), 12u);
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(rows[k - 1], ExpectedRow(demo::kTorrent, "种子#12", k));
  EXPECT_EQ(r.err, "搜索完毕！\n状态：\n");
}

TEST_F(CliAgainstDemo, PageLimitStopsAfterThatPage) {
  ChildResult r = Cli({"--source", "115", "--max-pages", "2", "书#45"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Rows(r.out).size(), 20u);
  EXPECT_EQ(r.err, "状态：\n");
}

TEST_F(CliAgainstDemo, NoResultsAndJsonOutput) {
  ChildResult none = Cli({"--source", "namipan", "nothing"});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "状态：没有搜索到相关的信息！！\n");

  ChildResult json = Cli({"--source", "iask", "--format", "json", "歌#1"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  auto row = ExpectedRow(demo::kIAsk, "歌#1", 1);
  EXPECT_EQ(json.out, "[\n {\"name\": \"" + row[0] + "\", \"size\": \"" + row[1] + "\", \"address\": \"" + row[2] +
                          "\"}\n]\n");
}

TEST_F(CliAgainstDemo, AUserDefinitionSearchesFromItsDirectoryOrTheUsersOwn) {
  const std::filesystem::path home = std::filesystem::path(::testing::TempDir()) / ("panscout-data-" + std::to_string(getpid()));
  const std::filesystem::path own = home / "panscout" / "sources", other = home / "other";
  std::filesystem::create_directories(own);
  std::filesystem::create_directories(other);
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  for (const std::filesystem::path& dir : {own, other}) {
    std::filesystem::remove(own / "mysite.toml");
    std::ofstream(dir / "mysite.toml", std::ios::binary) << testing::UserCopy(PANSCOUT_SOURCES "/namipan.toml", "mysite", "我的站");
    std::vector<std::string> args = {"--source", "mysite", "电影"};
    if (dir == other) args.insert(args.begin(), {"--sources", other.string()});
    ChildResult r = Cli(args);
    auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 23u) << r.err;
    for (int k = 1; k <= 23; ++k) EXPECT_EQ(rows[k - 1], ExpectedRow(demo::kNamipan, "电影", k));
    EXPECT_EQ(r.err, "状态：已经搜索完毕！\n");
  }
  ChildResult listed = Cli({"--sources", other.string(), "--list-sources"});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_EQ(listed.out.substr(listed.out.rfind("\n", listed.out.size() - 2) + 1), "mysite\t我的站\tsite\n");
  std::ofstream(other / "broken.toml") << "id = \"broken\"\n[query]\npath = 3\n";
  ChildResult skipped = Cli({"--sources", other.string(), "--source", "mysite", "--max-pages", "1", "电影"});
  EXPECT_EQ(Rows(skipped.out).size(), 10u);
  EXPECT_NE(skipped.err.find("broken.toml:3: query.path must be a string"), std::string::npos) << skipped.err;
  unsetenv("XDG_DATA_HOME");
  std::filesystem::remove_all(home);
}

// The built-ins' ids in source-number order.
const std::vector<std::string> kSourceIds = {"tazhao", "115", "namipan", "xun6", "rayfile", "iask", "hotfile"};

TEST_F(CliAgainstDemo, AllSourcesAtOnceListTheirUnionWithTheSourceFirst) {
  const std::string keyword = "电影#12";
  ChildResult r = Cli({"--source", "all", keyword});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::map<std::string, std::vector<std::vector<std::string>>> bySource;
  for (auto& row : Rows(r.out)) {
    std::string id = row.front();
    row.erase(row.begin());
    bySource[id].push_back(row);
  }
  // hotfile's button is hidden, so "all" leaves it out.
  ASSERT_EQ(bySource.size(), kSourceIds.size() - 1) << r.out;
  for (int source = 1; source <= 6; ++source) {
    const std::string& id = kSourceIds[source - 1];
    ASSERT_EQ(bySource[id].size(), 12u) << id;
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(bySource[id][k - 1], ExpectedRow(source, keyword, k)) << id;
    EXPECT_NE(r.err.find(id + ": 12 hits, 状态：已经搜索完毕！\n"), std::string::npos) << r.err;
  }
  EXPECT_EQ(r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1), "total: 72 hits from 6 sources, 0 duplicates dropped\n");
}

TEST_F(CliAgainstDemo, AHitAnotherSourceListedIsDroppedAndJsonLinesNameTheSource) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / ("panscout-copy-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "again.toml", std::ios::binary) << testing::UserCopy(PANSCOUT_SOURCES "/namipan.toml", "again", "又一个");
  ChildResult r = Cli({"--sources", dir.string(), "--source", "namipan,again,3", "--format", "jsonl", "电影#5"});
  std::filesystem::remove_all(dir);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::set<std::string> expected, listed;
  for (int k = 1; k <= 5; ++k) {
    auto row = ExpectedRow(demo::kNamipan, "电影#5", k);
    expected.insert("\"name\": \"" + row[0] + "\", \"size\": \"" + row[1] + "\", \"address\": \"" + row[2] + "\"}");
  }
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    for (const std::string id : {"namipan", "again"}) {
      const std::string lead = "{\"source\": \"" + id + "\", ";
      if (line.rfind(lead, 0) == 0) listed.insert(line.substr(lead.size()));
    }
  }
  EXPECT_EQ(listed, expected) << r.out;
  for (const std::string id : {"namipan", "again"}) {
    EXPECT_NE(r.err.find(id + ": 5 hits, 状态：已经搜索完毕！\n"), std::string::npos) << r.err;
  }
  EXPECT_NE(r.err.find("total: 5 hits from 2 sources, 5 duplicates dropped\n"), std::string::npos) << r.err;
}

TEST_F(CliAgainstDemo, AnUnreachableSourceFailsAloneAndAllUnreachableExitWithOne) {
  const std::filesystem::path hosts = HostsFileWith({{"tazhao", "127.0.0.1:1"}, {"iask", "127.0.0.1:1"}});  // nothing listens there
  auto run = [&](const std::string& sources) {
    return testing::RunChild({PANSCOUT_CLI, "--hosts", hosts.string(), "--source", sources, "歌#3"});
  };
  ChildResult some = run("tazhao,115");
  EXPECT_EQ(some.exitCode, 0) << some.err;
  EXPECT_EQ(Rows(some.out).size(), 3u);
  EXPECT_NE(some.err.find("tazhao: 0 hits, 状态：网络连接失败！ ("), std::string::npos) << some.err;
  EXPECT_NE(some.err.find("115: 3 hits, 状态：已经搜索完毕！\n"), std::string::npos) << some.err;
  ChildResult none = run("tazhao,iask");
  EXPECT_EQ(none.exitCode, 1) << none.err;
  EXPECT_NE(none.err.find("total: 0 hits from 2 sources"), std::string::npos) << none.err;
  std::filesystem::remove(hosts);
}

TEST_F(CliAgainstDemo, ASourceThatEndedHasItsRowsOutWhileAnotherStillWaits) {
  TestHttpServer baidu;  // 115 asks Baidu, which never answers here
  baidu.Add(TestHttpServer::Reply().Hang());
  const std::filesystem::path hosts = HostsFileWith({{"baidu", "127.0.0.1:" + std::to_string(baidu.port())}});
  int out = -1;
  pid_t pid = StartCli(hosts.string(), {"--source", "tazhao,115", "x#7"}, out);
  ASSERT_GT(pid, 0);
  std::string listed;
  pollfd ready{out, POLLIN, 0};
  while (std::count(listed.begin(), listed.end(), '\n') < 7 && poll(&ready, 1, 10000) == 1) {
    char buffer[4096];
    ssize_t got = read(out, buffer, sizeof buffer);
    if (got <= 0) break;
    listed.append(buffer, got);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  close(out);
  std::filesystem::remove(hosts);
  auto rows = Rows(listed);
  ASSERT_EQ(rows.size(), 7u) << listed;
  for (const auto& row : rows) EXPECT_EQ(row[0], "tazhao");
}

// The verdict the demo's hit page for hit k earns.
std::string DemoVerdict(int k) {
  switch (demo::HitPageKindOf(k)) {
    case demo::HitPageKind::kDead:
    case demo::HitPageKind::kMissing: return "dead";
    case demo::HitPageKind::kLocked: return "locked";
    case demo::HitPageKind::kBusy: return "unknown";
    default: return "ok";
  }
}

class CliLinkCheck : public CliAgainstDemo {
 protected:
  void SetUp() override { setenv("XDG_CACHE_HOME", cache_.c_str(), 1); }
  void TearDown() override {
    unsetenv("XDG_CACHE_HOME");
    std::filesystem::remove_all(cache_);
  }
  const std::filesystem::path cache_ =
      std::filesystem::path(::testing::TempDir()) / ("panscout-cache-" + std::to_string(getpid()));
};

TEST_F(CliLinkCheck, EveryHitIsListedInItsOrderWithItsVerdict) {
  const std::string keyword = "电影#12";
  ChildResult r = Cli({"--source", "tazhao,115,namipan,xun6,rayfile,iask,hotfile", "--check-links", keyword});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ChildResult torrent = Cli({"--mode", "torrent", "--check-links", keyword});
  ASSERT_EQ(torrent.exitCode, 0) << torrent.err;
  std::map<std::string, std::vector<std::vector<std::string>>> bySource;
  for (auto& row : Rows(r.out)) bySource[row[0]].push_back(std::vector<std::string>(row.begin() + 1, row.end()));
  bySource["torrent"] = Rows(torrent.out);
  for (int source = 1; source <= 8; ++source) {
    const std::string id = source == demo::kTorrent ? "torrent" : kSourceIds[source - 1];
    std::vector<std::vector<std::string>> expected;
    for (int k = 1; k <= 12; ++k) {
      expected.push_back(ExpectedRow(source, keyword, k));
      expected.back().push_back(DemoVerdict(k));
    }
    EXPECT_EQ(bySource[id], expected) << id;
    const std::string busy = ExpectedRow(source, keyword, 9).back();
    EXPECT_NE((source == demo::kTorrent ? torrent : r).err.find("panscout-cli: " + busy + ": HTTP 503\n"),
              std::string::npos) << id;
  }
}

TEST_F(CliLinkCheck, AUserDefinitionChecksByItsOwnTableAndVerdictsAreKept) {
  const std::filesystem::path dir = cache_ / "sources";
  std::filesystem::create_directories(dir);
  auto withoutCheck = [](const std::string& text) { return text.substr(0, text.find("\n# The hit's page")); };
  // Only the alive text: deleted and locked pages match nothing, so their verdict is unknown.
  std::ofstream(dir / "mysite.toml", std::ios::binary)
      << withoutCheck(testing::UserCopy(PANSCOUT_SOURCES "/namipan.toml", "mysite", "我的站"))
      << "\n[check]\nalive = '下载此文件'\ncharset = \"utf-8\"\n";
  // No table at all: the status alone decides.
  std::ofstream(dir / "bare.toml", std::ios::binary)
      << withoutCheck(testing::UserCopy(PANSCOUT_SOURCES "/namipan.toml", "bare", "光"));
  struct Case {
    std::string id;
    std::vector<std::string> verdicts;  // of hits 1 to 8
  };
  for (const Case& c : {Case{"mysite", {"ok", "ok", "ok", "unknown", "ok", "unknown", "dead", "ok"}},
                        Case{"bare", {"ok", "ok", "ok", "ok", "ok", "ok", "dead", "ok"}}}) {
    // Both list the same addresses: each run fetches them anew.
    ChildResult r = Cli({"--sources", dir.string(), "--source", c.id, "--recheck", "--format", "jsonl", "电影#8"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    for (const std::string& verdict : c.verdicts) {
      ASSERT_TRUE(std::getline(lines, line)) << c.id;
      EXPECT_EQ(line.substr(line.rfind(", ")), ", \"status\": \"" + verdict + "\"}") << c.id << " " << line;
    }
  }

  // A verdict from the cache file is taken as it stands, until --recheck.
  const std::filesystem::path file = cache_ / "panscout" / "links.tsv";
  const std::string first = ExpectedRow(demo::kNamipan, "电影#8", 1).back();
  std::ifstream in(file, std::ios::binary);
  std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t at = kept.find("\tok\t" + first + "\t");
  ASSERT_NE(at, std::string::npos) << kept;
  kept.replace(at, 4, "\tlocked\t");
  std::ofstream(file, std::ios::binary) << kept;
  for (const char* flag : {"--only-alive", "--recheck"}) {
    ChildResult r = Cli({"--sources", dir.string(), "--source", "bare", flag, "电影#8"});
    auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), std::string(flag) == "--only-alive" ? 7u : 8u) << r.out << r.err;
    EXPECT_EQ(rows[0].back(), std::string(flag) == "--only-alive" ? "locked" : "ok") << flag;
    EXPECT_EQ(rows[0][2], first);
  }
}

TEST_F(CliAgainstDemo, UsageErrorsExitWithTwo) {
  ChildResult empty = Cli({""});
  EXPECT_EQ(empty.exitCode, 2);
  EXPECT_EQ(empty.err, "关键字不能为空！\n");
  EXPECT_EQ(Cli({"--source", "9", "x"}).exitCode, 2);
  EXPECT_EQ(Cli({"--source", "115,9", "x"}).exitCode, 2);
  EXPECT_EQ(Cli({"--source", "115,iask", "--page", "p.html", "x"}).exitCode, 2);
  ChildResult badHosts = testing::RunChild({PANSCOUT_CLI, "--hosts", "/nonexistent.ini", "x"});
  EXPECT_EQ(badHosts.exitCode, 2);
  EXPECT_NE(badHosts.err.find("/nonexistent.ini"), std::string::npos);
}

TEST(CliInterrupts, TheFirstCtrlCEndsAfterThePageBeingReadTheSecondAtOnce) {
  DemoProcess slow;
  ASSERT_TRUE(slow.Start({"--slow", "baidu=300"}));
  for (auto [interrupts, exitStatus] : {std::pair{1, 0}, std::pair{2, 130}}) {
    int out = -1;
    pid_t pid = StartCli(slow.hostsPath(), {"--source", "2", "x#500"}, out);
    ASSERT_GT(pid, 0);
    std::string listed(1, '\0');
    ASSERT_EQ(read(out, listed.data(), 1), 1);  // the first page is out; the second is on its way
    for (int i = 0; i < interrupts; ++i) {
      kill(pid, SIGINT);
      usleep(50000);  // two at once would arrive as one
    }
    char buffer[4096];
    for (ssize_t got; (got = read(out, buffer, sizeof buffer)) > 0;) listed.append(buffer, got);
    close(out);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_EQ(WEXITSTATUS(status), exitStatus) << interrupts;
    if (interrupts == 1) EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 20);
  }
}

}  // namespace
}  // namespace panscout
