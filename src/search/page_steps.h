#pragma once
// One result page of each step kind: acquire the page, count its hits and
// write every hit into the result list.

#include <array>
#include <map>
#include <utility>

#include "runtime/pattern.h"
#include "runtime/text.h"
#include "search/query_builder.h"
#include "search/search_controller.h"
#include "search/sources.h"

namespace panscout {

// How a step ends the search it belongs to.
class SearchEnding {
 public:
  virtual ~SearchEnding() = default;
  virtual void FinishWithStatus(StepKind kind, const Text& status) = 0;
  virtual void FinishWithMessage(StepKind kind, const Text& message) = 0;
};

class PageSteps {
 public:
  PageSteps(const SearchContext& context, SearchEnding& ending);

  void EngineStep();
  void SiteStep();
  void TorrentStep();

  // How long a viewer page may take before it counts as empty.
  static constexpr int kViewerTimeoutSeconds = 90;

 private:
  // The texts one acquisition of a step kind leaves for its passes.
  struct PageTexts {
    Text page, resultPart, stripped;
  };

  const SourceRule* Begin(StepKind kind);
  void AcquirePage();
  Text ReadThroughViewer(const Text& address);

  bool HasResults();
  int ReportedTotal();

  // The passes a page runs: its page hit count, or fewer hits that the title
  // and link (and, for the engine, size) matches agree on.
  struct PagePlan {
    int passes = 0;
    bool shortPage = false;
  };
  PagePlan PlanPage(std::initializer_list<int> counts, int pageHitCount) const;
  // The passes of a page, each running `operations` in order for one hit.
  void RunPasses(StepKind kind, const PagePlan& plan,
                 std::initializer_list<void (PageSteps::*)()> operations);

  void EngineTitle();
  void EngineSize();
  void EngineLink();
  void SiteTitle();
  void SiteLink();
  void SiteSize();
  void TorrentTitle();
  void TorrentLink();

  const Text& Region(PageRegion region) const;
  // Every match of a pattern in one of the page texts, searched once per page:
  // the passes of a page ask the same questions again and again.
  const MatchList& AllMatches(const Text& patternText, const Text& searched);
  int CountMatches(const FieldRule& field);
  // Compiled once for all the pages of a search.
  const Pattern& Compiled(const Text& patternText);
  // Group 1 of the hit-index-th match of the field's pattern, when the page
  // holds exactly `expected` matches (or at least, for `atLeast`).
  std::optional<Text> HitCapture(const FieldRule& field, int expected, bool atLeast = false);
  // The title of the pass as a new row; true when the list then holds the
  // reported total.
  bool AddTitleRow();
  // The address of the pass into its row; ends the search when the page's
  // links do not number the page hit count.
  void WriteLink();
  void EndEngineSearch();
  bool EndIfPageEmpty(StepKind kind);
  bool EndIfNoTotal(StepKind kind);
  const SourceRule& CurrentSource() const;

  SearchContext context_;
  SearchEnding& ending_;
  QueryBuilder queries_;

  std::array<PageTexts, 3> texts_;  // by step kind
  const SourceRule* active_ = nullptr;
  std::map<std::pair<Text, const Text*>, MatchList> pageMatches_;
  std::map<Text, Pattern> compiled_;
};

}  // namespace panscout
