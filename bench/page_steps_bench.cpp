// Times one result page of every source through the real page steps: the page
// is about 1 MiB, holds ten hits spread through filler, and every pattern is
// run as the search runs it (each pass searches the whole page again). The
// harness (with its script engine) is built and torn down outside the timing.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "bench_pages.h"

namespace panscout {
namespace {

void PageStep(benchmark::State& state) {
  const int benchCase = static_cast<int>(state.range(0));
  const std::string page = bench::BenchPage(benchCase);
  for (auto _ : state) {
    state.PauseTiming();
    auto h = std::make_unique<testing::SearchHarness>();
    bench::LoadCase(*h, benchCase, page);
    state.ResumeTiming();
    h->Press();
    state.PauseTiming();
    if (h->results.RowCount() != 10) state.SkipWithError("the page did not yield ten rows");
    h.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.SetLabel(bench::CaseLabel(benchCase));
}

BENCHMARK(PageStep)->DenseRange(bench::kFirstCase, bench::kLastCase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace panscout

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // the script component needs one
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
