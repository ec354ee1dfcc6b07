#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/text.h"

namespace panscout {

struct CliOptions {
  int mode = 1;    // 1 net disk, 2 torrent
  int source = 4;  // as the window starts
  std::string hostsFile;
  int maxPages = 0;  // 0: no limit
  int timeoutSeconds = 0;
  bool json = false;
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
