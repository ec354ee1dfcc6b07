#include "bench_pages.h"

#include <algorithm>

#include "search/fixture_pages.h"

namespace panscout::bench {
namespace {

constexpr std::size_t kPageBytes = 1 << 20;

// Spreads neutral filler between the lines of a page until it reaches ~1 MiB.
std::string Enlarge(const std::string& page) {
  const std::string filler = "<p class=\"pad\">lorem ipsum dolor sit amet consectetur</p>\n";
  std::size_t lines = std::count(page.begin(), page.end(), '\n') + 1;
  std::size_t perLine = (kPageBytes - page.size()) / filler.size() / lines + 1;
  std::string block;
  for (std::size_t i = 0; i < perLine; ++i) block += filler;
  std::string out;
  for (char c : page) {
    out += c;
    if (c == '\n') out += block;
  }
  return out + block;
}

std::string PageFor(int benchCase) {
  fixtures::PageSpec spec{10, 10, 1};
  switch (benchCase) {
    case 0: return fixtures::TorrentPage(spec);
    case 1: return fixtures::TazhaoPage(spec);
    case 4:
    case 7: return fixtures::GooglePage(benchCase, spec);
    case 6: return fixtures::IAskPage(spec);
    default: return fixtures::BaiduSitePage(benchCase, spec);
  }
}

}  // namespace

std::string BenchPage(int benchCase) { return Enlarge(PageFor(benchCase)); }

void LoadCase(testing::SearchHarness& harness, int benchCase, const std::string& page) {
  if (benchCase == 0) {
    harness.SelectMode(2);
  } else {
    harness.SelectSource(benchCase);
  }
  harness.pages.pages = {page};
}

std::string CaseLabel(int benchCase) {
  return benchCase == 0 ? "torrent" : "source " + std::to_string(benchCase);
}

}  // namespace panscout::bench
