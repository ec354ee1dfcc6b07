#include "cli/source_pick.h"

#include <algorithm>

#include "search/search_state.h"
#include "search/sources.h"

namespace panscout {
namespace {

std::vector<const SourceRule*> AllOf(const SourceTable& sources, int mode) {
  if (mode != kTorrentMode) return sources.Buttons();
  std::vector<const SourceRule*> torrents;
  for (const SourceRule& source : sources.All()) {
    if (source.step == StepKind::kTorrent) torrents.push_back(&source);
  }
  return torrents;
}

}  // namespace

SourcePick PickSources(const SourceTable& sources, const std::string& spec, int mode) {
  SourcePick pick;
  pick.several = spec == "all" || spec.find(',') != std::string::npos;
  std::vector<const SourceRule*> chosen;
  if (spec == "all") {
    chosen = AllOf(sources, mode);
  } else {
    for (std::size_t start = 0; start <= spec.size();) {
      std::size_t end = std::min(spec.find(',', start), spec.size());
      std::string name = spec.substr(start, end - start);
      const SourceRule* source = sources.Named(name);
      if (!source) return {{}, false, "no source " + name + " (see --list-sources)"};
      if (std::find(chosen.begin(), chosen.end(), source) == chosen.end()) chosen.push_back(source);
      start = end + 1;
    }
  }
  if (chosen.empty()) return {{}, false, "no source to search"};
  for (const SourceRule* source : chosen) {
    pick.jobs.push_back({source, source->step == StepKind::kTorrent || mode == kTorrentMode});
  }
  return pick;
}

}  // namespace panscout
