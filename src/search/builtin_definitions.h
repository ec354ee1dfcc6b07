#pragma once
// The definition files of the built-in sources, compiled into the program
// from sources/*.toml.

#include <string_view>
#include <vector>

namespace panscout {

struct BuiltinDefinition {
  std::string_view file;  // the file's name, for messages
  std::string_view text;
};

const std::vector<BuiltinDefinition>& BuiltinDefinitions();

}  // namespace panscout
