#pragma once
// Banner pictures for the advertisement feed: small valid PNG files built
// without an image library (uncompressed deflate blocks).

#include <cstdint>
#include <string>

namespace panscout::demo {

constexpr int kBannerWidth = 288;
constexpr int kBannerHeight = 72;

// A width x height RGB picture of one colour (0xRRGGBB) with a darker frame.
std::string FramedPng(int width, int height, std::uint32_t rgb);

// Banner k (1-based): a framed picture in the k-th demo colour.
std::string BannerPng(int k);

}  // namespace panscout::demo
