#pragma once
// The program's own source definitions, for tests that need a source's rules.

#include "search/source_catalog.h"

namespace panscout::testing {

inline SourceTable BuiltInSources(const Hosts& hosts = Hosts::Defaults()) { return LoadSources(hosts, {}).table; }

// The markers of the 115 net disk's hit pages.
inline RealAddressMarkers Markers115() { return *BuiltInSources().Named("115")->realAddress; }

}  // namespace panscout::testing
