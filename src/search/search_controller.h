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
class ScriptComponent;
class SearchWindow;
struct Hosts;

struct SearchContext {
  SearchState& state;
  ResultList& results;
  SearchWindow& window;
  EventPump& pump;
  PageSource& pages;
  HtmlViewer& viewer;
  ScriptComponent& script;
  const Hosts& hosts;
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

// The mode toolbar: switches the search mode and the column set, clearing rows.
void ApplyModeLayout(SearchState& state, ResultList& results, int mode);

}  // namespace panscout
