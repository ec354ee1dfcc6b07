#include "app/result_export.h"

#include <cstdio>

#include "runtime/codepage.h"

namespace panscout {
namespace {

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string CsvField(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

constexpr ResultField kFields[] = {ResultField::kName, ResultField::kSize, ResultField::kAddress, ResultField::kSource};

}  // namespace

const char* FieldName(ResultField field) {
  switch (field) {
    case ResultField::kName: return "name";
    case ResultField::kSize: return "size";
    case ResultField::kSource: return "source";
    case ResultField::kAddress: break;
  }
  return "address";
}

std::optional<ResultField> FieldNamed(const std::string& name) {
  for (ResultField field : kFields) {
    if (name == FieldName(field)) return field;
  }
  return std::nullopt;
}

std::string FormatRowJson(const std::vector<ResultColumn>& columns, const ResultRow& row,
                          const JsonMembers& leading, const JsonMembers& trailing) {
  std::string out = "{";
  for (const auto& [key, value] : leading) out += JsonString(key) + ": " + JsonString(value) + ", ";
  for (std::size_t column = 0; column < columns.size(); ++column) {
    if (column) out += ", ";
    out += JsonString(FieldName(columns[column].field)) + ": " +
           JsonString(GbkToUtf8(row.Field(columns[column].field)));
  }
  for (const auto& [key, value] : trailing) out += ", " + JsonString(key) + ": " + JsonString(value);
  return out + "}";
}

std::string FormatRowsJson(const ResultList& results, const std::vector<int>& rows) {
  JsonArrayLayout array;
  std::string out = array.Open();
  for (int row : rows) out += array.Item(FormatRowJson(results.Columns(), results.Row(row)));
  return out + array.Close();
}

std::string FormatRowsCsv(const ResultList& results, const std::vector<int>& rows) {
  std::string out;
  for (int column = 0; column < results.ColumnCount(); ++column) {
    out += (column ? "," : "") + CsvField(FieldName(results.Columns()[column].field));
  }
  out += "\r\n";
  for (int row : rows) {
    for (int column = 0; column < results.ColumnCount(); ++column) {
      out += (column ? "," : "") + CsvField(GbkToUtf8(results.CellText(row, column)));
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace panscout
