#pragma once
// One source's search run to its end on the calling thread, without a
// window: the command line's search, and each source's in a search of
// several. It is the press and loop of the window, started once.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include "net/fetch_status.h"
#include "results/result_list.h"

namespace panscout {

class EventPump;
class PageSource;
class SourceTable;
struct SourceRule;

struct PageReport {
  const Text& url;
  const Fetched& fetched;
  std::chrono::milliseconds took;
  int page;       // 1 for the first page the search read
  int rowsSoFar;  // before this page's rows
};

// Called on the searching thread; any may be left empty.
struct SourceSearchEvents {
  std::function<void(const ResultRow&)> row;  // each whole row, once its page is read
  std::function<void(const PageReport&)> page;
  std::function<void(const Text&)> message;  // the texts the window shows in a box
};

struct SourceOutcome {
  Text status;  // the status text the search ended with
  int hits = 0;
  FetchStatus lastFailure;  // of the last page that failed; ok when none did

  bool NetworkFailed() const;
};

struct SourceSearchSetup {
  const SourceTable& sources;
  const SourceRule& source;
  bool torrentMode = false;
  Text keyword;
  int maxPages = 0;  // 0: as many as the source has
};

class SourceSearch {
 public:
  SourceSearch(const SourceSearchSetup& setup, EventPump& pump, PageSource& pages, SourceSearchEvents events);
  ~SourceSearch();
  SourceSearch(const SourceSearch&) = delete;
  SourceSearch& operator=(const SourceSearch&) = delete;

  SourceOutcome Run();
  // From any thread: the search ends after the page it is reading; before
  // Run, Run ends at once.
  void Stop() { stop_ = true; }

  const ResultList& Results() const { return results_; }

 private:
  class Parts;
  std::atomic<bool> stop_{false};
  ResultList results_;
  std::unique_ptr<Parts> parts_;
};

}  // namespace panscout
