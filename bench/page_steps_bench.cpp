// Times one result page of every source through the real page steps: the page
// is about 1 MiB, holds ten hits spread through filler, and every pattern is
// run as the search runs it (each pass searches the whole page again).

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "search/fixture_pages.h"
#include "search/search_harness.h"

namespace panscout {
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

std::string PageFor(int source) {
  fixtures::PageSpec spec{10, 10, 1};
  switch (source) {
    case 0: return fixtures::TorrentPage(spec);
    case 1: return fixtures::TazhaoPage(spec);
    case 4:
    case 7: return fixtures::GooglePage(source, spec);
    case 6: return fixtures::IAskPage(spec);
    default: return fixtures::BaiduSitePage(source, spec);
  }
}

void PageStep(benchmark::State& state) {
  const int source = static_cast<int>(state.range(0));
  const std::string page = Enlarge(PageFor(source));
  for (auto _ : state) {
    testing::SearchHarness h;
    if (source == 0) {
      h.SelectMode(2);
    } else {
      h.SelectSource(source);
    }
    h.pages.pages = {page};
    h.Press();
    if (h.results.RowCount() != 10) state.SkipWithError("the page did not yield ten rows");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.SetLabel(source == 0 ? "torrent" : "source " + std::to_string(source));
}

BENCHMARK(PageStep)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace panscout

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // the script component needs one
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
