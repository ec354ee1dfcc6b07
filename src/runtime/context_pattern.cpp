#include "runtime/context_pattern.h"

#include <cstring>
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

// The first position in [from, last] where `context` matches; npos if none.
// The context's first byte is looked for with memchr unless it is a wildcard.
std::size_t FindContext(const Text& context, const Text& text, std::size_t from, std::size_t last) {
  for (std::size_t at = from; at <= last; ++at) {
    if (context[0] != '.') {
      const void* hit = std::memchr(text.data() + at, context[0], last - at + 1);
      if (!hit) return Text::npos;
      at = static_cast<const char*>(hit) - text.data();
    }
    if (MatchesAt(context, text, at)) return at;
  }
  return Text::npos;
}

MatchResult SearchContext(const ContextPattern& pattern, const Text& text, std::size_t from,
                          std::size_t to) {
  const std::size_t l = pattern.left.size(), r = pattern.right.size();
  if (to < from + l + r) return {};
  std::size_t p = FindContext(pattern.left, text, from, to - l - r);
  if (p == Text::npos) return {};
  // The nearest right context after the first left one; when there is none,
  // there is none after any later left context either.
  std::size_t q = FindContext(pattern.right, text, p + l, to - r);
  if (q == Text::npos) return {};
  return {{Group(p, q + r), Group(p + l, q)}};
}

}  // namespace panscout
