#include "search/page_steps.h"

#include <algorithm>
#include <chrono>

#include "browser/document_accessor.h"
#include "browser/html_viewer.h"
#include "net/event_pump.h"
#include "net/page_source.h"
#include "net/response_text.h"
#include "net/worker_wait.h"
#include "results/result_list.h"
#include "runtime/codepage.h"
#include "search/hosts.h"
#include "search/search_window.h"

namespace panscout {
namespace {

constexpr int kFullPage = 10;

Text ResultPart(const Text& page) {
  TextArray pieces = SplitText(page, Gbk("咨询热线："));
  return pieces.size() > 1 ? pieces[1] : Text();
}

Text ApplyRemovals(Text text, const std::vector<Removal>& removals) {
  for (const auto& r : removals) text = RemoveEvery(text, r.piece, r.exactCase);
  return text;
}

}  // namespace

PageSteps::PageSteps(const SearchContext& context, SearchEnding& ending)
    : context_(context),
      ending_(ending),
      sources_(context.hosts),
      queries_(context.state, context.window, context.script) {}

const SourceRule& PageSteps::CurrentSource() const { return *active_; }

const Text& PageSteps::Region(PageRegion region) const {
  switch (active_->step) {
    case StepKind::kEngine: return region == PageRegion::kStripped ? engineStripped_ : enginePage_;
    case StepKind::kTorrent: return region == PageRegion::kResultPart ? torrentResultPart_ : torrentPage_;
    case StepKind::kSite: break;
  }
  return region == PageRegion::kResultPart ? siteResultPart_ : sitePage_;
}

const MatchList& PageSteps::AllMatches(Pattern& pattern, const Text& patternText, const Text& searched) {
  auto key = std::make_pair(patternText, &searched);
  auto found = pageMatches_.find(key);
  if (found != pageMatches_.end()) return found->second;
  pattern.Compile(patternText);
  return pageMatches_.emplace(key, pattern.SearchAll(searched)).first->second;
}

int PageSteps::CountMatches(Pattern& pattern, const Text& patternText, const Text& searched) {
  return static_cast<int>(AllMatches(pattern, patternText, searched).size());
}

std::optional<Text> PageSteps::HitCapture(Pattern& pattern, const Text& patternText,
                                          const Text& searched, int expected, bool atLeast) {
  const MatchList& matches = AllMatches(pattern, patternText, searched);
  int count = static_cast<int>(matches.size());
  bool enough = atLeast ? count >= expected : count == expected;
  int i = context_.state.hitIndex;
  if (!enough || i < 1 || i > count) return std::nullopt;
  return GroupText(matches[i - 1], searched, 1);
}

PageSteps::PagePlan PageSteps::PlanPage(std::initializer_list<int> counts, int pageHitCount) const {
  int first = *counts.begin();
  bool agree = std::all_of(counts.begin(), counts.end(), [first](int c) { return c == first; });
  if (agree && first >= 1 && first < pageHitCount) return {first, true};
  return {pageHitCount, false};
}

void PageSteps::RunPasses(StepKind kind, const PagePlan& plan,
                          std::initializer_list<void (PageSteps::*)()> operations) {
  context_.state.pageHitCount = plan.passes;
  for (int i = 1; i <= plan.passes; ++i) {
    context_.state.hitIndex = i;
    for (auto operation : operations) (this->*operation)();
  }
  // A short page is the last one, unless its own end test already ended it.
  if (plan.shortPage && context_.state.Step(kind).running) {
    ending_.FinishWithStatus(kind, Gbk("状态：已经搜索完毕！"));
  }
}

bool PageSteps::EndIfPageEmpty(StepKind kind, const Text& page) {
  if (!page.empty()) return false;
  ending_.FinishWithStatus(kind, Gbk("状态：网络连接失败！"));
  return true;
}

// A page that states no total cannot be paged any further.
bool PageSteps::EndIfNoTotal(StepKind kind) {
  if (context_.state.reportedTotal > 0) return false;
  bool none = context_.results.RowCount() == 0;
  ending_.FinishWithStatus(kind, none ? Gbk("状态：没有搜索到相关的信息！！") : Gbk("状态：已经搜索完毕！"));
  return true;
}

// ---- engine step -----------------------------------------------------------

void PageSteps::EngineStep() {
  const SourceRule& rule = *sources_.Source(1);
  context_.pump.DispatchPending();
  active_ = &rule;
  AcquireEnginePage();
  active_ = &rule;  // a search run nested in the fetch may have moved it
  if (EndIfPageEmpty(StepKind::kEngine, enginePage_)) return;
  const SourceRule& s = CurrentSource();
  Pattern counter;
  PagePlan plan = PlanPage({CountMatches(counter, s.titlePattern, engineStripped_),
                            CountMatches(counter, s.sizePattern, enginePage_),
                            CountMatches(counter, s.linkPattern, enginePage_)},
                           kFullPage);
  RunPasses(StepKind::kEngine, plan, {&PageSteps::EngineTitle, &PageSteps::EngineSize, &PageSteps::EngineLink});
}

void PageSteps::AcquireEnginePage() {
  Text address = queries_.BuildQuery(CurrentSource());
  enginePage_ = Utf8PageToText(context_.pages.Fetch(address).body);
  Text stripped = RemoveEvery(enginePage_, "<b>", false);
  stripped = RemoveEvery(stripped, "</b>", false);
  stripped = RemoveEvery(stripped, "\r\n", false);
  engineStripped_ = RemoveEvery(stripped, Gbk("此资源暂无描述。"), false);
  pageMatches_.clear();
}

void PageSteps::EndEngineSearch() {
  ending_.FinishWithStatus(StepKind::kEngine, Gbk("状态：已经搜索完毕！"));
}

void PageSteps::EngineTitle() {
  Pattern pattern;
  const SourceRule& s = CurrentSource();
  context_.state.currentRow = -1;
  auto capture = HitCapture(pattern, s.titlePattern, engineStripped_, context_.state.pageHitCount, true);
  if (!capture) return EndEngineSearch();
  context_.state.currentRow = context_.results.AppendRow();
  context_.results.SetField(context_.state.currentRow, ResultField::kName, *capture);
}

void PageSteps::EngineSize() {
  Pattern pattern;
  auto capture = HitCapture(pattern, CurrentSource().sizePattern, enginePage_, context_.state.pageHitCount, true);
  if (!capture) return EndEngineSearch();
  context_.results.SetField(context_.state.currentRow, ResultField::kSize, *capture);
}

void PageSteps::EngineLink() {
  Pattern pattern;
  auto capture = HitCapture(pattern, CurrentSource().linkPattern, enginePage_, context_.state.pageHitCount);
  if (!capture) return EndEngineSearch();
  context_.results.SetField(context_.state.currentRow, ResultField::kAddress, *capture);
}

// ---- site step -------------------------------------------------------------

void PageSteps::SiteStep() {
  const SourceRule* source = sources_.Source(context_.state.siteSourceNumber);
  if (!source || source->step != StepKind::kSite) {
    ending_.FinishWithStatus(StepKind::kSite, Gbk("状态："));
    return;
  }
  const SourceRule& rule = *source;
  active_ = &rule;
  AcquireSitePage();
  active_ = &rule;
  if (EndIfPageEmpty(StepKind::kSite, sitePage_)) return;
  if (!HasResults()) {
    ending_.FinishWithStatus(StepKind::kSite, Gbk("状态：没有搜索到相关的信息！！"));
    return;
  }
  const SourceRule& s = CurrentSource();
  context_.state.reportedTotal = ReportedTotal(s, sitePage_);
  if (EndIfNoTotal(StepKind::kSite)) return;
  PagePlan plan = PlanPage({CountMatches(sitePattern_, s.titlePattern, Region(s.titleRegion)),
                            CountMatches(sitePattern_, s.linkPattern, Region(s.linkRegion))},
                           std::min(context_.state.reportedTotal, kFullPage));
  RunPasses(StepKind::kSite, plan, {&PageSteps::SiteTitle, &PageSteps::SiteLink, &PageSteps::SiteSize});
}

void PageSteps::AcquireSitePage() {
  const SourceRule& s = CurrentSource();
  Text address = queries_.BuildQuery(s);
  if (s.readThroughViewer) {
    sitePage_ = ReadThroughViewer(address);
  } else {
    Text page = ToText(context_.pages.Fetch(address).body);
    sitePage_ = RemoveEvery(page, "http://" + context_.hosts.snapshot, false);
  }
  siteResultPart_ = ResultPart(sitePage_);
  pageMatches_.clear();
}

Text PageSteps::ReadThroughViewer(const Text& address) {
  DocumentAccessor accessor;
  accessor.BindToViewer(context_.viewer);
  context_.viewer.Navigate(address);
  const std::chrono::seconds limit(kViewerTimeoutSeconds);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  auto late = [deadline] { return std::chrono::steady_clock::now() >= deadline; };
  while (context_.viewer.ReadyState() != HtmlViewer::kReadyComplete) {
    if (late() || WaitWhileDispatching(context_.pump, context_.viewer.LoadCompletion(), limit, late) != WaitEnd::kDone) {
      return {};
    }
  }
  return accessor.ReadDocumentText("outerHTML");
}

bool PageSteps::HasResults() {
  sitePattern_.Compile(Gbk("找不到(.*?)查询"));
  MatchResult match = sitePattern_.SearchOnce(sitePage_, 1);
  return CompareTexts(GroupText(match, sitePage_, 1), Gbk("和您的")) != 0;
}

int PageSteps::ReportedTotal(const SourceRule& source, const Text& page) {
  Pattern& pattern = source.step == StepKind::kTorrent ? torrentPattern_ : sitePattern_;
  pattern.Compile(source.totalPattern);
  Text total = GroupText(pattern.SearchOnce(page, 1), page, 1);
  total = RemoveEvery(total, ",", true);
  total = RemoveEvery(total, Gbk("约"), true);
  return ToInteger(total);
}

bool PageSteps::AddTitleRow(Pattern& pattern, const Text& searched) {
  const SourceRule& s = CurrentSource();
  context_.state.currentRow = -1;
  auto capture = HitCapture(pattern, s.titlePattern, searched, context_.state.pageHitCount);
  if (!capture) return false;
  context_.state.currentRow = context_.results.AppendRow();
  context_.results.SetField(context_.state.currentRow, ResultField::kName, ApplyRemovals(*capture, s.titleRemovals));
  return context_.results.RowCount() == context_.state.reportedTotal;
}

void PageSteps::WriteLink(Pattern& pattern, const Text& searched) {
  const SourceRule& s = CurrentSource();
  auto capture = HitCapture(pattern, s.linkPattern, searched, context_.state.pageHitCount);
  if (!capture) {
    ending_.FinishWithStatus(s.step, Gbk("状态：已经搜索完毕！"));
    return;
  }
  context_.results.SetField(context_.state.currentRow, ResultField::kAddress, s.linkPrefix + *capture);
}

void PageSteps::SiteTitle() {
  if (AddTitleRow(sitePattern_, Region(CurrentSource().titleRegion))) {
    ending_.FinishWithStatus(StepKind::kSite, Gbk("状态：已经搜索完毕！"));
  }
}

void PageSteps::SiteLink() { WriteLink(sitePattern_, Region(CurrentSource().linkRegion)); }

void PageSteps::SiteSize() {
  const SourceRule& s = CurrentSource();
  Pattern pattern;
  auto capture = HitCapture(pattern, s.sizePattern, sitePage_, context_.state.pageHitCount);
  Text size = Gbk("不详");
  if (capture) {
    size = RemoveEvery(*capture, "<em>", false);
    size = RemoveEvery(size, "<\\em>", false);
    size = RemoveEvery(size, " |", false);
  }
  context_.results.SetField(context_.state.currentRow, ResultField::kSize, size);
}

// ---- torrent step ----------------------------------------------------------

void PageSteps::TorrentStep() {
  active_ = &sources_.Torrent();
  AcquireTorrentPage();
  active_ = &sources_.Torrent();
  if (EndIfPageEmpty(StepKind::kTorrent, torrentPage_)) return;
  const SourceRule& s = CurrentSource();
  context_.state.reportedTotal = ReportedTotal(s, torrentPage_);
  if (EndIfNoTotal(StepKind::kTorrent)) return;
  PagePlan plan = PlanPage({CountMatches(torrentPattern_, s.titlePattern, torrentResultPart_),
                            CountMatches(torrentPattern_, s.linkPattern, torrentResultPart_)},
                           std::min(context_.state.reportedTotal, kFullPage));
  RunPasses(StepKind::kTorrent, plan, {&PageSteps::TorrentTitle, &PageSteps::TorrentLink});
}

void PageSteps::AcquireTorrentPage() {
  Text address = queries_.BuildQuery(CurrentSource());
  torrentPage_ = ToText(context_.pages.Fetch(address).body);
  torrentResultPart_ = ResultPart(torrentPage_);
  pageMatches_.clear();
}

void PageSteps::TorrentTitle() {
  if (AddTitleRow(torrentPattern_, torrentResultPart_)) {
    ending_.FinishWithMessage(StepKind::kTorrent, Gbk("搜索完毕！"));
  }
}

void PageSteps::TorrentLink() { WriteLink(torrentPattern_, torrentResultPart_); }

}  // namespace panscout
