#pragma once
// The program's code page as tables, written at build time from iconv's own
// answers (tools/codepage), so that it stays exactly glibc's CP936.

#include <cstdint>

namespace panscout {

constexpr std::uint16_t kCp936Lead = 0xFFFF;     // in kCp936High: a byte that starts a pair
constexpr std::uint16_t kCp936Refused = 0xFFFE;  // in kCp936High: a byte that is no character

// What each byte 0x80-0xFF is alone: a code point, kCp936Lead or kCp936Refused.
extern const std::uint16_t kCp936High[128];
// The code point of each pair (lead 0x80-0xFF, any second byte) at
// (lead - 0x80) * 256 + second; 0 for a pair that is no character.
extern const std::uint16_t kCp936Pairs[128 * 256];
// The bytes of each code point of the BMP: one byte below 0x100, else
// lead * 256 + second; 0 for a code point CP936 cannot hold (and for U+0000).
extern const std::uint16_t kUnicodeToCp936[65536];

}  // namespace panscout
