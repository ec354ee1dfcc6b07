// The searching text operations against the walk they replace: one
// character at a time, trying the piece at every boundary. Random GBK text
// with the trail bytes that look like ASCII, lone lead bytes, and pieces cut
// from anywhere, boundaries or not.

#include <gtest/gtest.h>

#include <random>

#include "runtime/text.h"

namespace panscout {
namespace {

bool High(char c) { return static_cast<unsigned char>(c) >= 0x80; }
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool MatchesAt(const Text& text, std::size_t at, const Text& sought, bool fold) {
  for (std::size_t k = 0; k < sought.size(); ++k) {
    if (fold ? Fold(text[at + k]) != Fold(sought[k]) : text[at + k] != sought[k]) return false;
  }
  return true;
}

// 0 for a lead byte that ends the text.
std::size_t Step(const Text& text, std::size_t i) { return !High(text[i]) ? 1 : i + 1 < text.size() ? 2 : 0; }

int WalkFind(const Text& text, const Text& sought, std::size_t s, bool fold) {
  if (s >= text.size()) return kNotFound;
  if (sought.empty()) return 1;
  for (std::size_t i = s; text.size() - i >= sought.size();) {
    if (MatchesAt(text, i, sought, fold)) return static_cast<int>(i + 1);
    std::size_t n = Step(text, i);
    if (n == 0) break;
    i += n;
  }
  return kNotFound;
}

Text WalkReplace(const Text& text, const Text& sought, const Text& with, std::size_t from, long remaining, bool fold) {
  if (text.empty() || sought.empty() || from >= text.size() || remaining == 0) return text;
  Text out = text.substr(0, from);
  std::size_t i = from;
  while (remaining != 0 && text.size() - i >= sought.size()) {
    if (MatchesAt(text, i, sought, fold)) {
      out += with;
      i += sought.size();
      if (remaining > 0) --remaining;
      continue;
    }
    std::size_t n = Step(text, i);
    if (n == 0) return out;
    out.append(text, i, n);
    i += n;
  }
  return out.append(text, i, Text::npos);
}

TextArray WalkSplit(const Text& text, const Text& delim, int limit) {
  TextArray parts;
  if (text.empty() || limit == 0) return parts;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.size() - i >= delim.size() && text.compare(i, delim.size(), delim) == 0) {
      parts.push_back(text.substr(begin, i - begin));
      if (limit > 0 && static_cast<int>(parts.size()) == limit) return parts;
      i += delim.size();
      begin = i;
      continue;
    }
    std::size_t n = Step(text, i);
    if (n == 0) break;
    i += n;
  }
  if (begin < text.size()) parts.push_back(text.substr(begin));
  return parts;
}

// Few distinct bytes, so that pieces recur and straddle boundaries.
Text RandomGbk(std::mt19937& random, std::size_t length) {
  static const char kAscii[] = {'a', 'A', 'b', 'B', '@', ' '};
  static const unsigned char kHigh[] = {0x81, 0xB0, 0xC0, 0xE1, 0xFE};
  Text text;
  while (text.size() < length) {
    switch (random() % 4) {
      case 0: text += kAscii[random() % sizeof kAscii]; break;
      case 1: text += static_cast<char>(kHigh[random() % sizeof kHigh]); break;  // lead, then anything
      default:
        text += static_cast<char>(kHigh[random() % sizeof kHigh]);
        text += random() % 2 ? kAscii[random() % sizeof kAscii] : static_cast<char>(kHigh[random() % sizeof kHigh]);
    }
  }
  return text;
}

TEST(TextSearch, FindReplaceAndSplitAgreeWithTheCharacterWalk) {
  std::mt19937 random(936);
  for (int round = 0; round < 20000; ++round) {
    const Text text = RandomGbk(random, random() % 24);
    Text sought = RandomGbk(random, 1 + random() % 3).substr(0, 1 + random() % 3);
    if (!text.empty() && random() % 2) {
      std::size_t at = random() % text.size();
      sought = text.substr(at, 1 + random() % 3);
    }
    const bool fold = random() % 2;
    const int start = static_cast<int>(random() % (text.size() + 2));
    const int count = static_cast<int>(random() % 4) - 1;
    SCOPED_TRACE(testing::PrintToString(text) + " / " + testing::PrintToString(sought));
    ASSERT_EQ(FindText(text, sought, start, fold), WalkFind(text, sought, start >= 1 ? start - 1 : 0, fold));
    ASSERT_EQ(ReplaceSubtext(text, sought, "<>", start, count, !fold),
              WalkReplace(text, sought, "<>", start >= 1 ? start - 1 : 0, count, fold));
    ASSERT_EQ(RemoveEvery(text, sought, !fold), WalkReplace(text, sought, "", 0, -1, fold));
    const std::optional<int> parts = count < 0 ? std::nullopt : std::optional<int>(count);
    ASSERT_EQ(SplitText(text, sought, parts), WalkSplit(text, sought, count < 0 ? -1 : count));
  }
}

}  // namespace
}  // namespace panscout
