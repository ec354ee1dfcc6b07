#pragma once
// Hits held back until their addresses are checked, then written in the
// order they came, each with its verdict; on request the dead ones are left
// out. An unknown verdict's reason goes to stderr.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/link_checker.h"
#include "cli/row_writer.h"

namespace panscout {

struct SourceRule;

class CheckedRows {
 public:
  CheckedRows(RowWriter& rows, bool onlyAlive, CookieStore& cookies, const NetworkSettings& network,
              LinkCache& cache, LinkCheckSettings settings);

  // From any thread.
  void Add(const SourceRule& source, const std::vector<ResultColumn>& columns, const ResultRow& row);
  // Returns once every hit added is written.
  void Finish();

 private:
  struct Held {
    std::string sourceId;
    std::vector<ResultColumn> columns;
    ResultRow row;
    std::optional<LinkState> state;
  };
  void Told(const Text& address, const LinkState& state);
  void WriteReady();

  RowWriter& rows_;
  bool onlyAlive_;
  std::mutex mutex_;  // guards what follows and the writer
  std::condition_variable written_;
  std::deque<Held> held_;
  LinkChecker checker_;  // last: its workers end before the rest goes
};

}  // namespace panscout
