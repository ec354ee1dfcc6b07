#include "demo_codepage.h"

#include <iconv.h>

#include <cerrno>

namespace panscout::demo {
namespace {

// Bytes to skip when the input at `at` cannot be converted: one whole UTF-8
// sequence, or one GBK character (a lead byte and its trail byte).
std::size_t UndecodableLength(std::string_view in, std::size_t at, bool fromUtf8) {
  const auto lead = static_cast<unsigned char>(in[at]);
  std::size_t n = 1;
  if (fromUtf8) {
    while (at + n < in.size() && (static_cast<unsigned char>(in[at + n]) & 0xC0) == 0x80) ++n;
  } else if (lead >= 0x81 && lead <= 0xFE && at + 1 < in.size()) {
    n = 2;
  }
  return n;
}

std::string Convert(std::string_view in, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  std::string out;
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  std::size_t at = 0;
  char buffer[4096];
  while (at < in.size()) {
    char* src = const_cast<char*>(in.data() + at);
    std::size_t srcLeft = in.size() - at;
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const int error = errno;
    out.append(buffer, dst);
    at = in.size() - srcLeft;
    if (rc == static_cast<std::size_t>(-1) && error != E2BIG) {
      out += '?';
      at += UndecodableLength(in, at, std::string_view(from) == "UTF-8");
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Utf8ToGbkBytes(std::string_view utf8) { return Convert(utf8, "UTF-8", "GBK"); }

std::string GbkToUtf8Bytes(std::string_view gbk) { return Convert(gbk, "GBK", "UTF-8"); }

}  // namespace panscout::demo
