#pragma once
// The window's search of all sources: every shown source at once, each hit
// listed with its source's caption as soon as its page is read, the progress
// in the status text. The sources' threads never touch the window; what they
// tell is posted over to the window's thread.

#include <atomic>
#include <functional>
#include <memory>

#include "app/multi_source_search.h"

namespace panscout {

class ResultList;
class SearchWindow;
struct SearchState;

struct AllSourcesContext {
  SearchState& state;  // its mode picks the sources
  const SourceTable& sources;
  ResultList& results;
  SearchWindow& window;
  PageSourceMaker makePages;
  // Runs `call` later on the window's thread.
  std::function<void(std::function<void()> call)> post;
  // Each source's end, a line each (GBK): the status text's details.
  std::function<void(const Text& lines)> showDetails;
};

class AllSourcesSearch : public MultiSearchListener {
 public:
  explicit AllSourcesSearch(AllSourcesContext context);
  ~AllSourcesSearch() override;
  AllSourcesSearch(const AllSourcesSearch&) = delete;
  AllSourcesSearch& operator=(const AllSourcesSearch&) = delete;

  // The start button's click: starts, or stops every source after its page.
  void OnStartStopClick();
  // From the start until the stop or the end, the start button is this search's.
  bool HoldsButton() const { return holdsButton_; }
  // Ends what runs at once and drops what it has still to tell; the rows stay.
  void Abort();

 private:
  void OnRow(const SourceRule& source, const std::vector<ResultColumn>& columns, const ResultRow& row) override;
  void OnMessage(const SourceRule& source, const Text& text) override;
  void OnSourceEnded(const SourceRule& source, const SourceOutcome& outcome, int stillRunning) override;
  void OnAllEnded(const MultiOutcome& outcome) override;

  void Post(std::function<void()> call);
  void AddDetail(const SourceRule& source, const Text& text);
  void ShowProgress();
  void ReleaseButton();

  AllSourcesContext context_;
  std::unique_ptr<MultiSourceSearch> search_;
  // Bumped when a search is dropped: what it posted is then ignored. Shared
  // with the posted calls so that they outlive this object safely.
  std::shared_ptr<std::atomic<int>> generation_ = std::make_shared<std::atomic<int>>(0);
  bool holdsButton_ = false;
  int sources_ = 0, running_ = 0, found_ = 0;
  Text details_;
};

}  // namespace panscout
