#include "search/query_builder.h"

#include "runtime/uri_component.h"
#include "search/search_state.h"
#include "search/search_window.h"
#include "search/sources.h"

namespace panscout {

QueryBuilder::QueryBuilder(SearchState& state, SearchWindow& window) : state_(state), window_(window) {}

Text QueryBuilder::BuildQuery(const SourceRule& source) {
  int& counter = state_.Step(source.step).pageCounter;
  counter += 10;
  const int offset = counter;
  Text address = source.endpoint;
  for (const auto& piece : source.query) {
    switch (piece.part) {
      case QueryPart::kLiteral: address += piece.literal; break;
      case QueryPart::kUtf8Keyword: address += EncodeUriComponent(window_.KeywordText()); break;
      case QueryPart::kGbkKeyword: address += UrlEncode(window_.KeywordText(), '+'); break;
      case QueryPart::kOffset: address += ToText(offset); break;
      case QueryPart::kPageNumber: address += ToText(offset / 10.0); break;
    }
  }
  return address;
}

}  // namespace panscout
