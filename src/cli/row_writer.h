#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/result_export.h"
#include "cli/cli_options.h"

namespace panscout {

// Writes hits as they come: tab-separated lines, one JSON array, or a JSON
// object per line. They reach the reader on Flush and at the end. In a search
// of several sources each hit starts with its source's id.
class RowWriter {
 public:
  RowWriter(std::FILE* out, RowFormat format, bool withSource);

  void Begin();
  // With a link verdict, it is the last cell or the "status" key.
  void Row(const std::string& sourceId, const std::vector<ResultColumn>& columns, const ResultRow& row,
           const std::optional<std::string>& status = std::nullopt);
  void End();
  void Flush();

 private:
  void Write(const std::string& text);

  std::FILE* out_;
  RowFormat format_;
  bool withSource_;
  JsonArrayLayout array_;
};

}  // namespace panscout
