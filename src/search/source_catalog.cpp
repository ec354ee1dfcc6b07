#include "search/source_catalog.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "search/builtin_definitions.h"
#include "search/source_definition.h"

namespace panscout {
namespace {

// User sources take the toolbar places after the built-ins'.
constexpr int kFirstUserSlot = 1000;

std::vector<std::filesystem::path> DefinitionFiles(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() == ".toml" && it->is_regular_file(error)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::filesystem::path UserDataDirectory() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data) return std::filesystem::path(data) / "panscout";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "panscout";
}

std::filesystem::path UserSourcesDirectory() { return UserDataDirectory() / "sources"; }

SourceCatalog LoadSources(const Hosts& hosts, const std::vector<std::filesystem::path>& userDirs) {
  SourceCatalog catalog;
  std::vector<SourceRule> builtIns, users;
  for (const BuiltinDefinition& definition : BuiltinDefinitions()) {
    DefinitionRead read = ReadDefinition(definition.text, std::string(definition.file), hosts, true);
    catalog.errors.insert(catalog.errors.end(), read.errors.begin(), read.errors.end());
    if (read.source) builtIns.push_back(std::move(*read.source));
  }
  std::sort(builtIns.begin(), builtIns.end(), [](const SourceRule& a, const SourceRule& b) {
    // The torrent search (number 0) after the numbered sources.
    return (a.number == 0 ? kBuiltInSourceCount + 1 : a.number) < (b.number == 0 ? kBuiltInSourceCount + 1 : b.number);
  });

  std::map<std::string, std::string> definedBy;
  for (const std::filesystem::path& dir : userDirs) {
    for (const std::filesystem::path& file : DefinitionFiles(dir)) {
      std::ifstream in(file, std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      DefinitionRead read = ReadDefinition(text, file.string(), hosts, false);
      catalog.errors.insert(catalog.errors.end(), read.errors.begin(), read.errors.end());
      if (!read.source) continue;
      SourceRule& rule = *read.source;
      if (auto [earlier, fresh] = definedBy.emplace(rule.id, rule.file); !fresh) {
        catalog.errors.push_back(rule.file + ":1: id \"" + rule.id + "\" is already defined in " + earlier->second);
        continue;
      }
      auto builtIn = std::find_if(builtIns.begin(), builtIns.end(), [&](const SourceRule& b) { return b.id == rule.id; });
      if (builtIn != builtIns.end()) {
        rule.number = builtIn->number;
        if (rule.slot < 0) rule.slot = builtIn->slot;
        *builtIn = std::move(rule);
        continue;
      }
      rule.number = kBuiltInSourceCount + 1 + static_cast<int>(users.size());
      if (rule.slot < 0) rule.slot = kFirstUserSlot + static_cast<int>(users.size());
      users.push_back(std::move(rule));
    }
  }
  builtIns.insert(builtIns.end(), std::make_move_iterator(users.begin()), std::make_move_iterator(users.end()));
  catalog.table = SourceTable(std::move(builtIns));
  return catalog;
}

}  // namespace panscout
