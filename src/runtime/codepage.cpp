#include "runtime/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>

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

}  // namespace

Text Utf8ToGbk(std::string_view utf8) { return Convert(utf8, kUtf8, kGbk); }

std::string GbkToUtf8(std::string_view gbk) { return Convert(gbk, kGbk, kUtf8); }

std::u16string GbkToUtf16(std::string_view gbk) { return ToUnits(Convert(gbk, kGbk, kUtf16)); }

Text Utf16ToGbk(std::u16string_view units) { return Convert(UnitBytes(units), kUtf16, kGbk); }

std::u16string Utf8ToUtf16(std::string_view utf8) { return ToUnits(Convert(utf8, kUtf8, kUtf16)); }

}  // namespace panscout
