// The verdict cache: each verdict's time, the bound, and files that are
// broken or not the cache's own.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/link_cache.h"
#include "app/temp_directory.h"

namespace panscout {
namespace {

constexpr std::time_t kHour = 3600;

struct Clock {
  std::time_t now = 1700000000;
  WallClock Reader() {
    return [this] { return now; };
  }
};

TEST(LinkCache, EachVerdictHoldsForItsOwnTime) {
  struct Case {
    LinkVerdict verdict;
    std::time_t keptFor;  // 0: never kept
  };
  for (const Case& c : {Case{LinkVerdict::kOk, 24 * kHour}, Case{LinkVerdict::kLocked, 12 * kHour},
                        Case{LinkVerdict::kDead, 6 * kHour}, Case{LinkVerdict::kUnknown, 0}}) {
    Clock clock;
    LinkCache cache(clock.Reader());
    cache.Remember("http://a/1", {c.verdict, "why"});
    clock.now -= 1;  // a verdict from ahead of the clock is not trusted
    EXPECT_FALSE(cache.Fresh("http://a/1"));
    clock.now += c.keptFor;
    EXPECT_EQ(cache.Fresh("http://a/1").has_value(), c.keptFor > 0) << VerdictName(c.verdict);
    clock.now += 1;
    EXPECT_FALSE(cache.Fresh("http://a/1")) << VerdictName(c.verdict);
  }
}

TEST(LinkCache, TheOldestGoesBeyondTheBound) {
  Clock clock;
  LinkCache cache(clock.Reader(), 3);
  for (const char* address : {"http://a/1", "http://a/2", "http://a/3"}) {
    cache.Remember(address, {LinkVerdict::kOk, ""});
    ++clock.now;
  }
  cache.Remember("http://a/1", {LinkVerdict::kDead, "HTTP 404"});  // now the newest
  cache.Remember("http://a/4", {LinkVerdict::kOk, ""});
  EXPECT_FALSE(cache.Fresh("http://a/2"));
  for (const char* address : {"http://a/1", "http://a/3", "http://a/4"}) EXPECT_TRUE(cache.Fresh(address)) << address;
}

class LinkCacheFile : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }

  std::filesystem::path dir_ = std::filesystem::path(::testing::TempDir()) / ("links-" + std::to_string(getpid()));
  std::filesystem::path file_ = dir_ / "panscout" / "links.tsv";
  Clock clock_;
};

TEST_F(LinkCacheFile, FreshVerdictsComeBackFromAFileForTheUserAlone) {
  LinkCache written(clock_.Reader());
  written.Remember("http://a/ok", {LinkVerdict::kOk, "page matches 下载地址"});
  written.Remember("http://a/dead", {LinkVerdict::kDead, "HTTP 404"});
  clock_.now += 7 * kHour;  // the dead one is stale
  ASSERT_FALSE(written.Save(file_));
  struct stat info {};
  ASSERT_EQ(stat(file_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  LinkCache read(clock_.Reader());
  read.Load(file_);
  EXPECT_EQ(read.Fresh("http://a/ok"), (LinkState{LinkVerdict::kOk, "page matches 下载地址"}));
  EXPECT_FALSE(read.Fresh("http://a/dead"));
  EXPECT_EQ(ReadWholeFile(file_).data.find("http://a/dead"), std::string::npos);
}

TEST_F(LinkCacheFile, AFileThatIsBrokenOrNotOursIsIgnoredAndReplaced) {
  const std::string first = "# panscout link verdicts 1\n";
  const std::string good = "1700000000\tok\thttp://a/1\tHTTP 200\n";
  for (const std::string& text : {std::string("1700000000\tok\thttp://a/1\tHTTP 200\n"), "# Netscape HTTP Cookie File\n" + good,
                                  first + good + "17000x\tok\thttp://a/2\t\n", first + good + "1700000000\tfine\thttp://a/2\t\n",
                                  first + good + "1700000000\tok\thttp://a/2\n", first + good + "1700000000\tok\t\t\n",
                                  first + good.substr(0, good.size() - 1), std::string("\0\xff\n", 3) + good}) {
    Write(text);
    LinkCache cache(clock_.Reader());
    cache.Load(file_);
    EXPECT_FALSE(cache.Fresh("http://a/1")) << text;
    ASSERT_FALSE(cache.Save(file_));
    EXPECT_EQ(ReadWholeFile(file_).data, first);
  }
  Write(first + good);
  LinkCache cache(clock_.Reader());
  cache.Load(file_);
  EXPECT_TRUE(cache.Fresh("http://a/1"));
}

}  // namespace
}  // namespace panscout
