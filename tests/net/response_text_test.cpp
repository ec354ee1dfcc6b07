#include "net/response_text.h"

#include <gtest/gtest.h>

namespace panscout {
namespace {

Bytes B(std::string_view bytes) { return Bytes(std::string(bytes)); }

TEST(Utf8PageToText, PlainAndChineseBodies) {
  EXPECT_EQ(Utf8PageToText(Bytes()), "");
  EXPECT_EQ(Utf8PageToText(B("<a href=\"/x?y=1\">\r\n")), "<a href=\"/x?y=1\">\r\n");
  EXPECT_EQ(Utf8PageToText(B("\xE4\xB8\xAD")), "\xD6\xD0");
  EXPECT_EQ(Utf8PageToText(B("a\xF0\x9F\x98\x80z")), "a?z");  // no GBK form
}

TEST(Utf8PageToText, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(Utf8PageToText(B(std::string_view("ab\0\xE4\xB8\xAD", 6))), "ab");
  EXPECT_EQ(Utf8PageToText(B(std::string_view("\0ab", 3))), "");
}

TEST(Utf8PageToText, BodyEndingInsideACharacterIsConvertedWhole) {
  // The body is cut out of a longer buffer, so reading past it would show.
  std::string page = "x\xE4\xB8\xAD";
  EXPECT_EQ(Utf8PageToText(B(std::string_view(page).substr(0, 3))), "x?");
  EXPECT_EQ(Utf8PageToText(B("x\xE4")), "x?");
  EXPECT_EQ(Utf8PageToText(B("\xE4\xB8\xAD\xFF")), "\xD6\xD0?");
}

TEST(WideToText, StopsAtTheFirstZeroUnitOrTheEnd) {
  EXPECT_EQ(WideToText(Bytes()), "");
  EXPECT_EQ(WideToText(B(std::string_view("a\0\x2D\x4E", 4))), "a\xD6\xD0");
  EXPECT_EQ(WideToText(B(std::string_view("a\0\0\0b\0", 6))), "a");
  // A zero byte that is only half of a unit does not end the text.
  EXPECT_EQ(WideToText(B(std::string_view("\0\x4E", 2))), "\xD2\xBB");  // U+4E00
}

TEST(WideToText, SurrogatePairWithoutAGbkFormIsOneDefaultCharacter) {
  EXPECT_EQ(WideToText(B(std::string_view("a\0\x3D\xD8\x00\xDEz\0", 8))), "a?z");
}

TEST(WideToText, IgnoresAFinalOddByte) {
  EXPECT_EQ(WideToText(B(std::string_view("a\0b", 3))), "a");
}

}  // namespace
}  // namespace panscout
