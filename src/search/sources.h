#pragma once
// Every source the search can query, as data read from its definition file:
// how its address is built and how its result pages are read. The step
// algorithms are code; everything particular to a source is here.

#include <optional>
#include <string>
#include <vector>

#include "runtime/text.h"
#include "search/link_check.h"
#include "search/search_state.h"

namespace panscout {

enum class QueryPart { kLiteral, kUtf8Keyword, kGbkKeyword, kOffset, kPageNumber };

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

// How one value of a hit is read: group 1 of the matches of `pattern`.
struct FieldRule {
  Text pattern;  // empty: the source has no such value
  PageRegion region = PageRegion::kPage;
  std::vector<Removal> removals;
  Text prefix;                  // put before the value
  std::optional<Text> missing;  // written when the matches do not number the hits
};

// A hit's page holds the file's own address between `link` and `end`, looked
// for after `result` (or from the start without it).
struct RealAddressMarkers {
  Text result, link, end;
};

struct SourceRule {
  std::string id;      // the command-line name
  Text caption;        // the source button's caption
  int number = 0;      // 1 to 7 for the built-ins, 0 for the torrent search, 8 on for the user's
  StepKind step = StepKind::kSite;
  int slot = -1;       // position on the source toolbar; -1: none
  bool hidden = false;
  std::string demo;    // the demo service that plays it
  std::string file;    // where the definition came from

  Text endpoint;  // scheme and host, "http://HOST[:PORT]" or "https://HOST[:PORT]"
  std::vector<QueryPiece> query;
  bool utf8 = false;  // the body is UTF-8 (else GBK already)
  bool readThroughViewer = false;

  std::vector<Removal> pageRemovals;  // from the page text first
  std::vector<Removal> strip;         // from the page text, giving the stripped text
  std::optional<Text> split;          // the result part follows its first occurrence
  Text noResultPattern, noResultCapture;
  Text totalPattern;
  std::vector<Removal> totalRemovals;
  FieldRule title, link, size;
  std::optional<RealAddressMarkers> realAddress;
  LinkCheckRule check;  // without a [check] table: by the HTTP status alone
};

class SourceTable {
 public:
  SourceTable() = default;
  // `sources` in order: built-ins by number, the torrent search, the user's.
  explicit SourceTable(std::vector<SourceRule> sources) : sources_(std::move(sources)) {}

  // nullptr for a number no source has.
  const SourceRule* Find(int number) const;
  // By id, or for the built-ins by their number written out; nullptr if none.
  const SourceRule* Named(const std::string& name) const;
  // The built-in torrent search (or the user's file that replaced it).
  const SourceRule* Torrent() const { return Named("torrent"); }
  const std::vector<SourceRule>& All() const { return sources_; }
  // The net-disk sources with a toolbar button, in button order.
  std::vector<const SourceRule*> Buttons() const;

 private:
  std::vector<SourceRule> sources_;
};

}  // namespace panscout
