#pragma once
// A whole search without a window: fixture pages served in order, a window
// that records what the search shows, and events injected where fetches
// dispatch.

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "browser/fetching_viewer.h"
#include "net/page_source.h"
#include "results/result_list.h"
#include "runtime/codepage.h"
#include "search/hosts.h"
#include "search/search_controller.h"
#include "search/search_window.h"
#include "support/built_in_sources.h"
#include "support/scripted_event_pump.h"

namespace panscout::testing {

// The status texts a search ends with (UTF-8).
namespace statuses {
inline const std::string kDone = "状态：已经搜索完毕！";
inline const std::string kNothing = "状态：没有搜索到相关的信息！！";
inline const std::string kNoNetwork = "状态：网络连接失败！";
}  // namespace statuses

class RecordingWindow : public SearchWindow {
 public:
  Text keyword = "movie";
  Text caption = Gbk("开始搜索");
  bool keywordEnabled = true;
  bool busyVisible = false;
  std::vector<std::string> messages;  // UTF-8
  std::string lookWhenMessageShown;

  Text KeywordText() override { return keyword; }
  void SetKeywordEnabled(bool enabled) override { keywordEnabled = enabled; }
  void SetBusyVisible(bool visible) override { busyVisible = visible; }
  Text ButtonCaption() override { return caption; }
  void SetButtonCaption(const Text& c) override { caption = c; }
  void ShowMessage(const Text& text) override {
    lookWhenMessageShown = Look();
    messages.push_back(GbkToUtf8(text));
  }
  std::string CaptionUtf8() const { return GbkToUtf8(caption); }
  // Caption, keyword box and busy picture in one line, to compare whole looks.
  std::string Look() const {
    return CaptionUtf8() + (keywordEnabled ? " keyword on" : " keyword off") + (busyVisible ? " busy" : " idle");
  }
};

// Serves the queued pages one per fetch; when they run out, every fetch fails.
// Each fetch first dispatches the pump, as a real fetch does while it waits.
class QueuedPages : public PageSource {
 public:
  explicit QueuedPages(EventPump& pump) : pump_(pump) {}
  static constexpr std::size_t kFetchLimit = 1000;

  std::deque<std::string> pages;
  std::vector<std::string> requested;
  std::function<void(int fetchNumber)> duringFetch;
  Text headerText;

  Fetched Fetch(const Text& url, Text* headerTextOut) override {
    requested.push_back(url);
    if (duringFetch) duringFetch(static_cast<int>(requested.size()));
    pump_.DispatchPending();
    if (headerTextOut) *headerTextOut = headerText;
    // A search that never ends would hang the test run: fail it instead.
    if (requested.size() > kFetchLimit) throw std::runtime_error("the search does not end");
    if (pages.empty()) return {{}, {FetchStatus::kUnconnected, 0, 0, {}}};
    Bytes body(pages.front());
    pages.pop_front();
    return {body, {}};
  }

 private:
  EventPump& pump_;
};

struct SearchHarness {
  explicit SearchHarness(Hosts serviceHosts = Hosts::Defaults()) : hosts(std::move(serviceHosts)) {
    state.searchMode = 1;
    state.sourceNumber = 4;
  }

  void Press() { controller.OnStartStopClick(); }
  void SelectSource(int source) { state.sourceNumber = source; }
  void SelectMode(int mode) { ApplyModeLayout(state, results, mode); }

  std::string Cell(int row, int column) const { return GbkToUtf8(results.CellText(row, column)); }
  std::string Status() const { return GbkToUtf8(results.Status()); }

  Hosts hosts = Hosts::Defaults();
  SourceTable sources = BuiltInSources(hosts);
  SearchState state;
  ResultList results;
  RecordingWindow window;
  ScriptedEventPump pump;
  QueuedPages pages{pump};
  FetchingViewer viewer{pages};
  SearchController controller{
      SearchContext{state, results, window, pump, pages, viewer, sources}};
};

}  // namespace panscout::testing
