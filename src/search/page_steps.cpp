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
#include "search/search_window.h"

namespace panscout {
namespace {

constexpr int kFullPage = 10;

Text ApplyRemovals(Text text, const std::vector<Removal>& removals) {
  for (const auto& r : removals) text = RemoveEvery(text, r.piece, r.exactCase);
  return text;
}

}  // namespace

PageSteps::PageSteps(const SearchContext& context, SearchEnding& ending)
    : context_(context), ending_(ending), queries_(context.state, context.window) {}

const SourceRule& PageSteps::CurrentSource() const { return *active_; }

const Text& PageSteps::Region(PageRegion region) const {
  const PageTexts& texts = texts_[static_cast<int>(active_->step)];
  switch (region) {
    case PageRegion::kResultPart: return texts.resultPart;
    case PageRegion::kStripped: return active_->strip.empty() ? texts.page : texts.stripped;
    case PageRegion::kPage: break;
  }
  return texts.page;
}

const Pattern& PageSteps::Compiled(const Text& patternText) {
  auto [found, added] = compiled_.try_emplace(patternText);
  if (added) found->second.Compile(patternText);
  return found->second;
}

const MatchList& PageSteps::AllMatches(const Text& patternText, const Text& searched) {
  auto key = std::make_pair(patternText, &searched);
  auto found = pageMatches_.find(key);
  if (found != pageMatches_.end()) return found->second;
  return pageMatches_.emplace(key, Compiled(patternText).SearchAll(searched)).first->second;
}

int PageSteps::CountMatches(const FieldRule& field) {
  return static_cast<int>(AllMatches(field.pattern, Region(field.region)).size());
}

std::optional<Text> PageSteps::HitCapture(const FieldRule& field, int expected, bool atLeast) {
  const Text& searched = Region(field.region);
  const MatchList& matches = AllMatches(field.pattern, searched);
  int count = static_cast<int>(matches.size());
  bool enough = atLeast ? count >= expected : count == expected;
  int i = context_.state.hitIndex;
  if (field.pattern.empty() || !enough || i < 1 || i > count) return std::nullopt;
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

bool PageSteps::EndIfPageEmpty(StepKind kind) {
  if (!Region(PageRegion::kPage).empty()) return false;
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

// The source the step was started with, of the step's own kind; when there
// is none the search ends at once.
const SourceRule* PageSteps::Begin(StepKind kind) {
  const SourceRule* source = context_.sources.Find(context_.state.Step(kind).source);
  if (!source || source->step != kind) {
    ending_.FinishWithStatus(kind, Gbk("状态："));
    return nullptr;
  }
  active_ = source;
  AcquirePage();
  active_ = source;  // a search run nested in the acquisition may have moved it
  return EndIfPageEmpty(kind) ? nullptr : source;
}

void PageSteps::AcquirePage() {
  const SourceRule& s = CurrentSource();
  Text address = queries_.BuildQuery(s);
  Text page;
  if (s.readThroughViewer) {
    page = ReadThroughViewer(address);
  } else {
    Bytes body = context_.pages.Fetch(address).body;
    page = s.utf8 ? Utf8PageToText(body) : ToText(std::move(body));
  }
  PageTexts& texts = texts_[static_cast<int>(s.step)];
  // A page is a megabyte or so: no copy of it that nothing changes.
  texts.page = s.pageRemovals.empty() ? std::move(page) : ApplyRemovals(page, s.pageRemovals);
  texts.stripped = s.strip.empty() ? Text() : ApplyRemovals(texts.page, s.strip);
  texts.resultPart.clear();
  if (s.split) {
    TextArray pieces = SplitText(texts.page, *s.split);
    if (pieces.size() > 1) texts.resultPart = std::move(pieces[1]);
  }
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

// ---- engine step -----------------------------------------------------------

void PageSteps::EngineStep() {
  context_.pump.DispatchPending();
  const SourceRule* s = Begin(StepKind::kEngine);
  if (!s) return;
  PagePlan plan = PlanPage({CountMatches(s->title), CountMatches(s->size), CountMatches(s->link)}, kFullPage);
  RunPasses(StepKind::kEngine, plan, {&PageSteps::EngineTitle, &PageSteps::EngineSize, &PageSteps::EngineLink});
}

void PageSteps::EndEngineSearch() {
  ending_.FinishWithStatus(StepKind::kEngine, Gbk("状态：已经搜索完毕！"));
}

void PageSteps::EngineTitle() {
  context_.state.currentRow = -1;
  auto capture = HitCapture(CurrentSource().title, context_.state.pageHitCount, true);
  if (!capture) return EndEngineSearch();
  context_.state.currentRow = context_.results.AppendRow();
  context_.results.SetField(context_.state.currentRow, ResultField::kName, *capture);
}

void PageSteps::EngineSize() {
  auto capture = HitCapture(CurrentSource().size, context_.state.pageHitCount, true);
  if (!capture) return EndEngineSearch();
  context_.results.SetField(context_.state.currentRow, ResultField::kSize, *capture);
}

void PageSteps::EngineLink() {
  auto capture = HitCapture(CurrentSource().link, context_.state.pageHitCount);
  if (!capture) return EndEngineSearch();
  context_.results.SetField(context_.state.currentRow, ResultField::kAddress, *capture);
}

// ---- site step -------------------------------------------------------------

void PageSteps::SiteStep() {
  const SourceRule* s = Begin(StepKind::kSite);
  if (!s) return;
  if (!HasResults()) {
    ending_.FinishWithStatus(StepKind::kSite, Gbk("状态：没有搜索到相关的信息！！"));
    return;
  }
  context_.state.reportedTotal = ReportedTotal();
  if (EndIfNoTotal(StepKind::kSite)) return;
  PagePlan plan = PlanPage({CountMatches(s->title), CountMatches(s->link)},
                           std::min(context_.state.reportedTotal, kFullPage));
  RunPasses(StepKind::kSite, plan, {&PageSteps::SiteTitle, &PageSteps::SiteLink, &PageSteps::SiteSize});
}

bool PageSteps::HasResults() {
  const SourceRule& s = CurrentSource();
  if (s.noResultPattern.empty()) return true;
  const Text& page = Region(PageRegion::kPage);
  MatchResult match = Compiled(s.noResultPattern).SearchOnce(page, 1);
  return CompareTexts(GroupText(match, page, 1), s.noResultCapture) != 0;
}

int PageSteps::ReportedTotal() {
  const SourceRule& s = CurrentSource();
  const Text& page = Region(PageRegion::kPage);
  return ToInteger(ApplyRemovals(GroupText(Compiled(s.totalPattern).SearchOnce(page, 1), page, 1), s.totalRemovals));
}

bool PageSteps::AddTitleRow() {
  const SourceRule& s = CurrentSource();
  context_.state.currentRow = -1;
  auto capture = HitCapture(s.title, context_.state.pageHitCount);
  if (!capture) return false;
  context_.state.currentRow = context_.results.AppendRow();
  context_.results.SetField(context_.state.currentRow, ResultField::kName, ApplyRemovals(*capture, s.title.removals));
  return context_.results.RowCount() == context_.state.reportedTotal;
}

void PageSteps::WriteLink() {
  const SourceRule& s = CurrentSource();
  auto capture = HitCapture(s.link, context_.state.pageHitCount);
  if (!capture) {
    ending_.FinishWithStatus(s.step, Gbk("状态：已经搜索完毕！"));
    return;
  }
  context_.results.SetField(context_.state.currentRow, ResultField::kAddress, s.link.prefix + *capture);
}

void PageSteps::SiteTitle() {
  if (AddTitleRow()) ending_.FinishWithStatus(StepKind::kSite, Gbk("状态：已经搜索完毕！"));
}

void PageSteps::SiteLink() { WriteLink(); }

void PageSteps::SiteSize() {
  const FieldRule& size = CurrentSource().size;
  auto capture = HitCapture(size, context_.state.pageHitCount);
  if (!capture && !size.missing) return;
  context_.results.SetField(context_.state.currentRow, ResultField::kSize,
                            capture ? ApplyRemovals(*capture, size.removals) : *size.missing);
}

// ---- torrent step ----------------------------------------------------------

void PageSteps::TorrentStep() {
  const SourceRule* s = Begin(StepKind::kTorrent);
  if (!s) return;
  context_.state.reportedTotal = ReportedTotal();
  if (EndIfNoTotal(StepKind::kTorrent)) return;
  PagePlan plan = PlanPage({CountMatches(s->title), CountMatches(s->link)},
                           std::min(context_.state.reportedTotal, kFullPage));
  RunPasses(StepKind::kTorrent, plan, {&PageSteps::TorrentTitle, &PageSteps::TorrentLink});
}

void PageSteps::TorrentTitle() {
  if (AddTitleRow()) ending_.FinishWithMessage(StepKind::kTorrent, Gbk("搜索完毕！"));
}

void PageSteps::TorrentLink() { WriteLink(); }

}  // namespace panscout
