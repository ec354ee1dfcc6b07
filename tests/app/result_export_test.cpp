#include "app/result_export.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"

namespace panscout {
namespace {

ResultList ListOf(ResultLayout layout, const std::vector<std::vector<std::string>>& utf8Rows) {
  ResultList list;
  list.SetLayout(layout);
  for (const auto& cells : utf8Rows) {
    int row = list.AppendRow();
    for (int column = 0; column < list.ColumnCount(); ++column) {
      list.SetField(row, list.Columns()[column].field, Gbk(cells[column]));
    }
  }
  return list;
}

TEST(ResultExport, JsonNamesTheCellsOfEachMode) {
  ResultList list = ListOf(ResultLayout::kNetDisk, {{"“引号”\"\\", "2 MB", "http://x\x01"}});
  EXPECT_EQ(FormatRowsJson(list, {0}),
            "[\n {\"name\": \"“引号”\\\"\\\\\", \"size\": \"2 MB\", \"address\": \"http://x\\u0001\"}\n]\n");
  list.SetLayout(ResultLayout::kTorrent);
  EXPECT_EQ(FormatRowsJson(list, {0}),
            "[\n {\"name\": \"“引号”\\\"\\\\\", \"address\": \"http://x\\u0001\"}\n]\n");
  list.ClearRows();
  EXPECT_EQ(FormatRowsJson(list, {}), "[]\n");
}

TEST(ResultExport, BothFormatsTakeTheGivenRowsInTheGivenOrder) {
  ResultList list = ListOf(ResultLayout::kTorrent, {{"a", "http://x/a"}, {"b", "http://x/b"}, {"c", "http://x/c"}});
  EXPECT_EQ(FormatRowsJson(list, {2, 0}),
            "[\n {\"name\": \"c\", \"address\": \"http://x/c\"},\n"
            " {\"name\": \"a\", \"address\": \"http://x/a\"}\n]\n");
  EXPECT_EQ(FormatRowsCsv(list, {2, 0}), "name,address\r\nc,http://x/c\r\na,http://x/a\r\n");
  EXPECT_EQ(FormatRowsCsv(list, {}), "name,address\r\n");
}

TEST(ResultExport, FieldNamesReadBack) {
  for (ResultField field : {ResultField::kName, ResultField::kSize, ResultField::kAddress}) {
    EXPECT_EQ(FieldNamed(FieldName(field)), field);
  }
  EXPECT_EQ(FieldNamed("Name"), std::nullopt);
}

TEST(ResultExport, CsvQuotesOnlyFieldsThatNeedIt) {
  const std::pair<const char*, const char*> fields[] = {
      {"电影.rar", "电影.rar"},       {"a,b", "\"a,b\""},   {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""}, {"line\nfeed", "\"line\nfeed\""}, {"", ""},
  };
  for (auto [name, quoted] : fields) {
    ResultList list = ListOf(ResultLayout::kNetDisk, {{name, "1 MB", "http://x"}});
    EXPECT_EQ(FormatRowsCsv(list, {0}), std::string("name,size,address\r\n") + quoted + ",1 MB,http://x\r\n")
        << name;
  }
}

}  // namespace
}  // namespace panscout
