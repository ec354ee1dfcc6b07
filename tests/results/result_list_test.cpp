#include "results/result_list.h"

#include <gtest/gtest.h>

#include "results/open_with_shell.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

TEST(ResultList, CellsOutsideTheListAreEmptyAndWritesThereAreIgnored) {
  ResultList list;
  EXPECT_EQ(list.ColumnCount(), 3);
  EXPECT_EQ(list.CellText(-1, 0), "");
  list.SetCell(0, 0, "x");
  EXPECT_EQ(list.RowCount(), 0);
  int row = list.AppendRow();
  list.SetCell(row, 3, "x");
  list.SetCell(-1, 0, "x");
  EXPECT_EQ(list.CellText(row, 3), "");
  EXPECT_EQ(list.CellText(row, 0), "");
}

TEST(ResultList, ColumnChangesKeepRowsAligned) {
  ResultList list;
  int row = list.AppendRow();
  list.SetCell(row, 0, "name");
  list.SetCell(row, 2, "addr");
  list.DeleteColumn(1);
  EXPECT_EQ(list.CellText(row, 1), "addr");
  list.InsertColumn(1, "size", 160);
  EXPECT_EQ(list.CellText(row, 2), "addr");
  EXPECT_EQ(list.CellText(row, 1), "");
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

struct RecordingShell : ShellOpener {
  std::vector<std::string> opened;
  void OpenUrl(const std::string& url) override { opened.push_back(url); }
};

TEST(OpenWithShell, OnlyWebAddressesGoOut) {
  RecordingShell shell;
  for (const char* refused : {"", "http://", "file:///etc/passwd", "/bin/sh", "javascript:alert(1)",
                              "ftp://x/y", " http://x", "mailto:a@b"}) {
    OpenWithShell(shell, refused);
  }
  EXPECT_TRUE(shell.opened.empty());
  OpenWithShell(shell, "HTTP://x/y");
  OpenWithShell(shell, "https://x/" + Gbk("文件"));
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"HTTP://x/y", "https://x/文件"}));
}

}  // namespace
}  // namespace panscout
