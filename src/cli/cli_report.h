#pragma once

#include <functional>

#include "app/multi_source_search.h"
#include "cli/row_writer.h"

namespace panscout {

struct ReportStyle {
  bool several = false;   // name each source in its lines
  bool verbose = false;   // a line per request
  bool progress = false;  // a line per page read
};

class CheckedRows;

// What the command line shows of a search: hits to the row writer (through
// `checked` when their links are checked), the rest to stderr. `ended` is
// called, on a source's thread, once all ended and every hit is written.
class CliReport : public MultiSearchListener {
 public:
  CliReport(RowWriter& rows, ReportStyle style, std::function<void()> ended, CheckedRows* checked = nullptr);

  void OnRow(const SourceRule& source, const std::vector<ResultColumn>& columns, const ResultRow& row) override;
  void OnPage(const SourceRule& source, const PageReport& page) override;
  void OnMessage(const SourceRule& source, const Text& text) override;
  void OnSourceEnded(const SourceRule& source, const SourceOutcome& outcome, int stillRunning) override;
  void OnAllEnded(const MultiOutcome& outcome) override;

  // 1 when every source ended with a network failure, else 0.
  int ExitStatus() const { return exitStatus_; }

 private:
  std::string Named(const SourceRule& source, const std::string& line) const;

  RowWriter& rows_;
  CheckedRows* checked_;
  ReportStyle style_;
  std::function<void()> ended_;
  int exitStatus_ = 0;
};

}  // namespace panscout
