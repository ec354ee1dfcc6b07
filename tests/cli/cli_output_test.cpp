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
  EXPECT_EQ(FormatRowTsv(list.Columns(), list.Row(row)), "电影 1  .rar\t1 MB\thttp://a/b\n");
  EXPECT_EQ(FormatRowTsv(list.Columns(), ResultRow{}, {"x\ty"}), "x y\t\t\t\n");
}

}  // namespace
}  // namespace panscout
