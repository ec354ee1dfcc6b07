#pragma once
// Builds the address of the next result page: raises the step kind's page
// counter by 10 and fills the source's query template.

#include "runtime/text.h"

namespace panscout {

class ScriptComponent;
class SearchWindow;
struct SearchState;
struct SourceRule;

class QueryBuilder {
 public:
  QueryBuilder(SearchState& state, SearchWindow& window, ScriptComponent& script);

  Text BuildQuery(const SourceRule& source);
  // encodeURIComponent of the keyword, through the script component.
  Text EncodeKeywordUtf8();

 private:
  SearchState& state_;
  SearchWindow& window_;
  ScriptComponent& script_;
};

}  // namespace panscout
