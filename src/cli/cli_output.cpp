#include "cli/cli_output.h"

#include "runtime/codepage.h"

namespace panscout {
namespace {

std::string FlatCell(std::string cell) {
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

std::string FailureLine(const Text& url, const FetchStatus& status) { return FailureLine(url, status.Reason()); }

std::string FailureLine(const Text& url, const std::string& reason) {
  return "panscout-cli: " + GbkToUtf8(url) + ": " + reason;
}

std::string FormatRowTsv(const std::vector<ResultColumn>& columns, const ResultRow& row,
                         const std::vector<std::string>& leading, const std::vector<std::string>& trailing) {
  std::string out;
  for (const std::string& cell : leading) out += FlatCell(cell) + '\t';
  for (std::size_t column = 0; column < columns.size(); ++column) {
    if (column) out += '\t';
    out += FlatCell(GbkToUtf8(row.Field(columns[column].field)));
  }
  for (const std::string& cell : trailing) out += '\t' + FlatCell(cell);
  return out + '\n';
}

}  // namespace panscout
