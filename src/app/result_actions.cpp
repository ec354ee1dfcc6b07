#include "app/result_actions.h"

#include <array>

namespace panscout {

namespace {
constexpr std::array<int, kSourceButtonCount> kSourceOfButton = {4, 2, 3, 6, 5, 1, 7};
}  // namespace

DoubleClickAction DecideDoubleClick(const SearchState& state, const ResultList& results) {
  int row = results.SelectedRow();
  switch (state.searchMode) {
    case kNetDiskMode:
      if (state.sourceNumber == kRealAddressSource) return {DoubleClickAction::kRealAddressDialog, {}};
      [[fallthrough]];
    case kTorrentMode:
      return {DoubleClickAction::kOpenAddress, results.Row(row).address};
    default:
      return {};
  }
}

bool ShowsResultMenu(const SearchState& state) { return state.sourceNumber == kRealAddressSource; }

Text SelectedHitPage(const ResultList& results) {
  return results.Row(results.SelectedRow()).address;
}

Text SelectedHitName(const ResultList& results) {
  return results.Row(results.SelectedRow()).name;
}

int SourceForButton(int buttonIndex) {
  if (buttonIndex < 0 || buttonIndex >= kSourceButtonCount) return 0;
  return kSourceOfButton[buttonIndex];
}

}  // namespace panscout
