#include "search/search_controller.h"

#include "results/result_list.h"
#include "runtime/codepage.h"
#include "search/page_steps.h"
#include "search/search_window.h"
#include "search/sources.h"

namespace panscout {

class SearchController::Steps : public SearchEnding {
 public:
  explicit Steps(const SearchContext& context) : context_(context), pages_(context, *this) {}

  void Run(StepKind kind) {
    switch (kind) {
      case StepKind::kEngine: pages_.EngineStep(); break;
      case StepKind::kSite: pages_.SiteStep(); break;
      case StepKind::kTorrent: pages_.TorrentStep(); break;
    }
  }

  void FinishWithStatus(StepKind kind, const Text& status) override {
    context_.results.SetStatus(status);
    context_.window.SetButtonCaption(Gbk("开始搜索"));
    context_.state.Step(kind).running = false;
    context_.window.SetKeywordEnabled(true);
    context_.window.SetBusyVisible(false);
  }

  void FinishWithMessage(StepKind kind, const Text& message) override {
    context_.state.Step(kind).running = false;
    context_.window.SetButtonCaption(Gbk("开始搜索"));
    context_.window.ShowMessage(message);
    context_.window.SetBusyVisible(false);
    context_.window.SetKeywordEnabled(true);
  }

 private:
  SearchContext context_;
  PageSteps pages_;
};

SearchController::SearchController(SearchContext context)
    : context_(context), steps_(std::make_unique<Steps>(context_)) {}

SearchController::~SearchController() = default;

void SearchController::OnStartStopClick() {
  SearchState& state = context_.state;
  SearchWindow& window = context_.window;
  if (state.searchMode != kNetDiskMode && state.searchMode != kTorrentMode) return;
  if (window.KeywordText().empty()) {
    window.ShowMessage(Gbk("关键字不能为空！"));
    return;
  }
  const SourceRule* source = SelectedSource(state, context_.sources);
  const StepKind kind = source ? source->step : StepKind::kSite;
  StepRun& run = state.Step(kind);
  if (CompareTexts(window.ButtonCaption(), Gbk("开始搜索")) == 0) {
    window.SetKeywordEnabled(false);
    window.SetBusyVisible(true);
    window.SetButtonCaption(Gbk("停止搜索"));
    context_.results.SetStatus(Gbk("状态："));
    context_.results.ClearRows();
    run.pageCounter = -10;
    run.running = true;
    run.source = source ? source->number : -1;
  } else {
    window.SetButtonCaption(Gbk("开始搜索"));
    window.SetKeywordEnabled(true);
    window.SetBusyVisible(false);
    context_.results.SetStatus(Gbk("状态："));
    run.running = false;
    run.pageCounter = -10;
  }
  while (run.running) steps_->Run(kind);
}

const SourceRule* SelectedSource(const SearchState& state, const SourceTable& sources) {
  const SourceRule* chosen = sources.Find(state.sourceNumber);
  if (state.searchMode != kTorrentMode) return chosen && chosen->step != StepKind::kTorrent ? chosen : nullptr;
  return chosen && chosen->step == StepKind::kTorrent ? chosen : sources.Torrent();
}

void ApplyModeLayout(SearchState& state, ResultList& results, int mode) {
  if (mode == kNetDiskMode) {
    state.searchMode = kNetDiskMode;
    results.ClearRows();
    results.SetLayout(ResultLayout::kNetDisk);
  } else if (mode == kTorrentMode) {
    state.searchMode = kTorrentMode;
    results.ClearRows();
    results.SetLayout(ResultLayout::kTorrent);
  }
}

}  // namespace panscout
