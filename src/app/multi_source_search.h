#pragma once
// Several sources searched at once. Each runs on a thread of its own, with
// its own state, pages, page counter and time-out, exactly as it would be
// searched alone, so a slow or failing source holds back no other. A row
// whose address another source listed first is dropped (an empty address is
// never a duplicate).

#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "search/source_search.h"

namespace panscout {

struct SourceJob {
  const SourceRule* source;
  bool torrentMode = false;
};

// Every source a search of all searches: the shown source buttons, or in
// torrent mode every torrent source.
std::vector<SourceJob> AllSourceJobs(const SourceTable& sources, int mode);

struct MultiOutcome {
  int listed = 0;      // rows handed on
  int duplicates = 0;  // rows dropped for an address listed already
  int sources = 0;
  int networkFailures = 0;  // sources that ended with "状态：网络连接失败！"
};

// Told from the sources' threads, one call at a time. After Abort it is told
// nothing more.
class MultiSearchListener {
 public:
  virtual ~MultiSearchListener() = default;
  virtual void OnRow(const SourceRule& source, const std::vector<ResultColumn>& columns, const ResultRow& row) = 0;
  virtual void OnPage(const SourceRule& /*source*/, const PageReport& /*page*/) {}
  virtual void OnMessage(const SourceRule& /*source*/, const Text& /*text*/) {}
  virtual void OnSourceEnded(const SourceRule& /*source*/, const SourceOutcome& /*outcome*/, int /*stillRunning*/) {}
  virtual void OnAllEnded(const MultiOutcome& /*outcome*/) {}
};

// Where a source's thread gets its pages: it waits through `pump`, and a
// fetch under way gives up when `abandoned` turns true.
using PageSourceMaker =
    std::function<std::unique_ptr<PageSource>(EventPump& pump, std::function<bool()> abandoned)>;

class MultiSourceSearch {
 public:
  MultiSourceSearch(const SourceTable& sources, std::vector<SourceJob> jobs, Text keyword, int maxPages,
                    PageSourceMaker makePages, MultiSearchListener& listener);
  // Aborts what still runs and waits for its threads.
  ~MultiSourceSearch();
  MultiSourceSearch(const MultiSourceSearch&) = delete;
  MultiSourceSearch& operator=(const MultiSourceSearch&) = delete;

  void Start();
  // Every source ends after the page it is reading.
  void Stop();
  // Every source ends at once, its fetch given up.
  void Abort();
  // Returns when every source's thread has ended.
  void Wait();

 private:
  struct Job;
  void RunJob(Job& job);
  void HandOnRow(const Job& job, const ResultRow& row);

  std::vector<std::unique_ptr<Job>> jobs_;
  MultiSearchListener& listener_;
  std::mutex mutex_;  // guards what follows and serialises the listener
  bool aborted_ = false;
  int running_ = 0;
  MultiOutcome outcome_;
  std::unordered_map<Text, const Job*> owners_;
};

}  // namespace panscout
