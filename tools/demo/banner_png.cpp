#include "banner_png.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace panscout::demo {
namespace {

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift & 0xFF);
}

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

std::uint32_t Adler32(std::string_view bytes) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

void AppendChunk(std::string& png, std::string_view type, std::string_view data) {
  AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type) + std::string(data);
  png += typed;
  AppendBigEndian(png, Crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(std::string_view raw) {
  std::string out("\x78\x01", 2);
  constexpr std::size_t kBlock = 65535;
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kBlock, raw.size() - at);
    out += static_cast<char>(at + length == raw.size() ? 1 : 0);
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xFF);
    out += static_cast<char>(~length >> 8 & 0xFF);
    out.append(raw.substr(at, length));
    at += length;
  } while (at < raw.size());
  AppendBigEndian(out, Adler32(raw));
  return out;
}

// A width x height RGB picture of one colour (0xRRGGBB) with a darker frame.
std::string FramedPng(int width, int height, std::uint32_t rgb) {
  constexpr int kFrame = 4;
  std::string pixels;
  for (int y = 0; y < height; ++y) {
    pixels += '\0';  // filter type: none
    for (int x = 0; x < width; ++x) {
      const bool frame = x < kFrame || y < kFrame || x >= width - kFrame || y >= height - kFrame;
      for (int shift = 16; shift >= 0; shift -= 8) {
        const auto channel = static_cast<unsigned char>(rgb >> shift & 0xFF);
        pixels += static_cast<char>(frame ? channel / 2 : channel);
      }
    }
  }
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", StoredZlib(pixels));
  AppendChunk(png, "IEND", "");
  return png;
}

}  // namespace

std::string BannerPng(int k) {
  static constexpr std::array<std::uint32_t, 3> kColours{0x2E6FD8, 0xF08A24, 0x3BAA5C};
  return FramedPng(kBannerWidth, kBannerHeight, kColours[(k - 1) % kColours.size()]);
}

}  // namespace panscout::demo
