// Writes the tables of the program's code page (glibc's CP936) as C++, from
// iconv's own answers, so that converting a page needs no iconv call:
//   write_cp936_tables OUT.cpp

#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/cp936_tables.h"

using panscout::kCp936Lead;
using panscout::kCp936Refused;

namespace {

// The code points `bytes` decode to, or nothing when iconv refuses them whole.
bool Decode(iconv_t cd, const std::string& bytes, std::vector<char32_t>& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char32_t buffer[8];
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* outPtr = reinterpret_cast<char*>(buffer);
  std::size_t outLeft = sizeof buffer;
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return false;
  out.assign(buffer, reinterpret_cast<char32_t*>(outPtr));
  return true;
}

}  // namespace

// Between the entries of a table, eight to a line.
const char* Separator(long index) { return index == 0 ? "\n    " : index % 8 ? ", " : ",\n    "; }

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  iconv_t decode = iconv_open("UTF-32LE", "CP936");
  iconv_t encode = iconv_open("CP936", "UTF-32LE");
  if (decode == reinterpret_cast<iconv_t>(-1) || encode == reinterpret_cast<iconv_t>(-1)) return 1;
  std::FILE* f = std::fopen(argv[1], "w");
  if (!f) return 1;
  std::fprintf(f, "// Written by write_cp936_tables from iconv's CP936.\n#include \"runtime/cp936_tables.h\"\n\n"
                  "namespace panscout {\n\n");

  // Bytes 0x80-0xFF alone: a character, a lead byte, or refused.
  std::fprintf(f, "const std::uint16_t kCp936High[128] = {");
  std::vector<char32_t> points;
  for (int b = 0x80; b <= 0xFF; ++b) {
    std::string one(1, static_cast<char>(b));
    unsigned value = Decode(decode, one, points) && points.size() == 1 ? points[0] : kCp936Refused;
    if (value == kCp936Refused) {
      // A lead byte is one that some second byte completes.
      for (int t = 0x40; t <= 0xFE && value == kCp936Refused; ++t) {
        if (Decode(decode, one + static_cast<char>(t), points) && points.size() == 1) value = kCp936Lead;
      }
    }
    std::fprintf(f, "%s0x%04x", Separator(b - 0x80), value);
  }
  std::fprintf(f, "};\n\n");

  std::fprintf(f, "const std::uint16_t kCp936Pairs[128 * 256] = {");
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      unsigned value = Decode(decode, pair, points) && points.size() == 1 && points[0] <= 0xFFFF ? points[0] : 0;
      std::fprintf(f, "%s0x%04x", Separator((lead - 0x80) * 256L + trail), value);
    }
  }
  std::fprintf(f, "};\n\n");

  std::fprintf(f, "const std::uint16_t kUnicodeToCp936[65536] = {");
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    iconv(encode, nullptr, nullptr, nullptr, nullptr);
    char* in = reinterpret_cast<char*>(&c);
    std::size_t inLeft = sizeof c;
    unsigned char buffer[8];
    char* outPtr = reinterpret_cast<char*>(buffer);
    std::size_t outLeft = sizeof buffer;
    unsigned value = 0;
    if (iconv(encode, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
      std::size_t n = outPtr - reinterpret_cast<char*>(buffer);
      value = n == 1 ? buffer[0] : n == 2 ? (buffer[0] << 8 | buffer[1]) : 0;
    }
    std::fprintf(f, "%s0x%04x", Separator(c), value);
  }
  std::fprintf(f, "};\n\n}  // namespace panscout\n");
  iconv_close(decode);
  iconv_close(encode);
  return std::fclose(f) == 0 ? 0 : 1;
}
