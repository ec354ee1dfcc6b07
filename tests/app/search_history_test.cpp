#include "app/search_history.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ad_test_support.h"

namespace panscout {
namespace {

using testing::ScratchDir;

TEST(SearchHistory, RemembersDistinctKeywordsNewestFirstUpToTwenty) {
  SearchHistory history;
  for (int i = 0; i < 25; ++i) history.Remember("k" + std::to_string(i));
  history.Remember("k10");
  ASSERT_EQ(history.keywords.size(), 20u);
  EXPECT_EQ(history.keywords[0], "k10");
  EXPECT_EQ(history.keywords[1], "k24");
  EXPECT_EQ(history.keywords.back(), "k5");
  EXPECT_EQ(std::count(history.keywords.begin(), history.keywords.end(), "k10"), 1);
  history.Remember("new");
  EXPECT_EQ(history.keywords.front(), "new");
  EXPECT_EQ(history.keywords.back(), "k6");
}

TEST(SearchHistory, FormatsAndParsesBackEveryPart) {
  const SearchHistory histories[] = {
      {},
      {{"电影", "window=1x1", "[keywords]"}, std::pair{800, 600}, RememberedSort{"size", true}},
      {{"a b"}, std::nullopt, RememberedSort{"name", false}},
  };
  for (const SearchHistory& history : histories) {
    EXPECT_EQ(ParseHistory(FormatHistory(history)), history) << FormatHistory(history);
  }
  EXPECT_EQ(FormatHistory(histories[1]),
            "window=800x600\nsort=size descending\n[keywords]\n电影\nwindow=1x1\n[keywords]\n");
}

TEST(SearchHistory, MalformedSettingsAndRepeatedKeywordsAreSkipped) {
  const char* const badSettings[] = {"window=800", "window=0x600", "window=800x600x2", "window=axb",
                                     "sort=size", "sort=size upwards", "sort= descending"};
  for (const char* line : badSettings) {
    SearchHistory history = ParseHistory(std::string(line) + "\n[keywords]\nk\n");
    EXPECT_FALSE(history.windowSize) << line;
    EXPECT_FALSE(history.sort) << line;
    EXPECT_EQ(history.keywords, std::vector<std::string>{"k"}) << line;
  }
  EXPECT_EQ(ParseHistory("[keywords]\r\na\r\n\r\nb\na\n").keywords, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(ParseHistory("stray\n").keywords.empty());
}

TEST(SearchHistory, LivesUnderTheConfigHome) {
  EXPECT_EQ(HistoryPathFrom("/c", "/h"), "/c/panscout/history.txt");
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(HistoryPathFrom(unset, "/h"), "/h/.config/panscout/history.txt");
  }
}

TEST(SearchHistory, OnlyItsOwnerMayReadItsFile) {
  ScratchDir scratch;
  std::filesystem::path file = scratch.root() / "config" / "panscout" / "history.txt";
  EXPECT_EQ(LoadHistory(file), SearchHistory{});
  SearchHistory history{{"电影"}, std::pair{700, 640}, std::nullopt};
  EXPECT_EQ(SaveHistory(file, history), std::nullopt);
  EXPECT_EQ(LoadHistory(file), history);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace panscout
