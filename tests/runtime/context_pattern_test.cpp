#include "runtime/context_pattern.h"

#include <gtest/gtest.h>

#include <random>

#include "runtime/codepage.h"
#include "search/fixture_pages.h"
#include "support/built_in_sources.h"

namespace panscout {
namespace {

// The same pattern in a form the context matcher does not take, so the
// regex engine answers.
void CompileForTheEngine(Pattern& pattern, const Text& patternText) {
  ASSERT_TRUE(pattern.Compile("(?:" + ReplaceSubtext(patternText, "(.*?)", ")(.*?)", 1, 1, true)));
}

void ExpectSameMatches(const Text& patternText, const Text& text) {
  auto shape = ParseContextPattern(patternText);
  ASSERT_TRUE(shape) << patternText;
  Pattern fast;
  ASSERT_TRUE(fast.Compile(patternText));
  Pattern engine;
  CompileForTheEngine(engine, patternText);
  MatchList a = fast.SearchAll(text), b = engine.SearchAll(text);
  ASSERT_EQ(a.size(), b.size()) << patternText;
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(GroupText(a[i], text, 0), GroupText(b[i], text, 0));
    EXPECT_EQ(a[i].groups[1].offset, b[i].groups[1].offset);
    EXPECT_EQ(a[i].groups[1].length, b[i].groups[1].length);
  }
  for (int start : {1, 2, 7, 40}) {
    MatchResult x = fast.SearchOnce(text, start), y = engine.SearchOnce(text, start);
    ASSERT_EQ(x.empty(), y.empty());
    if (!x.empty()) EXPECT_EQ(x.groups[1].offset, y.groups[1].offset);
  }
}

// Every pattern of the program's definitions, and one with escapes.
const std::vector<Text>& ExtractionPatterns() {
  static const std::vector<Text> patterns = [] {
    std::vector<Text> all = {"href=\"http://u\\.115\\.com\\((.*?)\\)\\\\"};
    const SourceTable sources = testing::BuiltInSources();
    for (const SourceRule& s : sources.All()) {
      for (const Text& p : {s.title.pattern, s.link.pattern, s.size.pattern, s.totalPattern, s.noResultPattern}) {
        if (!p.empty()) all.push_back(p);
      }
    }
    return all;
  }();
  return patterns;
}

TEST(ContextPattern, OnlyTheShapeOfExtractionPatternsIsTaken) {
  for (const Text& p : ExtractionPatterns()) EXPECT_TRUE(ParseContextPattern(p)) << p;
  for (Text p : {"a(.*)b", "(.*?)b", "a(.*?)", "a|c(.*?)b", "a(.*?)b+", "[a](.*?)b", "a(.*?)b(.*?)c", "a\\d(.*?)b",
                 "a(.*?)b\\"}) {
    EXPECT_FALSE(ParseContextPattern(p)) << p;
  }
}

TEST(ContextPattern, AgreesWithTheRegexEngineOnFixturePages) {
  for (const std::string& page :
       {fixtures::BaiduSitePage(2, {23, 10, 1, 1, 1}), fixtures::GooglePage(7, {9, 9, 1}),
        fixtures::TorrentPage({3, 3, 1}), fixtures::IAskPage({40, 10, 1})}) {
    for (const Text& p : ExtractionPatterns()) ExpectSameMatches(p, page);
  }
}

TEST(ContextPattern, AgreesWithTheRegexEngineOnScrambledText) {
  // Pieces of contexts shuffled together: partial, overlapping and nested.
  const std::vector<Text> pieces = {"target=\"_blank\">", "</a>", "</", "a>", "x", "\n", "u=", "&amp",
                                    "&am", "MB", ".", "class=\"s\">", "\xB0", "\xD6\xD0", "MBz"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    Text text;
    // Long texts give a context's first byte enough false starts for the
    // scan to turn to its other bytes.
    for (int i = 0, n = round % 2 ? 40 : 400; i < n; ++i) text += pieces[random() % pieces.size()];
    for (Text p : {"target=\"_blank\">(.*?)</a>", "u=(.*?)&amp", "class=\"s\">(.*?)MB.", "x\\.(.*?)MB\\.", "M.z(.*?)x",
                   "a.u(.*?)x", ".B(.*?)a>", "..(.*?)x"}) {
      ExpectSameMatches(p, text);
    }
  }
}

TEST(ContextPattern, ManyLeftContextsWithoutARightOneCostLittle) {
  Text page;
  while (page.size() < (std::size_t{4} << 20)) page += "target=\"_blank\">x";
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("target=\"_blank\">(.*?)</a>"));
  EXPECT_TRUE(pattern.SearchAll(page).empty());
  page += "</a>";
  MatchList all = pattern.SearchAll(page);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].groups[1].offset, 16);
}

}  // namespace
}  // namespace panscout
