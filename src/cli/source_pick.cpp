#include "cli/source_pick.h"

#include <algorithm>

#include "search/search_state.h"
#include "search/sources.h"

namespace panscout {

SourcePick PickSources(const SourceTable& sources, const std::string& spec, int mode) {
  SourcePick pick;
  pick.several = spec == "all" || spec.find(',') != std::string::npos;
  if (spec == "all") {
    pick.jobs = AllSourceJobs(sources, mode);
  } else {
    for (std::size_t start = 0; start <= spec.size();) {
      std::size_t end = std::min(spec.find(',', start), spec.size());
      std::string name = spec.substr(start, end - start);
      const SourceRule* source = sources.Named(name);
      if (!source) return {{}, false, "no source " + name + " (see --list-sources)"};
      bool listed = std::any_of(pick.jobs.begin(), pick.jobs.end(), [&](const SourceJob& j) { return j.source == source; });
      if (!listed) pick.jobs.push_back({source, source->step == StepKind::kTorrent || mode == kTorrentMode});
      start = end + 1;
    }
  }
  if (pick.jobs.empty()) return {{}, false, "no source to search"};
  return pick;
}

}  // namespace panscout
