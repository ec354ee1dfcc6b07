#include "runtime/codepage.h"

#include <algorithm>

#include "runtime/cp936_tables.h"

namespace panscout {
namespace {

// What each decoder gives for input it cannot read, and each encoder for a
// character its target cannot hold.
constexpr char32_t kGbkInvalid = U'?';
constexpr char32_t kUnicodeInvalid = U'\uFFFD';
constexpr char32_t kEnd = 0xFFFFFFFF;  // the input is used up

bool IsContinuation(char b) { return (static_cast<unsigned char>(b) & 0xC0) == 0x80; }

// Decoders: the next code point of `in` from `i`, moving `i` past it. Input a
// decoder cannot read gives its invalid character and moves one unit on; a
// sequence that the input ends inside gives it once and ends the input.
// The bytes below 0x80 from `i` on, which every byte code here keeps as they are.
std::string_view AsciiRun(std::string_view in, std::size_t& i) {
  std::size_t begin = i;
  while (i < in.size() && static_cast<unsigned char>(in[i]) < 0x80) ++i;
  return in.substr(begin, i - begin);
}

class GbkReader {
 public:
  explicit GbkReader(std::string_view in) : in_(in) {}
  std::string_view Ascii() { return AsciiRun(in_, i_); }
  char32_t Next() {
    if (i_ >= in_.size()) return kEnd;
    auto b = static_cast<unsigned char>(in_[i_++]);
    if (b < 0x80) return b;
    std::uint16_t alone = kCp936High[b - 0x80];
    if (alone == kCp936Refused) return kGbkInvalid;
    if (alone != kCp936Lead) return alone;
    if (i_ >= in_.size()) return kGbkInvalid;
    std::uint16_t pair = kCp936Pairs[(b - 0x80) * 256 + static_cast<unsigned char>(in_[i_])];
    if (pair == 0) return kGbkInvalid;
    ++i_;
    return pair;
  }

 private:
  std::string_view in_;
  std::size_t i_ = 0;
};

class Utf8Reader {
 public:
  explicit Utf8Reader(std::string_view in) : in_(in) {}
  std::string_view Ascii() { return AsciiRun(in_, i_); }
  char32_t Next() {
    if (i_ >= in_.size()) return kEnd;
    auto b = static_cast<unsigned char>(in_[i_]);
    if (b < 0x80) {
      ++i_;
      return b;
    }
    int length = b < 0xC2 ? 0 : b <= 0xDF ? 2 : b <= 0xEF ? 3 : b <= 0xF7 ? 4 : b <= 0xFB ? 5 : b <= 0xFD ? 6 : 0;
    std::size_t available = std::min<std::size_t>(length, in_.size() - i_);
    bool continued = true;
    for (std::size_t k = 1; k < available; ++k) continued = continued && IsContinuation(in_[i_ + k]);
    if (length > 0 && available < static_cast<std::size_t>(length) && continued) {  // ends inside it
      i_ = in_.size();
      return kUnicodeInvalid;
    }
    char32_t c = length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
    for (int k = 1; k < length && available == static_cast<std::size_t>(length); ++k) {
      auto t = static_cast<unsigned char>(in_[i_ + k]);
      // The second byte also rules out overlong forms, surrogates and code
      // points past U+10FFFF. Leads from 0xF5 on only count for a sequence
      // that the input ends inside, as iconv takes them.
      bool fits = IsContinuation(t);
      if (k == 1 && b == 0xE0) fits = t >= 0xA0 && t <= 0xBF;
      if (k == 1 && b == 0xED) fits = t >= 0x80 && t <= 0x9F;
      if (k == 1 && b == 0xF0) fits = t >= 0x90 && t <= 0xBF;
      if (k == 1 && b == 0xF4) fits = t >= 0x80 && t <= 0x8F;
      if (b >= 0xF5) fits = false;
      if (!fits) break;
      c = c << 6 | (t & 0x3F);
      if (k == length - 1) {
        i_ += length;
        return c;
      }
    }
    ++i_;
    return kUnicodeInvalid;
  }

 private:
  std::string_view in_;
  std::size_t i_ = 0;
};

class Utf16Reader {
 public:
  explicit Utf16Reader(std::u16string_view in) : in_(in) {}
  char32_t Next() {
    if (i_ >= in_.size()) return kEnd;
    char16_t u = in_[i_++];
    if (u < 0xD800 || u > 0xDFFF) return u;
    if (u >= 0xDC00) return kUnicodeInvalid;
    if (i_ >= in_.size()) return kUnicodeInvalid;
    char16_t low = in_[i_];
    if (low < 0xDC00 || low > 0xDFFF) return kUnicodeInvalid;
    ++i_;
    return 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
  }

 private:
  std::u16string_view in_;
  std::size_t i_ = 0;
};

// Encoders: write a code point at `out` and move past it; one the target
// cannot hold becomes "?". The decoders never give a surrogate. The caller has made room for the longest form.
void PutGbk(char*& out, char32_t c) {
  if (c >= 0xE0000 && c <= 0xE007F) return;  // tag characters: iconv drops them
  std::uint16_t bytes = c < 0x80 ? static_cast<std::uint16_t>(c) : c <= 0xFFFF ? kUnicodeToCp936[c] : 0;
  if (c >= 0x80 && bytes == 0) bytes = '?';
  if (bytes >= 0x100) *out++ = static_cast<char>(bytes >> 8);
  *out++ = static_cast<char>(bytes & 0xFF);
}

void PutUtf8(char*& out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | c >> 6);
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | c >> 12);
    *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | c >> 18);
    *out++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
    *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
}

void PutUtf16(char16_t*& out, char32_t c) {
  if (c < 0x10000) {
    *out++ = static_cast<char16_t>(c);
  } else {
    *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

// `room` units for each unit of input hold the longest output.
template <typename Out, typename Reader, typename Put>
Out Convert(Reader reader, std::size_t inputUnits, std::size_t room, Put put) {
  Out out(inputUnits * room, 0);
  auto* at = out.data();
  for (;;) {
    if constexpr (sizeof(*at) == 1 && requires { reader.Ascii(); }) {
      std::string_view ascii = reader.Ascii();
      at = std::copy(ascii.begin(), ascii.end(), at);
    }
    char32_t c = reader.Next();
    if (c == kEnd) break;
    put(at, c);
  }
  out.resize(at - out.data());
  return out;
}

}  // namespace

// A character of two or more UTF-8 bytes gives at most two GBK bytes, and a
// refused byte one; a GBK byte gives at most three bytes of UTF-8.
Text Utf8ToGbk(std::string_view utf8) { return Convert<Text>(Utf8Reader(utf8), utf8.size(), 1, PutGbk); }

std::string GbkToUtf8(std::string_view gbk) { return Convert<std::string>(GbkReader(gbk), gbk.size(), 3, PutUtf8); }

std::u16string GbkToUtf16(std::string_view gbk) {
  return Convert<std::u16string>(GbkReader(gbk), gbk.size(), 1, PutUtf16);
}

Text Utf16ToGbk(std::u16string_view units) { return Convert<Text>(Utf16Reader(units), units.size(), 2, PutGbk); }

std::u16string Utf8ToUtf16(std::string_view utf8) {
  return Convert<std::u16string>(Utf8Reader(utf8), utf8.size(), 1, PutUtf16);
}

}  // namespace panscout
