#include "runtime/text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <limits>
#include <string_view>

namespace panscout {
namespace {

bool IsLead(unsigned char b) { return b >= 0x80; }

unsigned char FoldCase(unsigned char b) { return (b >= 'A' && b <= 'Z') ? b + 32 : b; }

bool WindowMatches(const Text& text, std::size_t at, const Text& sought, bool foldCase) {
  for (std::size_t k = 0; k < sought.size(); ++k) {
    auto a = static_cast<unsigned char>(text[at + k]);
    auto b = static_cast<unsigned char>(sought[k]);
    if (foldCase ? FoldCase(a) != FoldCase(b) : a != b) return false;
  }
  return true;
}

// The first place at or after `from` where `sought` (not empty) stands, at any
// byte: the first byte is found with memchr, in both cases when folding.
std::size_t FindWindow(const Text& text, std::size_t from, const Text& sought, bool foldCase) {
  if (!foldCase) return text.find(sought, from);
  const auto first = static_cast<unsigned char>(sought[0]);
  const unsigned char small = FoldCase(first);
  const unsigned char capital = small >= 'a' && small <= 'z' ? small - 32 : small;
  for (std::size_t at = from; at < text.size() && text.size() - at >= sought.size(); ++at) {
    const char* base = text.data() + at;
    std::size_t left = text.size() - at - sought.size() + 1;
    const void* a = std::memchr(base, small, left);
    const void* b = capital == small ? nullptr : std::memchr(base, capital, left);
    if (!a && !b) return Text::npos;
    const char* hit = static_cast<const char*>(!a ? b : !b ? a : std::min(a, b));
    at = hit - text.data();
    if (WindowMatches(text, at, sought, true)) return at;
  }
  return Text::npos;
}

// Finds `sought` at the character boundaries of a walk over the text that
// starts at a boundary, as a walk one character at a time would, but checks
// the boundary only at the places where `sought` stands: a place is one when
// an even number of bytes of 0x80 and above run back from it (an ASCII byte
// always ends a character, as a trail byte or alone).
class BoundarySearch {
 public:
  BoundarySearch(const Text& text, const Text& sought, bool foldCase)
      : text_(text), sought_(sought), foldCase_(foldCase) {}

  // The first match at a boundary at or after the boundary `from`; npos if none.
  std::size_t Next(std::size_t from) {
    known_ = from;
    for (std::size_t at = from;; ++at) {
      at = FindWindow(text_, at, sought_, foldCase_);
      if (at == Text::npos) return at;
      if (IsBoundary(text_, known_, at)) {
        known_ = at;
        return at;
      }
      known_ = at + 1;  // `at` is a trail byte, so a character ends after it
    }
  }

  // Whether `at` is a boundary of a walk that passed the boundary `origin` (at or before it).
  static bool IsBoundary(const Text& text, std::size_t origin, std::size_t at) {
    std::size_t high = 0;
    for (std::size_t q = at; q > origin && IsLead(static_cast<unsigned char>(text[q - 1])); --q) ++high;
    return high % 2 == 0;
  }

 private:
  const Text& text_;
  const Text& sought_;
  bool foldCase_;
  std::size_t known_ = 0;
};

// Length of the character at offset i: 2 at a lead byte with a trail, 1 otherwise,
// 0 for a lead byte that is the last byte of the text.
std::size_t CharLength(const Text& text, std::size_t i) {
  if (!IsLead(static_cast<unsigned char>(text[i]))) return 1;
  return i + 1 < text.size() ? 2 : 0;
}

// What strtod gives for a classic number that from_chars finds out of range (it
// leaves its result unset): infinity when too large, zero when too small, signed.
double OutOfRange(std::string_view number) {
  long long exponent = 0;
  auto e = std::min(number.find_first_of("eE"), number.size());
  if (e < number.size()) {
    std::string_view digits = number.substr(e + 1);
    if (digits.front() == '+') digits.remove_prefix(1);
    if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc()) {
      exponent = digits.front() == '-' ? LLONG_MIN / 2 : LLONG_MAX / 2;
    }
  }
  auto point = std::min(number.find('.'), e);
  auto lead = number.find_first_of("123456789");  // present: zero is never out of range
  // Power of ten of the leading digit, before the exponent.
  long long scale = static_cast<long long>(point) - static_cast<long long>(lead) - (lead < point ? 1 : 0);
  double magnitude = scale + exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return number.front() == '-' ? -magnitude : magnitude;
}

// Full-width forms of ASCII (and a few signs) become single bytes before numbers are read.
Text FoldFullWidth(const Text& text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    if (IsLead(b) && i + 1 < text.size()) {
      auto t = static_cast<unsigned char>(text[i + 1]);
      if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) {
        out.push_back(static_cast<char>(t & 0x7F));
      } else if (b == 0xA1 && t == 0xA1) {
        out.push_back(' ');
      } else if (b == 0xA1 && t == 0xAB) {
        out.push_back('~');
      } else if (b == 0xA1 && (t == 0xEE || t == 0xEF)) {
        out.push_back('*');
      } else {
        out.append(text, i, 2);
      }
      i += 2;
    } else {
      out.push_back(static_cast<char>(b));
      ++i;
    }
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <typename Step>
Text MapChars(const Text& text, Step step) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = CharLength(text, i);
    step(out, text, i, n);
    i += n == 0 ? 1 : n;
  }
  return out;
}

}  // namespace

