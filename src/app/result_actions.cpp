#include "app/result_actions.h"

namespace panscout {

const RealAddressMarkers* RealAddressMarkersOf(const SearchState& state, const SourceTable& sources,
                                               const ResultList& results) {
  const int origin = results.Row(results.SelectedRow()).origin;
  const SourceRule* source = sources.Find(origin ? origin : state.sourceNumber);
  return source && source->realAddress ? &*source->realAddress : nullptr;
}

const SourceRule* SourceOfRow(const SearchState& state, const SourceTable& sources, const ResultList& results,
                              int row) {
  if (const int origin = results.Row(row).origin) return sources.Find(origin);
  return state.searchMode == kTorrentMode ? sources.Torrent() : sources.Find(state.sourceNumber);
}

DoubleClickAction DecideDoubleClick(const SearchState& state, const SourceTable& sources,
                                    const ResultList& results) {
  int row = results.SelectedRow();
  switch (state.searchMode) {
    case kNetDiskMode:
      if (RealAddressMarkersOf(state, sources, results)) return {DoubleClickAction::kRealAddressDialog, {}};
      [[fallthrough]];
    case kTorrentMode:
      return {DoubleClickAction::kOpenAddress, results.Row(row).address};
    default:
      return {};
  }
}

bool ShowsResultMenu(const SearchState& state, const SourceTable& sources, const ResultList& results) {
  return RealAddressMarkersOf(state, sources, results) != nullptr;
}

Text SelectedHitPage(const ResultList& results) { return results.Row(results.SelectedRow()).address; }

Text SelectedHitName(const ResultList& results) { return results.Row(results.SelectedRow()).name; }

}  // namespace panscout
