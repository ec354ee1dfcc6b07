#include "app/search_history.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "app/temp_directory.h"

namespace panscout {
namespace {

const char kKeywordsLine[] = "[keywords]";

std::optional<std::pair<int, int>> ParseSize(const std::string& value) {
  int width = 0, height = 0;
  char x = 0, rest = 0;
  std::istringstream in(value);
  if (!(in >> width >> x >> height) || x != 'x' || (in >> rest) || width <= 0 || height <= 0) {
    return std::nullopt;
  }
  return std::pair{width, height};
}

std::optional<RememberedSort> ParseSort(const std::string& value) {
  std::size_t blank = value.find(' ');
  std::string order = blank == std::string::npos ? "" : value.substr(blank + 1);
  if (blank == 0 || (order != "ascending" && order != "descending")) return std::nullopt;
  return RememberedSort{value.substr(0, blank), order == "descending"};
}

}  // namespace

void SearchHistory::Remember(const std::string& keyword) {
  keywords.erase(std::remove(keywords.begin(), keywords.end(), keyword), keywords.end());
  keywords.insert(keywords.begin(), keyword);
  if (keywords.size() > kMaxRemembered) keywords.resize(kMaxRemembered);
}

std::string FormatHistory(const SearchHistory& history) {
  std::string out;
  if (history.windowSize) {
    out += "window=" + std::to_string(history.windowSize->first) + "x" +
           std::to_string(history.windowSize->second) + "\n";
  }
  if (history.sort) {
    out += "sort=" + history.sort->field + (history.sort->descending ? " descending\n" : " ascending\n");
  }
  out += std::string(kKeywordsLine) + "\n";
  for (const std::string& keyword : history.keywords) out += keyword + "\n";
  return out;
}

SearchHistory ParseHistory(const std::string& text) {
  SearchHistory history;
  std::istringstream in(text);
  std::string line;
  bool inKeywords = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inKeywords) {
      if (!line.empty() && history.keywords.size() < kMaxRemembered &&
          std::find(history.keywords.begin(), history.keywords.end(), line) == history.keywords.end()) {
        history.keywords.push_back(line);
      }
    } else if (line == kKeywordsLine) {
      inKeywords = true;
    } else if (line.rfind("window=", 0) == 0) {
      history.windowSize = ParseSize(line.substr(7));
    } else if (line.rfind("sort=", 0) == 0) {
      history.sort = ParseSort(line.substr(5));
    }
  }
  return history;
}

std::filesystem::path HistoryPath() { return HistoryPathFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

std::filesystem::path HistoryPathFrom(const char* configHome, const char* home) {
  return XdgDirectory(configHome, home, ".config") / "history.txt";
}

SearchHistory LoadHistory(const std::filesystem::path& file) {
  return ParseHistory(ReadWholeFile(file).data);
}

std::optional<std::string> SaveHistory(const std::filesystem::path& file, const SearchHistory& history) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return error.message();
  return ReplaceFile(file, Bytes(FormatHistory(history)), true);
}

}  // namespace panscout
