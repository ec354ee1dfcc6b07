#include "cli/row_writer.h"

#include "cli/cli_output.h"

namespace panscout {

RowWriter::RowWriter(std::FILE* out, RowFormat format, bool withSource)
    : out_(out), format_(format), withSource_(withSource) {}

void RowWriter::Begin() {
  if (format_ == RowFormat::kJson) Write(array_.Open());
}

void RowWriter::Row(const std::string& sourceId, const std::vector<ResultColumn>& columns, const ResultRow& row,
                    const std::optional<std::string>& status) {
  if (format_ == RowFormat::kTsv) {
    Write(FormatRowTsv(columns, row, withSource_ ? std::vector<std::string>{sourceId} : std::vector<std::string>{},
                       status ? std::vector<std::string>{*status} : std::vector<std::string>{}));
    return;
  }
  JsonMembers leading, trailing;
  if (withSource_) leading.emplace_back("source", sourceId);
  if (status) trailing.emplace_back("status", *status);
  std::string object = FormatRowJson(columns, row, leading, trailing);
  Write(format_ == RowFormat::kJson ? array_.Item(object) : object + "\n");
}

void RowWriter::End() {
  if (format_ == RowFormat::kJson) Write(array_.Close());
  Flush();
}

void RowWriter::Flush() { std::fflush(out_); }

void RowWriter::Write(const std::string& text) { std::fwrite(text.data(), 1, text.size(), out_); }

}  // namespace panscout