int TextLength(const Text& text) { return static_cast<int>(text.size()); }

Text LeftText(const Text& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, std::min<std::size_t>(n, text.size()));
}

Text RightText(const Text& text, int n) {
  if (n <= 0) return {};
  std::size_t k = std::min<std::size_t>(n, text.size());
  return text.substr(text.size() - k);
}

Text MiddleText(const Text& text, int start, int n) {
  if (start < 1 || start > TextLength(text) || n <= 0) return {};
  return text.substr(start - 1, n);
}

Text CharText(unsigned char byte) { return byte == 0 ? Text() : Text(1, static_cast<char>(byte)); }

int FindText(const Text& text, const Text& sought, std::optional<int> start, bool ignoreCase) {
  std::size_t s = (start && *start >= 1) ? static_cast<std::size_t>(*start - 1) : 0;
  if (s >= text.size()) return kNotFound;
  if (sought.empty()) return 1;
  std::size_t at = BoundarySearch(text, sought, ignoreCase).Next(s);
  return at == Text::npos ? kNotFound : static_cast<int>(at + 1);
}

Text ReplaceSubtext(const Text& text, const Text& sought, const Text& replacement,
                    std::optional<int> start, std::optional<int> count, bool caseSensitive) {
  int from = (start && *start >= 1) ? *start : 1;
  long remaining = (count && *count >= 0) ? *count : -1;
  if (text.empty() || sought.empty() || static_cast<std::size_t>(from - 1) >= text.size() ||
      remaining == 0) {
    return text;
  }
  Text out = text.substr(0, from - 1);
  BoundarySearch search(text, sought, !caseSensitive);
  std::size_t i = from - 1;
  while (remaining != 0) {
    std::size_t at = search.Next(i);
    if (at == Text::npos) break;
    out.append(text, i, at - i);
    out += replacement;
    i = at + sought.size();
    if (remaining > 0) --remaining;
  }
  // A walk that reaches a lone lead byte at the very end drops it; only a
  // one-byte piece lets the walk get that far.
  const std::size_t last = text.size() - 1;
  if (remaining != 0 && sought.size() == 1 && last >= i && IsLead(static_cast<unsigned char>(text[last])) &&
      BoundarySearch::IsBoundary(text, i, last)) {
    return out.append(text, i, last - i);
  }
  return out.append(text, i, Text::npos);
}

Text RemoveEvery(const Text& text, const Text& piece, bool caseSensitive) {
  return ReplaceSubtext(text, piece, Text(), std::nullopt, std::nullopt, caseSensitive);
}

Text ReplaceAt(const Text& text, int start, int length, const std::optional<Text>& insertion) {
  std::size_t p = start - 1 < 0 ? 0 : std::min<std::size_t>(start - 1, text.size());
  Text out = text;
  if (length > 0) out.erase(p, std::min<std::size_t>(length, text.size() - p));
  if (insertion) out.insert(p, *insertion);
  return out;
}

TextArray SplitText(const Text& text, const std::optional<Text>& delimiter,
                    std::optional<int> maxParts) {
  Text delim = delimiter.value_or(",");
  int limit = maxParts ? std::max(*maxParts, 0) : -1;
  TextArray parts;
  if (text.empty() || limit == 0) return parts;
  if (delim.empty()) return {text};
  BoundarySearch search(text, delim, false);
  std::size_t begin = 0;
  for (std::size_t at = search.Next(0); at != Text::npos; at = search.Next(begin)) {
    parts.push_back(text.substr(begin, at - begin));
    if (limit > 0 && static_cast<int>(parts.size()) == limit) return parts;
    begin = at + delim.size();
  }
  if (begin < text.size()) parts.push_back(text.substr(begin));
  return parts;
}

