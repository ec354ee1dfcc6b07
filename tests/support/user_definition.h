#pragma once
// A user's own definition, made from a built-in one as a user would start.

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace panscout::testing {

// The built-in definition file under an id and caption of its own, without
// the number and toolbar slot that only built-ins have.
inline std::string UserCopy(const std::string& builtInFile, const std::string& id, const std::string& caption) {
  std::ifstream in(builtInFile, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const char* key : {"number", "slot"}) {
    text = std::regex_replace(text, std::regex(std::string("(^|\n)") + key + " = [0-9]+\n"), "$1");
  }
  text = std::regex_replace(text, std::regex("(^|\n)id = \"[^\"]*\""), "$1id = \"" + id + "\"");
  return std::regex_replace(text, std::regex("(^|\n)caption = \"[^\"]*\""), "$1caption = \"" + caption + "\"");
}

}  // namespace panscout::testing
