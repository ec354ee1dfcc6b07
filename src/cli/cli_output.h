#pragma once

#include <string>

namespace panscout {

class ResultList;

// Every row of the list as UTF-8: tab-separated lines, or a JSON array.
std::string FormatRowsTsv(const ResultList& results);
std::string FormatRowsJson(const ResultList& results);

}  // namespace panscout
