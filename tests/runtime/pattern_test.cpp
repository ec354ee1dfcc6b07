#include "runtime/pattern.h"

#include <gtest/gtest.h>

#include <locale>

namespace panscout {
namespace {

// Group 1 of every match in the list.
TextArray FirstGroups(const MatchList& list, const Text& searched) {
  TextArray texts;
  for (const MatchResult& match : list) texts.push_back(GroupText(match, searched, 1));
  return texts;
}

// Where each whole match of the list begins.
std::vector<int> MatchOffsets(const MatchList& list) {
  std::vector<int> offsets;
  for (const MatchResult& match : list) offsets.push_back(match.groups.at(0).offset);
  return offsets;
}

TEST(Pattern, SearchAllTakesEachLazyGroupOnce) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("a(.*?)b"));
  const Text page = "a1b a2b";
  MatchList list = pattern.SearchAll(page);
  EXPECT_EQ(FirstGroups(list, page), (TextArray{"1", "2"}));
  EXPECT_EQ(MatchOffsets(list), (std::vector<int>{0, 4}));
  EXPECT_EQ(list.at(1).groups.at(1).offset, 5);
  EXPECT_TRUE(pattern.SearchAll("a1").empty());
  EXPECT_TRUE(pattern.SearchAll("").empty());
}

TEST(Pattern, SearchAllNeverOverlapsMatches) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("(a)a"));
  EXPECT_EQ(MatchOffsets(pattern.SearchAll("aaaaa")), (std::vector<int>{0, 2}));
}

TEST(Pattern, DotMatchesLineBreaksAndAnyByte) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("x(.*?)y"));
  const Text page = "x1\n2\r\f3y";
  EXPECT_EQ(GroupText(pattern.SearchOnce(page), page, 1), "1\n2\r\f3");
  ASSERT_TRUE(pattern.Compile("(www.a.com)"));
  EXPECT_EQ(GroupText(pattern.SearchOnce("wwwXa-com"), "wwwXa-com", 1), "wwwXa-com");
  // Line anchors match after a line feed.
  ASSERT_TRUE(pattern.Compile("^(b)"));
  EXPECT_EQ(pattern.SearchOnce("a\nb").groups.at(1).offset, 2);
}

TEST(Pattern, SearchOnceRangeAndOffsetsFromTheWholeText) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("b(.)"));
  const Text text = "abcbd";
  MatchResult found = pattern.SearchOnce(text, 3);
  int offset = -1;
  EXPECT_EQ(GroupText(found, text, 1, &offset), "d");
  EXPECT_EQ(offset, 4);
  EXPECT_EQ(GroupText(found, text, 0), "bd");
  // The range ends the text: "ab" holds no "b" followed by a byte.
  EXPECT_TRUE(pattern.SearchOnce(text, 1, 2).empty());
  EXPECT_EQ(GroupText(pattern.SearchOnce(text, 2, 2), text, 0), "bc");
}

TEST(Pattern, SearchOnceOutsideTheTextIsEmpty) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("(.)"));
  EXPECT_TRUE(pattern.SearchOnce("").empty());
  EXPECT_TRUE(pattern.SearchOnce("abc", 0).empty());
  EXPECT_TRUE(pattern.SearchOnce("abc", 4).empty());
  EXPECT_TRUE(pattern.SearchOnce("abc", 2, 3).empty());
  EXPECT_TRUE(pattern.SearchOnce("abc", 2, -1).empty());
  EXPECT_TRUE(pattern.SearchOnce("abc", 1, 0x7FFFFFFF).empty());
  EXPECT_EQ(GroupText(pattern.SearchOnce(""), "", 1), "");
  EXPECT_FALSE(pattern.SearchOnce("abc", 3, 1).empty());
}

TEST(Pattern, MatchesByteByByteWithoutCharacterAlignment) {
  Pattern pattern;
  const Text chinese = "\xD6\xD0\xCE\xC4";     // two double-byte characters
  ASSERT_TRUE(pattern.Compile("(\xD0\xCE)"));  // the trail of one and the lead of the next
  EXPECT_EQ(pattern.SearchOnce(chinese).groups.at(1).offset, 1);
  ASSERT_TRUE(pattern.Compile("(.)\xCE"));
  EXPECT_EQ(GroupText(pattern.SearchOnce(chinese), chinese, 1), "\xD0");
  ASSERT_TRUE(pattern.Compile("(A)"));
  EXPECT_EQ(pattern.SearchOnce("\xB0\x41").groups.at(1).offset, 1);
}

// A process-wide locale of a single-byte code page in which 0xC0 to 0xDE are
// capitals of 0xE0 to 0xFE, as in ISO 8859-1.
class Latin1Ctype : public std::ctype<char> {
 public:
  Latin1Ctype() : std::ctype<char>(Table()) {}

