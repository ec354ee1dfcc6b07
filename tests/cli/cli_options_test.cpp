#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"

namespace panscout {
namespace {

CliParse Parse(std::vector<std::string> args) { return ParseCliArguments(args); }

TEST(CliOptions, DefaultsAreThoseOfTheWindowAtStartUp) {
  auto p = Parse({"电影"});
  ASSERT_TRUE(p.options);
  EXPECT_EQ(p.options->mode, 1);
  EXPECT_EQ(p.options->source, "xun6");
  EXPECT_EQ(p.options->format, RowFormat::kTsv);
  EXPECT_EQ(p.options->keyword, Gbk("电影"));
}

TEST(CliOptions, EveryOption) {
  auto p = Parse({"--mode", "torrent", "--source", "tazhao", "--hosts", "h.ini", "--max-pages", "3",
                  "--timeout", "5", "--format", "json", "--sources", "d", "--page", "p.html", "x"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_EQ(p.options->mode, 2);
  EXPECT_EQ(p.options->source, "tazhao");
  EXPECT_EQ(p.options->sourcesDir, "d");
  EXPECT_EQ(p.options->pageFile, "p.html");
  EXPECT_EQ(p.options->hostsFile, "h.ini");
  EXPECT_EQ(p.options->maxPages, 3);
  EXPECT_EQ(p.options->timeoutSeconds, 5);
  EXPECT_EQ(p.options->format, RowFormat::kJson);
  // Listing needs no keyword.
  auto list = Parse({"--list-sources"});
  ASSERT_TRUE(list.options) << list.error;
  EXPECT_TRUE(list.options->listSources);
}

TEST(CliOptions, OptionsGoAnywhereAndDoubleDashEndsThem) {
  struct Case {
    std::vector<std::string> args;
    std::string keyword;  // empty: a usage error
    int maxPages;
  };
  const Case cases[] = {
      {{"movie", "--max-pages", "2"}, "movie", 2},
      {{"--max-pages", "2", "movie"}, "movie", 2},
      {{"--timeout", "5", "movie", "--max-pages", "2"}, "movie", 2},
      {{"--", "-movie"}, "-movie", 0},
      {{"--max-pages", "2", "--", "--max-pages"}, "--max-pages", 2},
      {{"movie", "--", "--max-pages", "2"}, "", 0},
      {{"--", "a", "b"}, "", 0},
      {{"a", "--max-pages", "2", "b"}, "", 0},
      {{"-movie"}, "", 0},
      {{"--", "-h"}, "-h", 0},
      {{"-"}, "-", 0},
  };
  for (const Case& c : cases) {
    auto p = Parse(c.args);
    std::string shown = testing::PrintToString(c.args);
    if (c.keyword.empty()) {
      EXPECT_FALSE(p.options) << shown;
      continue;
    }
    ASSERT_TRUE(p.options) << shown << ": " << p.error;
    EXPECT_EQ(p.options->keyword, c.keyword) << shown;
    EXPECT_EQ(p.options->maxPages, c.maxPages) << shown;
  }
  EXPECT_TRUE(Parse({"movie", "--help"}).options->help);
}

TEST(CliOptions, UsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {},
           {"a", "b"},
           {"--source"},
           {"--mode", "files", "x"},
           {"--max-pages", "0", "x"},
           {"--timeout", "-1", "x"},
           {"--format", "xml", "x"},
           {"--bogus", "x"},
           {"x", "--timeout"},
           {"日本語の\xF0\x9F\x98\x80"}}) {
    EXPECT_FALSE(Parse(args).options) << (args.empty() ? "" : args.back());
  }
}

TEST(CliOptions, EmptyKeywordIsParsedSoThePressCanRefuseIt) {
  auto p = Parse({""});
  ASSERT_TRUE(p.options);
  EXPECT_TRUE(p.options->keyword.empty());
}

}  // namespace
}  // namespace panscout
