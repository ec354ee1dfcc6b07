#pragma once

#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "net/network_settings.h"
#include "search/hosts.h"

namespace panscout {

struct WindowOptions {
  Hosts hosts = Hosts::Defaults();
  std::vector<std::filesystem::path> sourceDirs;  // the user's own directory first
  std::string proxy;         // --proxy as given: a URL, "none", or empty for the environment's
  NetworkSettings network;   // from --proxy, --cacert and the environment
};

// Reads "--hosts FILE", "--sources DIR", "--proxy URL|none" and "--cacert
// FILE" (or "--name=VALUE") from the window program's arguments over
// `options`; the error to report, or nullopt.
std::optional<std::string> ReadWindowOptions(const QStringList& arguments, WindowOptions& options);

}  // namespace panscout
