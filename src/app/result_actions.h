#pragma once
// What a double-click, a right-click or a source button does, decided from
// the search state and the current selection alone.

#include "results/result_list.h"
#include "search/search_state.h"

namespace panscout {

// The source whose hits need the real-address dialog (the 115 net disk).
constexpr int kRealAddressSource = 2;

struct DoubleClickAction {
  enum Kind { kNothing, kRealAddressDialog, kOpenAddress };
  Kind kind = kNothing;
  Text address;  // for kOpenAddress: the selected row's address cell, unchanged
};

DoubleClickAction DecideDoubleClick(const SearchState& state, const ResultList& results);

// Whether a right-click pops up the "解析真实地址" menu; only the source counts.
bool ShowsResultMenu(const SearchState& state);

// The page address of the selected hit, which the real-address dialog resolves.
Text SelectedHitPage(const ResultList& results);
// The file name of the selected hit, the dialog's caption.
Text SelectedHitName(const ResultList& results);

// The source buttons are not in source order; 0 for an index without a source.
int SourceForButton(int buttonIndex);
constexpr int kSourceButtonCount = 7;
constexpr int kHiddenSourceButton = 6;

}  // namespace panscout
