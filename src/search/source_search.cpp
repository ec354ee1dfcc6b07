#include "search/source_search.h"

#include "browser/fetching_viewer.h"
#include "net/observed_page_source.h"
#include "results/row_stream.h"
#include "runtime/codepage.h"
#include "search/search_controller.h"
#include "search/search_window.h"
#include "search/sources.h"

namespace panscout {
namespace {

class HeadlessWindow : public SearchWindow {
 public:
  HeadlessWindow(Text keyword, std::function<void(const Text&)> message)
      : keyword_(std::move(keyword)), caption_(Gbk("开始搜索")), message_(std::move(message)) {}

  Text KeywordText() override { return keyword_; }
  void SetKeywordEnabled(bool) override {}
  void SetBusyVisible(bool) override {}
  Text ButtonCaption() override { return caption_; }
  void SetButtonCaption(const Text& caption) override { caption_ = caption; }
  void ShowMessage(const Text& text) override {
    if (message_) message_(text);
  }

  bool Searching() const { return caption_ == Gbk("停止搜索"); }

 private:
  Text keyword_;
  Text caption_;
  std::function<void(const Text&)> message_;
};

}  // namespace

bool SourceOutcome::NetworkFailed() const { return status == Gbk("状态：网络连接失败！"); }

class SourceSearch::Parts {
 public:
  Parts(SourceSearch& owner, const SourceSearchSetup& setup, EventPump& pump, PageSource& pages,
        SourceSearchEvents events)
      : owner_(owner),
        maxPages_(setup.maxPages),
        events_(std::move(events)),
        window_(setup.keyword, events_.message),
        rows_(owner.results_, [this](const ResultRow& row) {
          if (events_.row) events_.row(row);
        }),
        observed_(
            pages, [this](const Text& url, const Fetched& fetched, std::chrono::milliseconds took) {
              OnPage(url, fetched, took);
            },
            [this] { rows_.Flush(); }),
        viewer_(observed_),
        controller_(SearchContext{state_, owner.results_, window_, pump, observed_, viewer_, setup.sources}) {
    state_.searchMode = kNetDiskMode;
    ApplyModeLayout(state_, owner.results_, setup.torrentMode ? kTorrentMode : kNetDiskMode);
    state_.sourceNumber = setup.source.number;
  }

  SourceOutcome Run() {
    if (!owner_.stop_) controller_.OnStartStopClick();
    rows_.Flush();
    return {owner_.results_.Status(), owner_.results_.RowCount(), lastFailure_};
  }

 private:
  // Runs while the step that fetched the page waits for it, so a stop pressed
  // here lets that page be read and ends the search before the next one.
  void OnPage(const Text& url, const Fetched& fetched, std::chrono::milliseconds took) {
    ++page_;
    if (!fetched.status.ok()) lastFailure_ = fetched.status;
    if (events_.page) events_.page({url, fetched, took, page_, owner_.results_.RowCount()});
    bool lastPage = maxPages_ > 0 && page_ >= maxPages_;
    if ((owner_.stop_ || lastPage) && window_.Searching()) controller_.OnStartStopClick();
  }

  SourceSearch& owner_;
  int maxPages_;
  SourceSearchEvents events_;
  HeadlessWindow window_;
  SearchState state_;
  RowStream rows_;
  ObservedPageSource observed_;
  FetchingViewer viewer_;
  SearchController controller_;
  int page_ = 0;
  FetchStatus lastFailure_;
};

SourceSearch::SourceSearch(const SourceSearchSetup& setup, EventPump& pump, PageSource& pages,
                           SourceSearchEvents events)
    : parts_(std::make_unique<Parts>(*this, setup, pump, pages, std::move(events))) {}

SourceSearch::~SourceSearch() = default;

SourceOutcome SourceSearch::Run() { return parts_->Run(); }

}  // namespace panscout
