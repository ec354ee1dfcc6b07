#include "app/result_actions.h"

#include <gtest/gtest.h>

#include "support/built_in_sources.h"

namespace panscout {
namespace {

struct Fixture {
  Fixture(int mode, int source) {
    state.searchMode = mode;
    state.sourceNumber = source;
    int row = results.AppendRow();
    for (int column = 0; column < results.ColumnCount(); ++column) {
      results.SetField(row, results.Columns()[column].field, "cell" + std::to_string(column));
    }
  }
  SearchState state;
  SourceTable sources = testing::BuiltInSources();
  ResultList results;
};

TEST(DecideDoubleClick, NetDiskModeOpensTheAddressColumn) {
  Fixture f(kNetDiskMode, 4);
  EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).kind, DoubleClickAction::kOpenAddress);
  EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).address, "");  // nothing selected
  f.results.SetSelectedRow(0);
  EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).address, "cell2");
}

TEST(DecideDoubleClick, The115SourceAlwaysOpensTheDialog) {
  Fixture f(kNetDiskMode, 2);
  EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).kind, DoubleClickAction::kRealAddressDialog);
  f.results.SetSelectedRow(0);
  EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).kind, DoubleClickAction::kRealAddressDialog);
}

TEST(DecideDoubleClick, TorrentModeOpensColumnOneWhateverTheSource) {
  Fixture f(kTorrentMode, 2);
  f.results.SetLayout(ResultLayout::kTorrent);
  f.results.SetSelectedRow(0);
  DoubleClickAction action = DecideDoubleClick(f.state, f.sources, f.results);
  EXPECT_EQ(action.kind, DoubleClickAction::kOpenAddress);
  EXPECT_EQ(action.address, "cell2");
}

TEST(DecideDoubleClick, OtherModesDoNothing) {
  Fixture f(0, 4);
  f.results.SetSelectedRow(0);
  EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).kind, DoubleClickAction::kNothing);
}

TEST(ShowsResultMenu, OnlyForThe115SourceInEitherMode) {
  for (int mode : {kNetDiskMode, kTorrentMode}) {
    for (int source = 1; source <= 7; ++source) {
      Fixture f(mode, source);
      EXPECT_EQ(ShowsResultMenu(f.state, f.sources, f.results), source == 2) << mode << " " << source;
    }
  }
}

TEST(DecideDoubleClick, ARowOfSeveralSourcesActsByItsOwnSource) {
  struct Case {
    int chosen, origin;
    DoubleClickAction::Kind kind;
  };
  for (Case c : {Case{4, 2, DoubleClickAction::kRealAddressDialog}, Case{2, 4, DoubleClickAction::kOpenAddress},
                 Case{2, 0, DoubleClickAction::kRealAddressDialog}}) {
    Fixture f(kNetDiskMode, c.chosen);
    f.results.AppendRow(ResultRow{"n", "s", "a", "src", c.origin});
    f.results.SetSelectedRow(1);
    EXPECT_EQ(DecideDoubleClick(f.state, f.sources, f.results).kind, c.kind) << c.chosen << " " << c.origin;
    EXPECT_EQ(ShowsResultMenu(f.state, f.sources, f.results), c.kind == DoubleClickAction::kRealAddressDialog);
  }
}

TEST(SourceButtons, FollowTheToolbarOrderWithHotfileHidden) {
  std::vector<int> numbers;
  const SourceTable sources = testing::BuiltInSources();
  for (const SourceRule* source : sources.Buttons()) {
    numbers.push_back(source->number);
    EXPECT_EQ(source->hidden, source->number == 7) << source->id;
  }
  EXPECT_EQ(numbers, (std::vector<int>{4, 2, 3, 6, 5, 1, 7}));
}

}  // namespace
}  // namespace panscout
