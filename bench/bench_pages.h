#pragma once
// The pages the page-step benchmark reads: one result page per source, about
// 1 MiB, with ten hits spread through neutral filler. The benchmark and the
// page writer of the Python comparison use the same ones.

#include <string>

#include "search/search_harness.h"

namespace panscout::bench {

// Case 0 is the torrent search, cases 1 to 7 the net-disk sources.
constexpr int kFirstCase = 0;
constexpr int kLastCase = 7;

// Bytes as served: GBK for Baidu, iAsk and torrent pages, UTF-8 otherwise.
std::string BenchPage(int benchCase);
std::string CaseLabel(int benchCase);

// Selects the case's source (or the torrent search) and queues its page, so
// that one press reads that page alone.
void LoadCase(testing::SearchHarness& harness, int benchCase, const std::string& page);

}  // namespace panscout::bench
