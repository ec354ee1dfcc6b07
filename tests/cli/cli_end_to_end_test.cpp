// panscout-cli against the demo services: every source and the torrent
// search list exactly the rows their pages hold.

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "demo/result_pages.h"
#include "support/child_process.h"
#include "support/user_definition.h"
#include "tools/demo_process.h"

namespace panscout {
namespace {

using demo::testing::DemoProcess;
using testing::ChildResult;

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

TEST_F(CliAgainstDemo, UsageErrorsExitWithTwo) {
  ChildResult empty = Cli({""});
  EXPECT_EQ(empty.exitCode, 2);
  EXPECT_EQ(empty.err, "关键字不能为空！\n");
  EXPECT_EQ(Cli({"--source", "9", "x"}).exitCode, 2);
  ChildResult badHosts = testing::RunChild({PANSCOUT_CLI, "--hosts", "/nonexistent.ini", "x"});
  EXPECT_EQ(badHosts.exitCode, 2);
  EXPECT_NE(badHosts.err.find("/nonexistent.ini"), std::string::npos);
}

}  // namespace
}  // namespace panscout
