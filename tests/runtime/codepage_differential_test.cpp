// The code page's tables and decoders against iconv itself, the conversion
// they replace: every byte pair, every code point of the BMP, and UTF-8 and
// UTF-16 input broken in every way a page can break it.

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <random>
#include <utility>

#include "runtime/codepage.h"

namespace panscout {
namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr const char* kUtf32Name = kLittleEndian ? "UTF-32LE" : "UTF-32BE";

// Every conversion goes through UTF-32, so that each iconv pass has one kind of
// failure: in the decoding pass only invalid input, in the encoding pass only
// characters the target cannot hold.
struct Encoding {
  const char* name;
  std::size_t unitSize;         // bytes skipped past an invalid unit
  char32_t invalidReplacement;  // what an invalid unit decodes to
  std::string_view unmappable;  // the default character "?" in this encoding
};

const Encoding kGbk{"CP936", 1, U'?', "?"};
const Encoding kUtf8{"UTF-8", 1, U'\uFFFD', "?"};
const Encoding kUtf16{kLittleEndian ? "UTF-16LE" : "UTF-16BE", 2, U'\uFFFD',
                      std::string_view(kLittleEndian ? "?\0" : "\0?", 2)};

std::string_view AsBytes(const char32_t& c) {
  return {reinterpret_cast<const char*>(&c), sizeof c};
}

// Opening a descriptor costs more than most conversions, so each thread keeps
// the few it uses.
class Descriptors {
 public:
  ~Descriptors() {
    for (auto& [names, cd] : open_) iconv_close(cd);
  }
  iconv_t Get(const char* from, const char* to) {
    auto key = std::make_pair(from, to);
    auto it = open_.find(key);
    if (it == open_.end()) {
      iconv_t cd = iconv_open(to, from);
      if (cd == kFailed) return kFailed;
      it = open_.emplace(key, cd).first;
    }
    iconv(it->second, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return it->second;
  }
  static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

 private:
  std::map<std::pair<const char*, const char*>, iconv_t> open_;
};

// Runs iconv over the whole input. At a unit iconv refuses, `replacement` is
// written and `skip` bytes are passed over; input that ends inside a sequence
// gives one replacement.
std::string RunIconv(const char* from, const char* to, std::string_view input, std::size_t skip,
                     std::string_view replacement) {
  thread_local Descriptors descriptors;
  iconv_t cd = descriptors.Get(from, to);
  if (cd == Descriptors::kFailed) return {};
  std::string out;
  char buffer[4096];
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    int error = errno;
    out.append(buffer, outPtr - buffer);
    if (rc != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    out.append(replacement);
    if (error != EILSEQ) break;  // EINVAL: the input ends inside a sequence
    std::size_t n = std::min(skip, inLeft);
    in += n;
    inLeft -= n;
  }
  return out;
}

std::string Convert(std::string_view input, const Encoding& source, const Encoding& target) {
  std::string codePoints =
      RunIconv(source.name, kUtf32Name, input, source.unitSize, AsBytes(source.invalidReplacement));
  return RunIconv(kUtf32Name, target.name, codePoints, sizeof(char32_t), target.unmappable);
}

std::string_view UnitBytes(std::u16string_view units) {
  return {reinterpret_cast<const char*>(units.data()), units.size() * sizeof(char16_t)};
}

std::u16string ToUnits(const std::string& bytes) {
  std::u16string units(bytes.size() / sizeof(char16_t), u'\0');
  std::memcpy(units.data(), bytes.data(), units.size() * sizeof(char16_t));
  return units;
}

void ExpectSameFromGbk(const std::string& gbk) {
  ASSERT_EQ(GbkToUtf8(gbk), Convert(gbk, kGbk, kUtf8)) << testing::PrintToString(gbk);
  ASSERT_EQ(GbkToUtf16(gbk), ToUnits(Convert(gbk, kGbk, kUtf16))) << testing::PrintToString(gbk);
}

void ExpectSameFromUtf8(const std::string& utf8) {
  ASSERT_EQ(Utf8ToGbk(utf8), Convert(utf8, kUtf8, kGbk)) << testing::PrintToString(utf8);
  ASSERT_EQ(Utf8ToUtf16(utf8), ToUnits(Convert(utf8, kUtf8, kUtf16))) << testing::PrintToString(utf8);
}

TEST(CodePageTables, EveryByteAndPairDecodesAsIconvDoes) {
  for (int a = 0; a < 256; ++a) {
    ExpectSameFromGbk(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) {
      std::string pair{static_cast<char>(a), static_cast<char>(b)};
      ExpectSameFromGbk(pair);
      if (a >= 0x80) ExpectSameFromGbk(pair + "\x81");
    }
  }
}

TEST(CodePageTables, EveryCodePointEncodesAsIconvDoes) {
  for (char32_t c = 1; c <= 0xFFFF; ++c) {
    std::u16string unit(1, static_cast<char16_t>(c));
    ASSERT_EQ(Utf16ToGbk(unit), Convert(UnitBytes(unit), kUtf16, kGbk)) << static_cast<unsigned>(c);
  }
  for (char16_t high : {0xD800, 0xDBFF}) {
    for (char16_t low : {0xDC00, 0xDFFF, 0x41}) {
      std::u16string units{high, low, u'x'};
      ASSERT_EQ(Utf16ToGbk(units), Convert(UnitBytes(units), kUtf16, kGbk));
    }
  }
}

TEST(CodePageTables, BrokenUtf8DecodesAsIconvDoes) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const std::string two{static_cast<char>(a), static_cast<char>(b)};
      ExpectSameFromUtf8(two);
      if (a < 0xE0) continue;
      for (char c : {'\x80', '\xBF', 'A', '\xC0'}) {
        ExpectSameFromUtf8(two + c);
        if (a >= 0xF0) ExpectSameFromUtf8(two + c + '\x80');
        if (a >= 0xF0) ExpectSameFromUtf8(two + c + "\x80z");
      }
    }
  }
  std::mt19937 random(8);
  const char pieces[] = {'a', '\x80', '\xBF', '\xC2', '\xE4', '\xB8', '\xAD', '\xED', '\xF0', '\x9F', '\xF4', '\xFF'};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int i = random() % 12; i > 0; --i) text += pieces[random() % sizeof pieces];
    ExpectSameFromUtf8(text);
  }
}

}  // namespace
}  // namespace panscout
