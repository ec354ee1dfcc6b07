#include "runtime/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace panscout {
namespace {

TEST(FindText, PositionsAreOneBasedAndCountedFromTheWholeText) {
  EXPECT_EQ(FindText("abcabc", "c", 4, false), 6);
  EXPECT_EQ(FindText("abc", "C", std::nullopt, true), 3);
  EXPECT_EQ(FindText("abc", "C", std::nullopt, false), -1);
  EXPECT_EQ(FindText("abc", "c", 0, false), 3);
  EXPECT_EQ(FindText("abc", "c", -5, false), 3);
}

TEST(FindText, EmptySoughtGivesOneWhileBytesRemain) {
  EXPECT_EQ(FindText("abc", "", 3, false), 1);
  EXPECT_EQ(FindText("abc", "", 4, false), -1);
  EXPECT_EQ(FindText("", "", std::nullopt, false), -1);
}

TEST(FindText, NeverMatchesOnATrailByte) {
  const Text pair = "\xB0\x41";
  EXPECT_EQ(FindText(pair, "A", std::nullopt, false), -1);
  EXPECT_EQ(MiddleText(pair, 2, 1), "A");
  // A start pointing at the trail byte treats it as the start of a character.
  EXPECT_EQ(FindText(pair, "A", 2, false), 2);
  // A lone lead byte at the end ends the search.
  EXPECT_EQ(FindText("x\xB0", "\xB0", std::nullopt, false), 2);
  EXPECT_EQ(FindText("\xB0", "\xB0", 1, false), 1);
}

TEST(FindText, CaseFoldReachesTrailBytes) {
  EXPECT_EQ(FindText("\x81\x41", "\x81\x61", std::nullopt, true), 1);
  EXPECT_EQ(FindText("\x81\x41", "\x81\x61", std::nullopt, false), -1);
}

TEST(ReplaceSubtext, CountStartAndCase) {
  EXPECT_EQ(ReplaceSubtext("a-b-c", "-", "+", std::nullopt, 1, true), "a+b-c");
  EXPECT_EQ(ReplaceSubtext("a-b-c", "-", "+", 3, 1, true), "a-b+c");
  EXPECT_EQ(ReplaceSubtext("a-b-c", "-", "+", std::nullopt, 0, true), "a-b-c");
  EXPECT_EQ(ReplaceSubtext("a-b-c", "-", "+", std::nullopt, -3, true), "a+b+c");
  EXPECT_EQ(RemoveEvery("<em>x</em><EM>y", "<em>", false), "x</em>y");
  EXPECT_EQ(RemoveEvery("<em>x<EM>y", "<em>", true), "x<EM>y");
  EXPECT_EQ(ReplaceSubtext("aaa", "a", "aa", std::nullopt, std::nullopt, true), "aaaaaa");
}

TEST(ReplaceSubtext, StepsOverDoubleByteCharacters) {
  // 0xB0 0x41 is one character: its trail byte 'A' is not replaced.
  EXPECT_EQ(RemoveEvery("\xB0\x41" "A", "A", true), "\xB0\x41");
  // A lone lead byte at the end is dropped when the sought text is one byte long.
  EXPECT_EQ(RemoveEvery("ab\xB0", "a", true), "b");
}

TEST(Cutting, ClampsAndCutsRawBytes) {
  EXPECT_EQ(LeftText("abc", 0), "");
  EXPECT_EQ(LeftText("abc", 9), "abc");
  EXPECT_EQ(RightText("abc", 2), "bc");
  EXPECT_EQ(RightText("abc", -1), "");
  EXPECT_EQ(MiddleText("abc", 0, 2), "");
  EXPECT_EQ(MiddleText("abc", 4, 1), "");
  EXPECT_EQ(MiddleText("abc", 2, 9), "bc");
  EXPECT_EQ(LeftText("a\xD6\xD0", 2), "a\xD6");
  EXPECT_EQ(CharText(0), "");
  EXPECT_EQ(CharText('x'), "x");
}

TEST(ReplaceAt, ClampsStartAndLength) {
  EXPECT_EQ(ReplaceAt("Set-Cookie: a=1", 1, 12), "a=1");
  EXPECT_EQ(ReplaceAt("abc", 9, 2, Text("XY")), "abcXY");
  EXPECT_EQ(ReplaceAt("abc", -3, 1, Text("X")), "Xbc");
  EXPECT_EQ(ReplaceAt("abc", 2, 0, Text("X")), "aXbc");
  EXPECT_EQ(ReplaceAt("abc", 2, 99), "a");
}

TEST(SplitText, EmptyElementsAndLimits) {
  EXPECT_EQ(SplitText("a,,b"), (TextArray{"a", "", "b"}));
  EXPECT_EQ(SplitText(",a"), (TextArray{"", "a"}));
  EXPECT_EQ(SplitText("a,b,"), (TextArray{"a", "b"}));
  EXPECT_EQ(SplitText("a,b,c", std::nullopt, 2), (TextArray{"a", "b"}));
  EXPECT_EQ(SplitText("a,b", std::nullopt, -1), TextArray{});
  EXPECT_TRUE(SplitText("").empty());
  EXPECT_EQ(SplitText("a,b", Text()), TextArray{"a,b"});
  EXPECT_EQ(SplitText("xqweAqweB", Text("qwe")), (TextArray{"x", "A", "B"}));
  EXPECT_EQ(SplitText("a$$b", Text("$")), (TextArray{"a", "", "b"}));
  // A delimiter byte inside a double-byte character does not split it.
  EXPECT_EQ(SplitText("\xB0,x,y"), (TextArray{"\xB0,x", "y"}));
  EXPECT_EQ(SplitText("a,\xB0"), (TextArray{"a", "\xB0"}));
}

TEST(CaseAndSpaces, OnlyAsciiLettersChange) {
  EXPECT_EQ(UpperCase("ab\x81\x61z"), "AB\x81\x61Z");
  EXPECT_EQ(LowerCase("AB\x81\x41Z\xC1"), "ab\x81\x41z\xC1");
  EXPECT_EQ(RemoveAllSpaces(" a\xA1\xA1 b\t\r\n"), "ab\t\r\n");
  EXPECT_EQ(RemoveAllSpaces("a\xB0"), "a");
  EXPECT_EQ(RemoveAllSpaces("\xB0\x20x"), "\xB0\x20x");
}

TEST(Numbers, FullWidthFoldAndWrapping) {
  EXPECT_EQ(ToInteger("\xA3\xB1\xA3\xB2\xA3\xB3"), 123);
  EXPECT_EQ(ToInteger("\xA3\xB1\xA3\xB0"), 10);
  EXPECT_EQ(ToInteger("  42abc"), 42);
  EXPECT_EQ(ToInteger("abc"), 0);
  EXPECT_EQ(ToInteger(""), 0);
  EXPECT_EQ(ToInteger("\xA3\xAD" "7"), -7);
  EXPECT_EQ(ToInteger("\xA1\xA1" "5"), 5);
  EXPECT_EQ(ToInteger("4294967297"), 1);
  EXPECT_EQ(ToInteger("2147483648"), INT32_MIN);
  EXPECT_DOUBLE_EQ(ToNumber(" -1.5e2x"), -150.0);
  EXPECT_DOUBLE_EQ(ToNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(ToNumber("0x10"), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber("inf"), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber("3e"), 3.0);
  // Out of range: infinity when too large, zero when too small, as the C library reads it.
  EXPECT_EQ(ToNumber("+1e999"), HUGE_VAL);
  EXPECT_EQ(ToNumber("-0.001e312"), -HUGE_VAL);
  EXPECT_EQ(ToNumber("1" + std::string(400, '0')), HUGE_VAL);
  EXPECT_EQ(ToNumber("10000000000e-335"), 0.0);
  EXPECT_EQ(ToNumber("0.01e-323"), 0.0);
  EXPECT_DOUBLE_EQ(ToNumber("\xA3\xB2\xA3\xAE\xA3\xB5"), 2.5);
}

// The window's application object takes LC_NUMERIC from the environment; a comma
// locale must not change how numbers are written or read.
TEST(ToText, NumbersIgnoreTheLocale) {
  std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "generate the de_DE.UTF-8 locale";
  EXPECT_EQ(ToText(0.5), "0.5");
  EXPECT_DOUBLE_EQ(ToNumber("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(ToNumber("-2.25e1"), -22.5);
  std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(ToText, Formats) {
  EXPECT_EQ(ToText(-12), "-12");
  EXPECT_EQ(ToText(0.5), "0.5");
  EXPECT_EQ(ToText(20.0 / 10.0), "2");
  EXPECT_EQ(ToText(1.0 / 3.0), "0.3333333333333");
  EXPECT_EQ(ToText(Bytes(std::string("ab\0cd", 5))), "ab");
  EXPECT_EQ(ToText(Bytes()), "");
}

TEST(ByteBuffers, CutsAndReadInteger) {
  Bytes b(std::string("\x01\x02\x00\x80", 4));
  EXPECT_EQ(ReadInteger(b), static_cast<std::int32_t>(0x80000201u));
  EXPECT_EQ(ReadInteger(Bytes("\xFF")), 255);
  EXPECT_EQ(ReadInteger(Bytes()), 0);
  EXPECT_EQ(LeftBytes(b, 2), Bytes("\x01\x02"));
  EXPECT_EQ(RightBytes(b, 9), b);
  EXPECT_EQ(RightBytes(b, -1), Bytes());
  EXPECT_EQ(BlankBytes(3), Bytes(std::string(3, '\0')));
  EXPECT_EQ(BlankText(0), "");
  EXPECT_EQ(BlankText(2), "  ");
  EXPECT_EQ(ToBytes(""), Bytes());
}

TEST(UrlEncode, EncodesGbkBytesThemselves) {
  EXPECT_EQ(UrlEncode("a b", '+'), "a+b");
  EXPECT_EQ(UrlEncode("~", '+'), "%7E");
  EXPECT_EQ(UrlEncode("\xC4\xE3", '+'), "%C4%E3");
  EXPECT_EQ(UrlEncode("A-z_0.9!", '+'), "A-z_0.9%21");
  EXPECT_EQ(UrlEncode("\xCD\xF8\xC5\xCC", '+'), "%CD%F8%C5%CC");
}

TEST(CompareTexts, UnsignedBytesAndPrefixes) {
  EXPECT_EQ(CompareTexts("a", "a"), 0);
  EXPECT_LT(CompareTexts("a", "ab"), 0);
  EXPECT_GT(CompareTexts("\x80", "a"), 0);
  EXPECT_NE(CompareTexts("A", "a"), 0);
  EXPECT_EQ(JoinTexts({"a", "", "bc"}), "abc");
}

}  // namespace
}  // namespace panscout
