#include "runtime/codepage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace panscout {
namespace {

TEST(Codepage, ConvertsAChineseCharacterEveryWay) {
  EXPECT_EQ(Utf8ToGbk("\xE4\xB8\xAD"), "\xD6\xD0");
  EXPECT_EQ(GbkToUtf8("\xD6\xD0"), "\xE4\xB8\xAD");
  EXPECT_EQ(GbkToUtf16("\xD6\xD0"), u"\u4E2D");
  EXPECT_EQ(Utf16ToGbk(u"\u4E2D"), "\xD6\xD0");
  EXPECT_EQ(Utf8ToUtf16("a\xE4\xB8\xAD"), u"a\u4E2D");
  EXPECT_EQ(Gbk("中文"), "\xD6\xD0\xCE\xC4");
}

TEST(Codepage, EuroSignIsTheSingleByte80) {
  EXPECT_EQ(Utf8ToGbk("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf16ToGbk(u"\u20AC"), "\x80");
  EXPECT_EQ(GbkToUtf16("\x80"), u"\u20AC");
  EXPECT_EQ(GbkToUtf8("1\x80"), "1\xE2\x82\xAC");
}

TEST(Codepage, CharactersWithoutAGbkFormBecomeTheDefaultCharacter) {
  EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");  // U+1F600
  EXPECT_EQ(Utf16ToGbk(u"a\U0001F600z"), "a?z");
  EXPECT_EQ(Utf8ToGbk("\xE0\xB8\x81\xE4\xB8\xAD"), "?\xD6\xD0");  // Thai U+0E01
}

TEST(Codepage, InvalidUtf8IsReplacedAndTheRestKept) {
  EXPECT_EQ(Utf8ToGbk("a\xFFz"), "a?z");
  EXPECT_EQ(Utf8ToUtf16("a\xFFz"), u"a\uFFFDz");
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk("\x80x")), "?x");  // a lone continuation byte
  EXPECT_EQ(Utf8ToUtf16("\xE4\xB8z\xE4\xB8\xAD"), u"\uFFFD\uFFFDz\u4E2D");
}

TEST(Codepage, InputEndingInsideASequenceGivesOneReplacement) {
  EXPECT_EQ(Utf8ToGbk("a\xE4\xB8"), "a?");
  EXPECT_EQ(Utf8ToUtf16("a\xE4\xB8"), u"a\uFFFD");
  EXPECT_EQ(Utf16ToGbk(u"a\xD83D"), "a?");  // a high surrogate with no low one
  // Only the view is read, not the bytes that follow it in memory.
  const char whole[] = "\xE4\xB8\xAD";
  EXPECT_EQ(Utf8ToGbk(std::string_view(whole, 2)), "?");
  EXPECT_EQ(GbkToUtf16(std::string_view("\xD6\xD0", 1)), u"?");
}

TEST(Codepage, InvalidUtf16UnitsAreReplaced) {
  EXPECT_EQ(Utf16ToGbk(u"\xDE00z"), "?z");  // a low surrogate alone
  EXPECT_EQ(Utf16ToGbk(u"\xD83Dz"), "?z");  // a high surrogate followed by a letter
}

TEST(Codepage, BadGbkBytesDecodeToTheDefaultCharacter) {
  EXPECT_EQ(GbkToUtf16("a\xD6"), u"a?");    // lone lead byte at the end
  EXPECT_EQ(GbkToUtf16("\xD6 x"), u"? x");  // the byte after a lead is no trail
  EXPECT_EQ(GbkToUtf8("\xFFz"), "?z");      // 0xFF is no GBK byte
  EXPECT_EQ(GbkToUtf16("\xD6\xD0\xD6"), u"\u4E2D?");
}

TEST(Codepage, EmptyInputGivesEmptyOutput) {
  EXPECT_EQ(Utf8ToGbk(""), "");
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(GbkToUtf16(""), u"");
  EXPECT_EQ(Utf16ToGbk(u""), "");
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

// One line of the code page 936 table: GBK bytes and the UTF-16 unit they stand for.
struct TableEntry {
  std::string gbk;
  char16_t unit;
};

// Reads the single bytes (MBTABLE) and the double-byte pairs (DBCSTABLE per lead byte).
std::vector<TableEntry> ReadCodePageTable() {
  std::ifstream file(PANSCOUT_TEST_DATA "/cp936_table.txt");
  std::vector<TableEntry> entries;
  std::string line;
  std::string lead;
  bool inTable = false;
  while (std::getline(file, line)) {
    if (line.starts_with("MBTABLE")) {
      inTable = true;
      lead.clear();
    } else if (line.starts_with("DBCSTABLE")) {
      inTable = true;
      lead =
          std::string(1, static_cast<char>(std::stoi(line.substr(line.find("0x")), nullptr, 16)));
    } else if (line.starts_with("DBCSRANGE")) {
      inTable = false;
    } else if (inTable && line.starts_with("0x")) {
      std::istringstream fields(line);
      std::string code, unit;
      fields >> code >> unit;
      entries.push_back({lead + static_cast<char>(std::stoi(code, nullptr, 16)),
                         static_cast<char16_t>(std::stoi(unit, nullptr, 16))});
    }
  }
  return entries;
}

std::string Utf8Of(char16_t unit) {
  if (unit < 0x80) return std::string(1, static_cast<char>(unit));
  if (unit < 0x800) {
    return {static_cast<char>(0xC0 | (unit >> 6)), static_cast<char>(0x80 | (unit & 0x3F))};
  }
  return {static_cast<char>(0xE0 | (unit >> 12)), static_cast<char>(0x80 | ((unit >> 6) & 0x3F)),
          static_cast<char>(0x80 | (unit & 0x3F))};
}

bool IsUserDefined(char16_t unit) { return unit >= 0xE000 && unit <= 0xF8FF; }

TEST(Codepage, EveryCodeOfTheWindowsTableRoundTrips) {
  std::vector<TableEntry> entries = ReadCodePageTable();
  ASSERT_EQ(entries.size(), 130u + 23940u);
  int checked = 0;
  for (const TableEntry& e : entries) {
    if (IsUserDefined(e.unit)) continue;
    std::u16string unit(1, e.unit);
    EXPECT_EQ(GbkToUtf16(e.gbk), unit) << std::hex << static_cast<int>(e.gbk.back() & 0xFF);
    EXPECT_EQ(Utf16ToGbk(unit), e.gbk) << std::hex << static_cast<int>(e.unit);
    EXPECT_EQ(GbkToUtf8(e.gbk), Utf8Of(e.unit));
    EXPECT_EQ(Utf8ToGbk(Utf8Of(e.unit)), e.gbk);
    ++checked;
  }
  // All pairs but the 2,149 user-defined ones, and all single bytes but 0xFF.
  EXPECT_EQ(checked, 129 + 21791);
}

}  // namespace
}  // namespace panscout
