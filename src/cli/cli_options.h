#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/text.h"

namespace panscout {

enum class RowFormat { kTsv, kJson, kJsonLines };

struct CliOptions {
  int mode = 1;                // 1 net disk, 2 torrent
  bool modeGiven = false;
  // An id or a built-in's number (as the window starts), several joined by
  // commas, or "all".
  std::string source = "xun6";
  std::string hostsFile;
  std::string sourcesDir;  // user definitions besides the user's own directory
  std::string pageFile;    // the first result page, read instead of fetched
  bool listSources = false;
  int maxPages = 0;  // 0: no limit
  int timeoutSeconds = 0;
  std::string proxy;   // a URL or "none"; empty: the environment's
  std::string caFile;  // PEM certificates trusted besides the system's
  bool verbose = false;
  bool checkLinks = false;  // also set by onlyAlive and recheck
  bool onlyAlive = false;
  bool recheck = false;
  RowFormat format = RowFormat::kTsv;
  Text keyword;  // GBK
  bool help = false;
};

struct CliParse {
  std::optional<CliOptions> options;
  std::string error;  // a usage error when options is empty
};

CliParse ParseCliArguments(const std::vector<std::string>& args);
const char* CliUsage();

}  // namespace panscout
