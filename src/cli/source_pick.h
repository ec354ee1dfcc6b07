#pragma once

#include <string>
#include <vector>

#include "app/multi_source_search.h"

namespace panscout {

class SourceTable;

struct SourcePick {
  std::vector<SourceJob> jobs;  // empty on an error
  bool several = false;         // "all" or a list: the output names each hit's source
  std::string error;
};

// The sources `--source` names: one id or number, several joined by commas
// (each once), or "all" (AllSourceJobs). Each is searched as it would be
// alone: in torrent mode when it is a torrent source or `mode` is torrent.
SourcePick PickSources(const SourceTable& sources, const std::string& spec, int mode);

}  // namespace panscout
