#pragma once
// Result pages shaped like the ones each service serves, with the hits the
// tests ask for. Hit k is named "<kw>name-k" so expected rows are easy to say.

#include <string>

#include "runtime/text.h"

namespace panscout::fixtures {

struct PageSpec {
  int total = 0;      // the total the page states; <0: no total on the page
  int hits = 0;       // hits on this page
  int first = 1;      // number of the first hit
  int extraLinks = 0;  // link matches beyond the hits
  int missingSizes = 0;  // hits without a size
};

// Bytes as served: GBK for Baidu and iAsk pages, UTF-8 for Tazhao and Google.
std::string TazhaoPage(const PageSpec& spec);
std::string BaiduSitePage(int source, const PageSpec& spec);  // sources 2, 3, 5
std::string GooglePage(int source, const PageSpec& spec);     // sources 4, 7
std::string IAskPage(const PageSpec& spec);
std::string TorrentPage(const PageSpec& spec);
std::string SitePage(int source, const PageSpec& spec);  // sources 2 to 7
std::string BaiduNoResultPage();

// What the title and size patterns of a source capture for hit k, as served
// (UTF-8); source 0 is the torrent search.
std::string TitleCapture(int source, int k);
std::string SizeCapture(int source, int k);

// What the list should hold for hit k of a source.
std::string HitName(int source, int k);  // UTF-8
std::string HitSize(int k);              // UTF-8
std::string HitAddress(int source, int k);

}  // namespace panscout::fixtures
