#pragma once
// The rows of a search as a file or a program reads them: JSON or CSV in
// UTF-8, with the fields the list's layout shows, named alike in both.

#include <optional>
#include <string>
#include <vector>

#include "results/result_list.h"

namespace panscout {

// "name", "size", "address": the key of a field in both formats.
const char* FieldName(ResultField field);
std::optional<ResultField> FieldNamed(const std::string& name);

// The given rows, in the given order; the overloads without rows take every
// row in arrival order.
std::string FormatRowsJson(const ResultList& results, const std::vector<int>& rows);
std::string FormatRowsJson(const ResultList& results);
// RFC 4180: a header row of the field names, CR LF line ends, fields quoted
// when they hold a comma, a quote or a line break.
std::string FormatRowsCsv(const ResultList& results, const std::vector<int>& rows);

}  // namespace panscout
