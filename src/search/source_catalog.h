#pragma once
// Every source of a run: the built-in definitions, then the user's own files.

#include <filesystem>
#include <string>
#include <vector>

#include "search/hosts.h"
#include "search/sources.h"

namespace panscout {

struct SourceCatalog {
  SourceTable table;
  std::vector<std::string> errors;  // one line per fault, "FILE:LINE: message"
};

// The built-ins, then every *.toml of each directory in `userDirs` (in name
// order; a directory that does not exist holds none). A user file whose id
// is a built-in's replaces that built-in; a broken one is reported and
// skipped, and the others keep working.
// $XDG_DATA_HOME/panscout, or ~/.local/share/panscout: the user's own files.
std::filesystem::path UserDataDirectory();
// Its "sources" directory.
std::filesystem::path UserSourcesDirectory();

SourceCatalog LoadSources(const Hosts& hosts, const std::vector<std::filesystem::path>& userDirs);

}  // namespace panscout
