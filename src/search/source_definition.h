#pragma once
// A source's definition file: TOML, UTF-8, every key of docs/sources.md.
// Reading one checks it whole, so a broken file is reported and skipped and
// never half-used.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/hosts.h"
#include "search/sources.h"

namespace panscout {

struct DefinitionRead {
  std::optional<SourceRule> source;  // set when there is no error
  std::vector<std::string> errors;   // "FILE:LINE: message"
};

// Reads the definition `text` of the file named `file`, with the hosts the
// program uses filled in. Only a built-in definition may state its number.
DefinitionRead ReadDefinition(std::string_view text, const std::string& file, const Hosts& hosts,
                              bool builtIn);

}  // namespace panscout
