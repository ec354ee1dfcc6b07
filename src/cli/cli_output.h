#pragma once

#include <chrono>
#include <string>

#include "net/fetch_status.h"

namespace panscout {

class ResultList;

// "GET URL -> 200, 12345 bytes, 34 ms", or "GET URL -> REASON" for a failed request.
std::string RequestLine(const Text& url, const Fetched& fetched, std::chrono::milliseconds took);
// "panscout-cli: URL: REASON".
std::string FailureLine(const Text& url, const FetchStatus& status);

// Every row of the list as UTF-8 tab-separated lines.
std::string FormatRowsTsv(const ResultList& results);

}  // namespace panscout
