#pragma once

#include <chrono>
#include <string>

#include <vector>

#include "net/fetch_status.h"
#include "results/result_list.h"

namespace panscout {

// "GET URL -> 200, 12345 bytes, 34 ms", or "GET URL -> REASON" for a failed request.
std::string RequestLine(const Text& url, const Fetched& fetched, std::chrono::milliseconds took);
// "panscout-cli: URL: REASON".
std::string FailureLine(const Text& url, const FetchStatus& status);
std::string FailureLine(const Text& url, const std::string& reason);

// A row's fields in the columns' order as one UTF-8 line, tab-separated,
// between `leading` and `trailing` cells.
std::string FormatRowTsv(const std::vector<ResultColumn>& columns, const ResultRow& row,
                         const std::vector<std::string>& leading = {}, const std::vector<std::string>& trailing = {});

}  // namespace panscout