 private:
  static const mask* Table() {
    static mask table[table_size];
    std::copy(classic_table(), classic_table() + table_size, table);
    for (int b = 0xC0; b <= 0xFE; ++b)
      table[b] = alpha | print | graph | (b < 0xE0 ? upper : lower);
    return table;
  }
  static bool IsCapital(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 0xC0 && b <= 0xDE;
  }
  static bool IsSmall(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 0xE0 && b <= 0xFE;
  }
  char do_toupper(char c) const override {
    return IsSmall(c) ? c - 0x20 : std::ctype<char>::do_toupper(c);
  }
  char do_tolower(char c) const override {
    return IsCapital(c) ? c + 0x20 : std::ctype<char>::do_tolower(c);
  }
  const char* do_toupper(char* begin, const char* end) const override {
    for (; begin != end; ++begin) *begin = do_toupper(*begin);
    return end;
  }
  const char* do_tolower(char* begin, const char* end) const override {
    for (; begin != end; ++begin) *begin = do_tolower(*begin);
    return end;
  }
};

class GlobalLocale {
 public:
  explicit GlobalLocale(const std::locale& locale) : previous_(std::locale::global(locale)) {}
  ~GlobalLocale() { std::locale::global(previous_); }

 private:
  std::locale previous_;
};

TEST(Pattern, CaseFoldingReachesAsciiLettersOnly) {
  GlobalLocale latin1(std::locale(std::locale::classic(), new Latin1Ctype));
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("(MB)"));
  EXPECT_TRUE(pattern.SearchOnce("12mb").empty());
  ASSERT_TRUE(pattern.Compile("(MB)", false));
  EXPECT_EQ(GroupText(pattern.SearchOnce("12mb"), "12mb", 1), "mb");
  // High bytes match only themselves, even where a single-byte code page
  // would see a capital and a small letter.
  ASSERT_TRUE(pattern.Compile("(\xD6\xD0)", false));
  EXPECT_TRUE(pattern.SearchOnce("\xF6\xF0").empty());
  EXPECT_FALSE(pattern.SearchOnce("\xD6\xD0").empty());
  ASSERT_TRUE(pattern.Compile("(\\w+)", false));
  const Text mixed = "\xC4\x61\x62\xE4";
  EXPECT_EQ(GroupText(pattern.SearchOnce(mixed), mixed, 1), "ab");
}

TEST(Pattern, RejectedPatternMatchesNothingNotThePreviousOne) {
  Pattern pattern;
  EXPECT_FALSE(pattern.Compile("a(b"));
  EXPECT_TRUE(pattern.SearchOnce("ab").empty());
  EXPECT_TRUE(pattern.SearchAll("ab").empty());
  for (const char* rejected : {"[z", "x{2,1}", "a(.*?)b("}) {
    ASSERT_TRUE(pattern.Compile("a(.)"));
    EXPECT_FALSE(pattern.Compile(rejected));
    EXPECT_TRUE(pattern.SearchOnce("ab").empty()) << rejected;
    EXPECT_TRUE(pattern.SearchAll("ab").empty()) << rejected;
  }
}

TEST(Pattern, EscapedTextMatchesItselfOnly) {
  for (const Text& literal : std::vector<Text>{"u.115.com(", "a+b?[c]{2}|^$\\", "\xD6\\x"}) {
    Pattern pattern;
    ASSERT_TRUE(pattern.Compile("<(" + EscapedForPattern(literal) + ")>")) << literal;
    Text text = "<" + literal + "> <uX115Xcom(>";
    EXPECT_EQ(GroupText(pattern.SearchOnce(text), text, 1), literal);
    EXPECT_EQ(pattern.SearchAll(text).size(), 1u) << literal;
  }
}

TEST(Pattern, GroupThatTookNoPartIsEmpty) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("(x)|(y)"));
  MatchResult found = pattern.SearchOnce("y");
  int offset = -1;
  EXPECT_EQ(GroupText(found, "y", 1, &offset), "");
  EXPECT_EQ(offset, -1);
  EXPECT_EQ(GroupText(found, "y", 2), "y");
  EXPECT_EQ(GroupText(found, "y", 3), "");
}

TEST(Pattern, EmptyMatchesEndOrAdvance) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("(x*)"));
  EXPECT_EQ(MatchOffsets(pattern.SearchAll("abc")), std::vector<int>{0});  // ends the list
  ASSERT_TRUE(pattern.Compile("(?=b)"));
  EXPECT_EQ(MatchOffsets(pattern.SearchAll("abab")), (std::vector<int>{1, 3}));
}

TEST(Pattern, EngineGivingUpKeepsTheMatchesFoundBefore) {
  Pattern pattern;
  // The second alternative backtracks exponentially over a run of "a".
  ASSERT_TRUE(pattern.Compile("x(.)y|(?:a|aa)+c"));
  const Text page = "x1y x2y " + Text(5000, 'a') + " x3y";
  EXPECT_EQ(FirstGroups(pattern.SearchAll(page), page), (TextArray{"1", "2"}));
  EXPECT_TRUE(pattern.SearchOnce(page, 9).empty());
}

TEST(Pattern, DeeplyNestedPatternIsAbsorbed) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("(.)"));
  const Text nested = Text(100000, '(') + "a" + Text(100000, ')');
  bool compiled = pattern.Compile(nested);  // accepted or refused, never a crash
  EXPECT_EQ(pattern.SearchOnce("a").empty(), !compiled);
}

}  // namespace
}  // namespace panscout
