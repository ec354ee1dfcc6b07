#pragma once
// Every source the search can query, as data: how its address is built and
// how its result pages are read.

#include <vector>

#include "runtime/text.h"
#include "search/search_state.h"

namespace panscout {

struct Hosts;

enum class QueryPart { kLiteral, kUtf8Keyword, kGbkKeyword, kSiteHost, kToken, kOffset, kPageNumber };

struct QueryPiece {
  QueryPart part;
  Text literal;  // kLiteral only
};

// Which text of the page a pattern is searched in.
enum class PageRegion { kPage, kResultPart, kStripped };

struct Removal {
  Text piece;
  bool exactCase = false;
};

struct SourceRule {
  int number = 0;  // 1 to 7; 0 for the torrent search
  StepKind step = StepKind::kSite;
  Text endpoint;  // HOST[:PORT]
  Text siteHost;  // H of the query
  Text token;     // T of the Google queries
  std::vector<QueryPiece> query;
  bool readThroughViewer = false;

  Text totalPattern;
  Text titlePattern;
  PageRegion titleRegion = PageRegion::kPage;
  std::vector<Removal> titleRemovals;
  Text linkPattern;
  PageRegion linkRegion = PageRegion::kPage;
  Text linkPrefix;
  Text sizePattern;
  PageRegion sizeRegion = PageRegion::kPage;
};

class SourceTable {
 public:
  explicit SourceTable(const Hosts& hosts);

  // Net-disk sources by number (1 to 7), nullptr for any other number; the
  // torrent search apart.
  const SourceRule* Source(int number) const;
  const SourceRule& Torrent() const { return torrent_; }

 private:
  std::vector<SourceRule> sources_;
  SourceRule torrent_;
};

}  // namespace panscout
