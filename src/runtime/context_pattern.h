#pragma once
// Patterns made of a left context, one lazy group "(.*?)" and a right
// context, where the contexts are literal bytes (plain or escaped with "\")
// and "." stands for any byte. Every extraction pattern has this shape. They
// are matched here in linear time: the regex engine's backtracking turns
// quadratic (and freezes the window for seconds) on a page full of left
// contexts without a right one.

#include <cstddef>
#include <optional>
#include <vector>

#include "runtime/pattern.h"

namespace panscout {

struct Context {
  Text bytes;
  std::vector<bool> any;  // true where the context has "." and takes any byte
};

struct ContextPattern {
  Context left, right;
};

// The contexts of a pattern of that shape; nullopt for any other pattern.
std::optional<ContextPattern> ParseContextPattern(const Text& patternText);

// The first match within [from, to) of `text`, as the regex engine would
// report it (offsets from the beginning of `text`); empty when there is none.
MatchResult SearchContext(const ContextPattern& pattern, const Text& text, std::size_t from,
                          std::size_t to);

}  // namespace panscout
