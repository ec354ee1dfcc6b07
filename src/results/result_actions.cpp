#include "results/result_actions.h"

#include <array>

namespace panscout {

namespace {
constexpr int kNameColumn = 0;
constexpr int kNetDiskAddressColumn = 2;
constexpr int kTorrentAddressColumn = 1;
constexpr std::array<int, kSourceButtonCount> kSourceOfButton = {4, 2, 3, 6, 5, 1, 7};
}  // namespace

DoubleClickAction DecideDoubleClick(const SearchState& state, const ResultList& results) {
  int row = results.SelectedRow();
  switch (state.searchMode) {
    case kNetDiskMode:
      if (state.sourceNumber == kRealAddressSource) return {DoubleClickAction::kRealAddressDialog, {}};
      return {DoubleClickAction::kOpenAddress, results.CellText(row, kNetDiskAddressColumn)};
    case kTorrentMode:
      return {DoubleClickAction::kOpenAddress, results.CellText(row, kTorrentAddressColumn)};
    default:
      return {};
  }
}

bool ShowsResultMenu(const SearchState& state) { return state.sourceNumber == kRealAddressSource; }

Text SelectedHitPage(const ResultList& results) {
  return results.CellText(results.SelectedRow(), kNetDiskAddressColumn);
}

Text SelectedHitName(const ResultList& results) {
  return results.CellText(results.SelectedRow(), kNameColumn);
}

int SourceForButton(int buttonIndex) {
  if (buttonIndex < 0 || buttonIndex >= kSourceButtonCount) return 0;
  return kSourceOfButton[buttonIndex];
}

}  // namespace panscout
