#include "app/multi_source_search.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "net/page_source.h"
#include "net/wakeable_pump.h"
#include "runtime/codepage.h"
#include "search/search_state.h"
#include "search/sources.h"

namespace panscout {

std::vector<SourceJob> AllSourceJobs(const SourceTable& sources, int mode) {
  std::vector<SourceJob> jobs;
  if (mode == kTorrentMode) {
    for (const SourceRule& source : sources.All()) {
      if (source.step == StepKind::kTorrent) jobs.push_back({&source, true});
    }
    return jobs;
  }
  for (const SourceRule* source : sources.Buttons()) {
    if (!source->hidden) jobs.push_back({source, false});
  }
  return jobs;
}

struct MultiSourceSearch::Job {
  const SourceRule& source;
  WakeablePump pump;
  std::atomic<bool> abandoned{false};
  std::unique_ptr<PageSource> pages;
  std::unique_ptr<SourceSearch> search;
  std::thread thread;

  explicit Job(const SourceRule& s) : source(s) {}
};

MultiSourceSearch::MultiSourceSearch(const SourceTable& sources, std::vector<SourceJob> jobs, Text keyword,
                                     int maxPages, PageSourceMaker makePages, MultiSearchListener& listener)
    : listener_(listener) {
  outcome_.sources = static_cast<int>(jobs.size());
  for (const SourceJob& spec : jobs) {
    auto job = std::make_unique<Job>(*spec.source);
    Job& j = *job;
    j.pages = makePages(j.pump, [&j] { return j.abandoned.load(); });
    SourceSearchEvents events;
    events.row = [this, &j](const ResultRow& row) { HandOnRow(j, row); };
    events.page = [this, &j](const PageReport& page) {
      std::lock_guard lock(mutex_);
      if (!aborted_) listener_.OnPage(j.source, page);
    };
    events.message = [this, &j](const Text& text) {
      std::lock_guard lock(mutex_);
      if (!aborted_) listener_.OnMessage(j.source, text);
    };
    j.search = std::make_unique<SourceSearch>(
        SourceSearchSetup{sources, *spec.source, spec.torrentMode, keyword, maxPages}, j.pump, *j.pages,
        std::move(events));
    jobs_.push_back(std::move(job));
  }
}

MultiSourceSearch::~MultiSourceSearch() {
  Abort();
  Wait();
}

void MultiSourceSearch::Start() {
  {
    std::lock_guard lock(mutex_);
    running_ = static_cast<int>(jobs_.size());
  }
  for (auto& job : jobs_) {
    try {
      job->thread = std::thread([this, &j = *job] { RunJob(j); });
    } catch (const std::system_error&) {
      job->search->Stop();  // no thread: the source ends without a page
      RunJob(*job);
    }
  }
}

void MultiSourceSearch::RunJob(Job& job) {
  SourceOutcome outcome = job.search->Run();
  std::lock_guard lock(mutex_);
  --running_;
  if (aborted_) return;
  if (outcome.NetworkFailed()) ++outcome_.networkFailures;
  listener_.OnSourceEnded(job.source, outcome, running_);
  if (running_ == 0) listener_.OnAllEnded(outcome_);
}

void MultiSourceSearch::HandOnRow(const Job& job, const ResultRow& row) {
  std::lock_guard lock(mutex_);
  if (aborted_) return;
  // Alone, a source owns every address it lists.
  if (jobs_.size() > 1 && !row.address.empty()) {
    auto [owner, first] = owners_.try_emplace(row.address, &job);
    if (!first && owner->second != &job) {
      ++outcome_.duplicates;
      return;
    }
  }
  ++outcome_.listed;
  listener_.OnRow(job.source, job.search->Results().Columns(), row);
}

void MultiSourceSearch::Stop() {
  for (auto& job : jobs_) job->search->Stop();
}

void MultiSourceSearch::Abort() {
  {
    std::lock_guard lock(mutex_);
    aborted_ = true;
  }
  for (auto& job : jobs_) {
    job->search->Stop();
    job->abandoned = true;
    job->pump.Wake();
  }
}

void MultiSourceSearch::Wait() {
  for (auto& job : jobs_) {
    if (job->thread.joinable()) job->thread.join();
  }
}

}  // namespace panscout
