#include "cli/cli_output.h"

#include <gtest/gtest.h>

#include "results/result_list.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

TEST(CliOutput, TsvRowsInUtf8WithCellBreaksFlattened) {
  ResultList list;
  int row = list.AppendRow();
  list.SetCell(row, 0, Gbk("电影\t1\r\n.rar"));
  list.SetCell(row, 1, "1 MB");
  list.SetCell(row, 2, "http://a/b");
  list.AppendRow();
  EXPECT_EQ(FormatRowsTsv(list), "电影 1  .rar\t1 MB\thttp://a/b\n\t\t\n");
}

TEST(CliOutput, JsonNamesTheCellsOfEachMode) {
  ResultList list;
  int row = list.AppendRow();
  list.SetCell(row, 0, Gbk("“引号”\"\\"));
  list.SetCell(row, 1, "2 MB");
  list.SetCell(row, 2, "http://x\x01");
  EXPECT_EQ(FormatRowsJson(list, 1),
            "[\n {\"name\": \"“引号”\\\"\\\\\", \"size\": \"2 MB\", \"address\": \"http://x\\u0001\"}\n]\n");
  list.DeleteColumn(1);
  EXPECT_EQ(FormatRowsJson(list, 2),
            "[\n {\"name\": \"“引号”\\\"\\\\\", \"address\": \"http://x\\u0001\"}\n]\n");
  list.ClearRows();
  EXPECT_EQ(FormatRowsJson(list, 2), "[]\n");
}

}  // namespace
}  // namespace panscout
