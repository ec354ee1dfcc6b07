#pragma once

#include <string>

namespace panscout {

class ResultList;

// Every row of the list as UTF-8 tab-separated lines.
std::string FormatRowsTsv(const ResultList& results);

}  // namespace panscout
