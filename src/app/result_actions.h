#pragma once
// What a double-click, a right-click or a source button does, decided from
// the search state and the current selection alone.

#include "results/result_list.h"
#include "search/search_state.h"
#include "search/sources.h"

namespace panscout {

struct DoubleClickAction {
  enum Kind { kNothing, kRealAddressDialog, kOpenAddress };
  Kind kind = kNothing;
  Text address;  // for kOpenAddress: the selected row's address, unchanged
};

// The markers of the selected row's source when its hits need the
// real-address dialog (its definition has them); nullptr otherwise. The row's
// source is its own in a search of several, else the chosen one. Only the
// source counts, in either mode.
const RealAddressMarkers* RealAddressMarkersOf(const SearchState& state, const SourceTable& sources,
                                               const ResultList& results);

// The source of a row of the list: its own in a search of several, else the
// torrent search in torrent mode and the chosen source otherwise; nullptr
// when there is none.
const SourceRule* SourceOfRow(const SearchState& state, const SourceTable& sources, const ResultList& results,
                              int row);

DoubleClickAction DecideDoubleClick(const SearchState& state, const SourceTable& sources,
                                    const ResultList& results);

// Whether a right-click pops up the "解析真实地址" menu.
bool ShowsResultMenu(const SearchState& state, const SourceTable& sources, const ResultList& results);

// The page address of the selected hit, which the real-address dialog resolves.
Text SelectedHitPage(const ResultList& results);
// The file name of the selected hit, the dialog's caption.
Text SelectedHitName(const ResultList& results);

}  // namespace panscout
