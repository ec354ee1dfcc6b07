#include "cli/cli_output.h"

#include "results/result_list.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

std::string CellUtf8(const ResultList& results, int row, int column) {
  std::string cell = GbkToUtf8(results.CellText(row, column));
  for (char& c : cell) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return cell;
}

}  // namespace

std::string RequestLine(const Text& url, const Fetched& fetched, std::chrono::milliseconds took) {
  std::string line = "GET " + GbkToUtf8(url) + " -> ";
  if (!fetched.status.ok()) return line + fetched.status.Reason();
  return line + std::to_string(fetched.status.httpCode) + ", " + std::to_string(fetched.body.size()) + " bytes, " +
         std::to_string(took.count()) + " ms";
}

std::string FailureLine(const Text& url, const FetchStatus& status) {
  return "panscout-cli: " + GbkToUtf8(url) + ": " + status.Reason();
}

std::string FormatRowsTsv(const ResultList& results) {
  std::string out;
  for (int row = 0; row < results.RowCount(); ++row) {
    for (int column = 0; column < results.ColumnCount(); ++column) {
      if (column) out += '\t';
      out += CellUtf8(results, row, column);
    }
    out += '\n';
  }
  return out;
}

}  // namespace panscout
