#include "app/result_actions.h"

namespace panscout {

const RealAddressMarkers* RealAddressMarkersOf(const SearchState& state, const SourceTable& sources) {
  const SourceRule* source = sources.Find(state.sourceNumber);
  return source && source->realAddress ? &*source->realAddress : nullptr;
}

const SourceRule* ChosenSource(const SearchState& state, const SourceTable& sources) {
  return state.searchMode == kTorrentMode ? sources.Torrent() : sources.Find(state.sourceNumber);
}

DoubleClickAction DecideDoubleClick(const SearchState& state, const SourceTable& sources,
                                    const ResultList& results) {
  int row = results.SelectedRow();
  switch (state.searchMode) {
    case kNetDiskMode:
      if (RealAddressMarkersOf(state, sources)) return {DoubleClickAction::kRealAddressDialog, {}};
      [[fallthrough]];
    case kTorrentMode:
      return {DoubleClickAction::kOpenAddress, results.Row(row).address};
    default:
      return {};
  }
}

bool ShowsResultMenu(const SearchState& state, const SourceTable& sources) {
  return RealAddressMarkersOf(state, sources) != nullptr;
}

Text SelectedHitPage(const ResultList& results) { return results.Row(results.SelectedRow()).address; }

Text SelectedHitName(const ResultList& results) { return results.Row(results.SelectedRow()).name; }

}  // namespace panscout
