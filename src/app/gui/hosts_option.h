#pragma once

#include <QStringList>

#include <optional>
#include <string>

#include "search/hosts.h"

namespace panscout {

// Reads "--hosts FILE" (or "--hosts=FILE") from the window program's
// arguments over `hosts`; the error to report, or nullopt.
std::optional<std::string> ApplyHostsOption(const QStringList& arguments, Hosts& hosts);

}  // namespace panscout
