#include "cli/cli_output.h"

#include <gtest/gtest.h>

#include "results/result_list.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

TEST(CliOutput, TsvRowsInUtf8WithCellBreaksFlattened) {
  ResultList list;
  int row = list.AppendRow();
  list.SetField(row, ResultField::kName, Gbk("电影\t1\r\n.rar"));
  list.SetField(row, ResultField::kSize, "1 MB");
  list.SetField(row, ResultField::kAddress, "http://a/b");
  list.AppendRow();
  EXPECT_EQ(FormatRowsTsv(list), "电影 1  .rar\t1 MB\thttp://a/b\n\t\t\n");
}

TEST(CliOutput, JsonNamesTheCellsOfEachMode) {
  ResultList list;
  int row = list.AppendRow();
  list.SetField(row, ResultField::kName, Gbk("“引号”\"\\"));
  list.SetField(row, ResultField::kSize, "2 MB");
  list.SetField(row, ResultField::kAddress, "http://x\x01");
  EXPECT_EQ(FormatRowsJson(list),
            "[\n {\"name\": \"“引号”\\\"\\\\\", \"size\": \"2 MB\", \"address\": \"http://x\\u0001\"}\n]\n");
  list.SetLayout(ResultLayout::kTorrent);
  EXPECT_EQ(FormatRowsJson(list),
            "[\n {\"name\": \"“引号”\\\"\\\\\", \"address\": \"http://x\\u0001\"}\n]\n");
  list.ClearRows();
  EXPECT_EQ(FormatRowsJson(list), "[]\n");
}

}  // namespace
}  // namespace panscout
