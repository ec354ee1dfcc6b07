#pragma once

#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "search/hosts.h"

namespace panscout {

struct WindowOptions {
  Hosts hosts = Hosts::Defaults();
  std::vector<std::filesystem::path> sourceDirs;  // the user's own directory first
};

// Reads "--hosts FILE" and "--sources DIR" (or "--name=VALUE") from the
// window program's arguments over `options`; the error to report, or nullopt.
std::optional<std::string> ReadWindowOptions(const QStringList& arguments, WindowOptions& options);

}  // namespace panscout
