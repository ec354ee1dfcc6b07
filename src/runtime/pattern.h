#pragma once
// Regular expressions over GBK text, matched byte by byte (Perl syntax, "."
// matches line breaks). Engine errors never escape: a failed search is empty.

#include <memory>
#include <optional>
#include <vector>

#include "runtime/text.h"

namespace panscout {

struct MatchGroup {
  std::int32_t offset = 0;  // 0-based, from the beginning of the whole searched text
  std::int32_t length = 0;
  bool matched = false;
};

// Empty when the search found nothing.
struct MatchResult {
  std::vector<MatchGroup> groups;
  bool empty() const { return groups.empty(); }
};

using MatchList = std::vector<MatchResult>;

class Pattern {
 public:
  Pattern();
  ~Pattern();
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;

  // On failure the object matches nothing, whatever it held before.
  bool Compile(const Text& patternText, bool caseSensitive = true);
  MatchResult SearchOnce(const Text& text, std::optional<int> start = std::nullopt,
                         std::optional<int> length = std::nullopt) const;
  MatchList SearchAll(const Text& text) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// `literal` with every byte the engine would read as syntax escaped, so that
// a pattern holding it matches it as written.
Text EscapedForPattern(const Text& literal);

// The text of one group, read against the text that was searched.
Text GroupText(const MatchResult& result, const Text& searched, int index,
               int* offset = nullptr);

}  // namespace panscout
