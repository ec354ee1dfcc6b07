#pragma once
// What the window remembers between runs: the last keywords searched, its
// size and the column its list was last sorted by. Kept in UTF-8 in
// $XDG_CONFIG_HOME/panscout/history.txt (~/.config when unset), readable by
// the user alone.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace panscout {

constexpr int kMaxRemembered = 20;

struct RememberedSort {
  std::string field;  // the field's export name, so a mode switch keeps it
  bool descending = false;
  bool operator==(const RememberedSort&) const = default;
};

struct SearchHistory {
  std::vector<std::string> keywords;  // UTF-8, newest first, distinct
  std::optional<std::pair<int, int>> windowSize;
  std::optional<RememberedSort> sort;

  // Puts `keyword` first, drops its older entry and any beyond the twentieth.
  void Remember(const std::string& keyword);
  bool operator==(const SearchHistory&) const = default;
};

// Settings lines "key=value" first, then one keyword a line after "[keywords]".
std::string FormatHistory(const SearchHistory& history);
// Unknown or malformed settings lines are skipped.
SearchHistory ParseHistory(const std::string& text);

// From $XDG_CONFIG_HOME and $HOME; the second form takes their values.
std::filesystem::path HistoryPath();
std::filesystem::path HistoryPathFrom(const char* configHome, const char* home);
// An empty history when the file is missing.
SearchHistory LoadHistory(const std::filesystem::path& file);
// Creates the directory; returns why it failed, or nullopt.
std::optional<std::string> SaveHistory(const std::filesystem::path& file, const SearchHistory& history);

}  // namespace panscout
