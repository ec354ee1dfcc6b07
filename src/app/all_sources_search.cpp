#include "app/all_sources_search.h"

#include "runtime/codepage.h"
#include "search/search_state.h"
#include "search/search_window.h"
#include "search/sources.h"

namespace panscout {

AllSourcesSearch::AllSourcesSearch(AllSourcesContext context) : context_(std::move(context)) {}

AllSourcesSearch::~AllSourcesSearch() { Abort(); }

void AllSourcesSearch::OnStartStopClick() {
  SearchWindow& window = context_.window;
  if (holdsButton_) {
    search_->Stop();
    ReleaseButton();
    return;
  }
  const int mode = context_.state.searchMode;
  if (mode != kNetDiskMode && mode != kTorrentMode) return;
  if (window.KeywordText().empty()) {
    window.ShowMessage(Gbk("关键字不能为空！"));
    return;
  }
  Abort();  // a stopped search may still be reading its last pages
  std::vector<SourceJob> jobs = AllSourceJobs(context_.sources, mode);
  holdsButton_ = true;
  window.SetKeywordEnabled(false);
  window.SetBusyVisible(true);
  window.SetButtonCaption(Gbk("停止搜索"));
  context_.results.ClearRows();
  context_.results.SetSourceColumn(true);
  sources_ = running_ = static_cast<int>(jobs.size());
  found_ = 0;
  details_.clear();
  context_.showDetails(details_);
  ShowProgress();
  search_ = std::make_unique<MultiSourceSearch>(context_.sources, std::move(jobs), window.KeywordText(), 0,
                                                context_.makePages, *this);
  search_->Start();
}

void AllSourcesSearch::Abort() {
  if (search_) {
    search_->Abort();
    ++*generation_;
    search_.reset();
  }
  if (holdsButton_) ReleaseButton();
}

void AllSourcesSearch::ReleaseButton() {
  holdsButton_ = false;
  context_.window.SetButtonCaption(Gbk("开始搜索"));
  context_.window.SetKeywordEnabled(true);
  context_.window.SetBusyVisible(false);
}

void AllSourcesSearch::Post(std::function<void()> call) {
  context_.post([generation = generation_, posted = generation_->load(), call = std::move(call)] {
    if (*generation == posted) call();
  });
}

void AllSourcesSearch::ShowProgress() {
  context_.results.SetStatus(Gbk("状态：正在搜索 ") + std::to_string(running_) + "/" + std::to_string(sources_) +
                             Gbk(" 个来源，已找到 ") + std::to_string(found_) + Gbk(" 条"));
}

void AllSourcesSearch::AddDetail(const SourceRule& source, const Text& text) {
  details_ += (details_.empty() ? "" : "\n") + source.caption + ": " + text;
  context_.showDetails(details_);
}

void AllSourcesSearch::OnRow(const SourceRule& source, const std::vector<ResultColumn>&, const ResultRow& row) {
  ResultRow named = row;
  named.source = source.caption;
  named.origin = source.number;
  Post([this, named] {
    context_.results.AppendRow(named);
    ++found_;
    ShowProgress();
  });
}

void AllSourcesSearch::OnMessage(const SourceRule& source, const Text& text) {
  // One box per source would stop the window for each: the message joins the details.
  Post([this, &source, text] { AddDetail(source, text); });
}

void AllSourcesSearch::OnSourceEnded(const SourceRule& source, const SourceOutcome& outcome, int stillRunning) {
  Text line = std::to_string(outcome.hits) + Gbk(" 条，") + outcome.status;
  if (!outcome.lastFailure.ok()) line += " (" + Utf8ToGbk(outcome.lastFailure.Reason()) + ")";
  Post([this, &source, line, stillRunning] {
    running_ = stillRunning;
    AddDetail(source, line);
    ShowProgress();
  });
}

void AllSourcesSearch::OnAllEnded(const MultiOutcome& outcome) {
  Text totals = Gbk("状态：已经搜索完毕！共 ") + std::to_string(outcome.listed) + Gbk(" 条，去掉重复 ") +
                std::to_string(outcome.duplicates) + Gbk(" 条");
  Post([this, totals] {
    context_.results.SetStatus(totals);
    if (holdsButton_) ReleaseButton();
  });
}

}  // namespace panscout
