#pragma once
// Builds the address of the next result page: raises the step kind's page
// counter by 10 and fills the source's query template.

#include "runtime/text.h"

namespace panscout {

class SearchWindow;
struct SearchState;
struct SourceRule;

class QueryBuilder {
 public:
  QueryBuilder(SearchState& state, SearchWindow& window);

  Text BuildQuery(const SourceRule& source);

 private:
  SearchState& state_;
  SearchWindow& window_;
};

}  // namespace panscout
