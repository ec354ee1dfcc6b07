#pragma once
// Banner pictures for the advertisement feed: small valid PNG files built
// without an image library (uncompressed deflate blocks).

#include <string>

namespace panscout::demo {

constexpr int kBannerWidth = 288;
constexpr int kBannerHeight = 72;

// Banner k (1-based): a picture of the k-th demo colour with a darker frame.
std::string BannerPng(int k);

}  // namespace panscout::demo
