#include "results/result_list.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"

namespace panscout {
namespace {

TEST(ResultList, CellsOutsideTheListAreEmptyAndWritesThereAreIgnored) {
  ResultList list;
  EXPECT_EQ(list.ColumnCount(), 3);
  EXPECT_EQ(list.CellText(-1, 0), "");
  list.SetField(0, ResultField::kName, "x");
  EXPECT_EQ(list.RowCount(), 0);
  int row = list.AppendRow();
  list.SetField(-1, ResultField::kName, "x");
  EXPECT_EQ(list.CellText(row, 3), "");
  EXPECT_EQ(list.CellText(row, 0), "");
  EXPECT_EQ(list.Row(5).name, "");
}

TEST(ResultList, EachLayoutShowsItsFieldsInItsColumns) {
  ResultList list;
  int row = list.AppendRow();
  list.SetField(row, ResultField::kName, "name");
  list.SetField(row, ResultField::kSize, "1 MB");
  list.SetField(row, ResultField::kAddress, "addr");
  EXPECT_EQ((std::vector<Text>{list.CellText(row, 0), list.CellText(row, 1), list.CellText(row, 2)}),
            (std::vector<Text>{"name", "1 MB", "addr"}));
  EXPECT_EQ(GbkToUtf8(list.Columns()[1].caption), "文件大小");
  EXPECT_EQ(list.Columns()[1].width, 160);
  list.SetLayout(ResultLayout::kTorrent);
  EXPECT_EQ(list.ColumnCount(), 2);
  EXPECT_EQ(list.CellText(row, 1), "addr");
  EXPECT_EQ(list.ColumnOf(ResultField::kSize), -1);
  EXPECT_EQ(GbkToUtf8(list.Columns()[1].caption), "地址");
}

TEST(ResultList, SelectionIsClearedWithTheRows) {
  ResultList list;
  list.SetSelectedRow(0);
  EXPECT_EQ(list.SelectedRow(), -1);
  list.AppendRow();
  list.SetSelectedRow(0);
  EXPECT_EQ(list.SelectedRow(), 0);
  list.ClearRows();
  EXPECT_EQ(list.SelectedRow(), -1);
}

struct CountingObserver : ResultListObserver {
  int appended = 0, cleared = 0, status = 0;
  void OnRowAppended(int) override { ++appended; }
  void OnRowsCleared() override { ++cleared; }
  void OnStatusChanged() override { ++status; }
};

TEST(ResultList, ObserversHearEveryChange) {
  ResultList list;
  CountingObserver o;
  list.AddObserver(&o);
  list.AppendRow();
  list.ClearRows();
  list.SetStatus(Gbk("状态："));
  list.RemoveObserver(&o);
  list.AppendRow();
  EXPECT_EQ(o.appended, 1);
  EXPECT_EQ(o.cleared, 1);
  EXPECT_EQ(o.status, 1);
}

}  // namespace
}  // namespace panscout