Text RemoveAllSpaces(const Text& text) {
  return MapChars(text, [](Text& out, const Text& t, std::size_t i, std::size_t n) {
    if (n == 0) return;
    if (n == 1 && t[i] == ' ') return;
    if (n == 2 && static_cast<unsigned char>(t[i]) == 0xA1 &&
        static_cast<unsigned char>(t[i + 1]) == 0xA1) {
      return;
    }
    out.append(t, i, n);
  });
}

Text UpperCase(const Text& text) {
  return MapChars(text, [](Text& out, const Text& t, std::size_t i, std::size_t n) {
    if (n == 1 && t[i] >= 'a' && t[i] <= 'z') {
      out.push_back(static_cast<char>(t[i] - 32));
    } else {
      out.append(t, i, n == 0 ? 1 : n);
    }
  });
}

Text LowerCase(const Text& text) {
  return MapChars(text, [](Text& out, const Text& t, std::size_t i, std::size_t n) {
    if (n == 1 && t[i] >= 'A' && t[i] <= 'Z') {
      out.push_back(static_cast<char>(t[i] + 32));
    } else {
      out.append(t, i, n == 0 ? 1 : n);
    }
  });
}

Text JoinTexts(std::initializer_list<std::string_view> parts) {
  Text out;
  for (auto p : parts) out.append(p);
  return out;
}

int CompareTexts(const Text& a, const Text& b) {
  int c = a.compare(b);  // char_traits<char>::compare is unsigned byte order
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::int32_t ToInteger(const Text& text) {
  Text t = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  std::uint32_t value = 0;
  for (; i < t.size() && IsDigit(t[i]); ++i) value = value * 10u + static_cast<std::uint32_t>(t[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

double ToNumber(const Text& text) {
  Text t = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  std::size_t begin = i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  for (; i < t.size() && IsDigit(t[i]); ++i) ++digits;
  if (i < t.size() && t[i] == '.') {
    for (++i; i < t.size() && IsDigit(t[i]); ++i) ++digits;
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    if (j < t.size() && IsDigit(t[j])) {
      while (j < t.size() && IsDigit(t[j])) ++j;
      end = j;
    }
  }
  // Only the classic form is converted, so hex, "inf" and "nan" never are; from_chars
  // reads it whatever the process's locale, but takes no '+'.
  if (t[begin] == '+') ++begin;
  std::string_view number(t.data() + begin, end - begin);
  double value = 0;
  if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
      std::errc::result_out_of_range) {
    value = OutOfRange(number);
  }
  return value;
}

Text ToText(std::int32_t value) { return std::to_string(value); }

Text ToText(double value) {
  // The "%.13g" form, with a '.' whatever the process's locale.
  char buffer[64];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13).ptr;
  return Text(buffer, end);
}

Text ToText(const Bytes& bytes) { return bytes.data.substr(0, bytes.data.find('\0')); }

Text ToText(Bytes&& bytes) {
  bytes.data.resize(std::min(bytes.data.find('\0'), bytes.data.size()));
  return std::move(bytes.data);
}

Bytes ToBytes(const Text& text) { return Bytes(text); }

Text BlankText(int n) { return n < 1 ? Text() : Text(n, ' '); }

Bytes BlankBytes(int n) { return n <= 0 ? Bytes() : Bytes(std::string(n, '\0')); }

int BytesLength(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

Bytes LeftBytes(const Bytes& bytes, int n) {
  if (n < 0) return {};
  return Bytes(bytes.data.substr(0, std::min<std::size_t>(n, bytes.size())));
}

Bytes RightBytes(const Bytes& bytes, int n) {
  if (n < 0) return {};
  std::size_t k = std::min<std::size_t>(n, bytes.size());
  return Bytes(bytes.data.substr(bytes.size() - k));
}

std::int32_t ReadInteger(const Bytes& bytes) {
  std::uint32_t value = 0;
  for (std::size_t k = 0; k < 4 && k < bytes.size(); ++k) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.data[k])) << (8 * k);
  }
  return static_cast<std::int32_t>(value);
}

Text UrlEncode(const Text& text, unsigned char spaceByte) {
  static const char kHex[] = "0123456789ABCDEF";
  Text out;
  out.reserve(text.size() * 3);
  for (unsigned char b : text) {
    bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || IsDigit(static_cast<char>(b)) ||
                 b == '-' || b == '_' || b == '.';
    if (plain) {
      out.push_back(static_cast<char>(b));
    } else if (b == ' ') {
      out.push_back(static_cast<char>(spaceByte));
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 15]);
    }
  }
  return out;
}

}  // namespace panscout
