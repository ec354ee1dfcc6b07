#include "app/result_export.h"

#include <cstdio>
#include <numeric>

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

constexpr ResultField kFields[] = {ResultField::kName, ResultField::kSize, ResultField::kAddress};

}  // namespace

const char* FieldName(ResultField field) {
  switch (field) {
    case ResultField::kName: return "name";
    case ResultField::kSize: return "size";
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

std::string FormatRowsJson(const ResultList& results, const std::vector<int>& rows) {
  std::string out = "[";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out += i ? ",\n {" : "\n {";
    for (int column = 0; column < results.ColumnCount(); ++column) {
      if (column) out += ", ";
      out += JsonString(FieldName(results.Columns()[column].field)) + ": " +
             JsonString(GbkToUtf8(results.CellText(rows[i], column)));
    }
    out += "}";
  }
  return out + (rows.empty() ? "]\n" : "\n]\n");
}

std::string FormatRowsJson(const ResultList& results) {
  std::vector<int> rows(results.RowCount());
  std::iota(rows.begin(), rows.end(), 0);
  return FormatRowsJson(results, rows);
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
