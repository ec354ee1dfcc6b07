#pragma once
// The start/stop press and the search loop. The loop runs inside the press;
// waits dispatch events, so a second press can run nested in a step.

#include <memory>

#include "runtime/text.h"
#include "search/search_state.h"

namespace panscout {

class EventPump;
class HtmlViewer;
class PageSource;
class ResultList;
class SearchWindow;
class SourceTable;
struct SourceRule;

struct SearchContext {
  SearchState& state;
  ResultList& results;
  SearchWindow& window;
  EventPump& pump;
  PageSource& pages;
  HtmlViewer& viewer;
  const SourceTable& sources;
};

class SearchController {
 public:
  explicit SearchController(SearchContext context);
  ~SearchController();

  void OnStartStopClick();

 private:
  class Steps;
  SearchContext context_;
  std::unique_ptr<Steps> steps_;
};

// The source a press starts in the state's mode: the chosen net-disk source,
// or in torrent mode the chosen torrent search (the built-in one unless the
// chosen source is one). nullptr when there is none.
const SourceRule* SelectedSource(const SearchState& state, const SourceTable& sources);

// The mode toolbar: switches the search mode and the column set, clearing rows.
void ApplyModeLayout(SearchState& state, ResultList& results, int mode);

}  // namespace panscout
