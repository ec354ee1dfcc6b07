#include "cli/checked_rows.h"

#include <cstdio>

#include "cli/cli_output.h"
#include "search/sources.h"

namespace panscout {

CheckedRows::CheckedRows(RowWriter& rows, bool onlyAlive, CookieStore& cookies, const NetworkSettings& network,
                         LinkCache& cache, LinkCheckSettings settings)
    : rows_(rows),
      onlyAlive_(onlyAlive),
      checker_(cookies, network, &cache, [this](const Text& address, const LinkState& state) { Told(address, state); },
               settings) {}

void CheckedRows::Add(const SourceRule& source, const std::vector<ResultColumn>& columns, const ResultRow& row) {
  {
    std::lock_guard lock(mutex_);
    held_.push_back({source.id, columns, row, std::nullopt});
  }
  if (row.address.empty()) return Told(row.address, {LinkVerdict::kUnknown, "no address"});
  checker_.Check(row.address, source.check);
}

void CheckedRows::Told(const Text& address, const LinkState& state) {
  std::lock_guard lock(mutex_);
  if (state.verdict == LinkVerdict::kUnknown && !address.empty()) {
    std::fprintf(stderr, "%s\n", FailureLine(address, state.reason).c_str());
  }
  for (Held& held : held_) {
    if (held.row.address == address && !held.state) held.state = state;
  }
  WriteReady();
}

void CheckedRows::WriteReady() {
  while (!held_.empty() && held_.front().state) {
    const Held& held = held_.front();
    if (!onlyAlive_ || held.state->verdict != LinkVerdict::kDead) {
      rows_.Row(held.sourceId, held.columns, held.row, VerdictName(held.state->verdict));
    }
    held_.pop_front();
  }
  rows_.Flush();
  if (held_.empty()) written_.notify_all();
}

void CheckedRows::Finish() {
  std::unique_lock lock(mutex_);
  written_.wait(lock, [this] { return held_.empty(); });
}

}  // namespace panscout
