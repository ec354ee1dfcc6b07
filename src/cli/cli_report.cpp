#include "cli/cli_report.h"

#include <cstdio>

#include "cli/checked_rows.h"
#include "cli/cli_output.h"
#include "runtime/codepage.h"
#include "search/sources.h"

namespace panscout {
namespace {

void Line(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

}  // namespace

CliReport::CliReport(RowWriter& rows, ReportStyle style, std::function<void()> ended, CheckedRows* checked)
    : rows_(rows), checked_(checked), style_(style), ended_(std::move(ended)) {
  rows_.Begin();
}

std::string CliReport::Named(const SourceRule& source, const std::string& line) const {
  return style_.several ? source.id + ": " + line : line;
}

void CliReport::OnRow(const SourceRule& source, const std::vector<ResultColumn>& columns, const ResultRow& row) {
  checked_ ? checked_->Add(source, columns, row) : rows_.Row(source.id, columns, row);
}

void CliReport::OnPage(const SourceRule& source, const PageReport& page) {
  if (style_.verbose) Line(RequestLine(page.url, page.fetched, page.took));
  if (!page.fetched.status.ok()) Line(FailureLine(page.url, page.fetched.status));
  if (style_.progress) {
    Line(Named(source, "page " + std::to_string(page.page) + ", " + std::to_string(page.rowsSoFar) +
                           " rows so far"));
  }
}

void CliReport::OnMessage(const SourceRule& source, const Text& text) { Line(Named(source, GbkToUtf8(text))); }

void CliReport::OnSourceEnded(const SourceRule& source, const SourceOutcome& outcome, int) {
  // Another source may go on waiting for pages long after this one's last.
  rows_.Flush();
  std::string status = GbkToUtf8(outcome.status);
  if (!style_.several) return Line(status);
  std::string line = source.id + ": " + std::to_string(outcome.hits) + " hits, " + status;
  if (outcome.NetworkFailed() && !outcome.lastFailure.ok()) line += " (" + outcome.lastFailure.Reason() + ")";
  Line(line);
}

void CliReport::OnAllEnded(const MultiOutcome& outcome) {
  if (checked_) checked_->Finish();
  rows_.End();
  if (style_.several) {
    Line("total: " + std::to_string(outcome.listed) + " hits from " + std::to_string(outcome.sources) +
         " sources, " + std::to_string(outcome.duplicates) + " duplicates dropped");
  }
  exitStatus_ = outcome.networkFailures == outcome.sources ? 1 : 0;
  ended_();
}

}  // namespace panscout
