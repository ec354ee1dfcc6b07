#include "runtime/context_pattern.h"

#include <string_view>

namespace panscout {
namespace {

constexpr std::string_view kLazyGroup = "(.*?)";

bool IsPlain(const Text& context) {
  return !context.empty() && context.find_first_of("\\[](){}*+?^$|") == Text::npos;
}

bool MatchesAt(const Text& context, const Text& text, std::size_t at) {
  for (std::size_t k = 0; k < context.size(); ++k) {
    if (context[k] != '.' && context[k] != text[at + k]) return false;
  }
  return true;
}

MatchGroup Group(std::size_t begin, std::size_t end) {
  return {static_cast<std::int32_t>(begin), static_cast<std::int32_t>(end - begin), true};
}

}  // namespace

std::optional<ContextPattern> ParseContextPattern(const Text& patternText) {
  auto group = patternText.find(kLazyGroup);
  if (group == Text::npos) return std::nullopt;
  ContextPattern p{patternText.substr(0, group), patternText.substr(group + kLazyGroup.size())};
  if (!IsPlain(p.left) || !IsPlain(p.right)) return std::nullopt;
  return p;
}

MatchResult SearchContext(const ContextPattern& pattern, const Text& text, std::size_t from,
                          std::size_t to) {
  const std::size_t l = pattern.left.size(), r = pattern.right.size();
  for (std::size_t p = from; p + l + r <= to; ++p) {
    if (!MatchesAt(pattern.left, text, p)) continue;
    for (std::size_t q = p + l; q + r <= to; ++q) {
      if (MatchesAt(pattern.right, text, q)) return {{Group(p, q + r), Group(p + l, q)}};
    }
    // No right context after this left one means none after any later one.
    return {};
  }
  return {};
}

}  // namespace panscout
