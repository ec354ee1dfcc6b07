#pragma once
// The rows of a search as a file or a program reads them: JSON or CSV in
// UTF-8, with the fields the list's layout shows, named alike in both.

#include <optional>
#include <string>
#include <vector>

#include "results/result_list.h"

namespace panscout {

// "name", "size", "address", "source": the key of a field in both formats.
const char* FieldName(ResultField field);
std::optional<ResultField> FieldNamed(const std::string& name);

using JsonMembers = std::vector<std::pair<std::string, std::string>>;

// One row as a JSON object of the columns' fields, between the `leading` and
// `trailing` keys and values (UTF-8).
std::string FormatRowJson(const std::vector<ResultColumn>& columns, const ResultRow& row,
                          const JsonMembers& leading = {}, const JsonMembers& trailing = {});

// A JSON array written an object at a time: "[", then each item, then the close.
class JsonArrayLayout {
 public:
  std::string Open() const { return "["; }
  std::string Item(const std::string& object) { return (items_++ ? ",\n " : "\n ") + object; }
  std::string Close() const { return items_ ? "\n]\n" : "]\n"; }

 private:
  int items_ = 0;
};

// The given rows, in the given order.
std::string FormatRowsJson(const ResultList& results, const std::vector<int>& rows);
// RFC 4180: a header row of the field names, CR LF line ends, fields quoted
// when they hold a comma, a quote or a line break.
std::string FormatRowsCsv(const ResultList& results, const std::vector<int>& rows);

}  // namespace panscout
