#include "runtime/context_pattern.h"

#include <cstring>
#include <string_view>

namespace panscout {
namespace {

constexpr std::string_view kLazyGroup = "(.*?)";

constexpr std::string_view kSpecial = "\\[](){}*+?^$|.";

// Nullopt for a context that is empty or holds anything but literal bytes and ".".
std::optional<Context> ParseContext(const Text& text) {
  Context context;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool escaped = text[i] == '\\';
    if (escaped && (i + 1 == text.size() || kSpecial.find(text[i + 1]) == std::string_view::npos)) return std::nullopt;
    if (escaped) ++i;
    if (!escaped && text[i] != '.' && kSpecial.find(text[i]) != std::string_view::npos) return std::nullopt;
    context.bytes.push_back(text[i]);
    context.any.push_back(!escaped && text[i] == '.');
  }
  if (context.bytes.empty()) return std::nullopt;
  return context;
}

bool MatchesAt(const Context& context, const Text& text, std::size_t at) {
  for (std::size_t k = 0; k < context.bytes.size(); ++k) {
    if (!context.any[k] && context.bytes[k] != text[at + k]) return false;
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
  std::optional<Context> left = ParseContext(patternText.substr(0, group));
  std::optional<Context> right = ParseContext(patternText.substr(group + kLazyGroup.size()));
  if (!left || !right) return std::nullopt;
  return ContextPattern{std::move(*left), std::move(*right)};
}

// After this many candidates that came to nothing, the scan looks for another
// of the context's literal bytes: one that is rare in the text ends up leading.
constexpr int kMissesBeforeAnotherByte = 16;

// The index of the next byte after `k` (going round) that is not a "."; `k`
// itself when there is none.
std::size_t NextLiteral(const Context& context, std::size_t k) {
  for (std::size_t n = context.bytes.size(), i = 1; i <= n; ++i) {
    if (!context.any[(k + i) % n]) return (k + i) % n;
  }
  return k;
}

// The first position in [from, last] where `context` matches; npos if none.
// Candidates are where memchr finds one of its literal bytes at its place; a
// context of "." alone is tried at every byte.
std::size_t FindContext(const Context& context, const Text& text, std::size_t from, std::size_t last) {
  std::size_t lead = NextLiteral(context, context.bytes.size() - 1);
  const bool literal = !context.any[lead];
  int misses = 0;
  for (std::size_t at = from; at <= last; ++at) {
    if (literal) {
      const void* hit = std::memchr(text.data() + at + lead, context.bytes[lead], last - at + 1);
      if (!hit) return Text::npos;
      at = static_cast<const char*>(hit) - text.data() - lead;
    }
    if (MatchesAt(context, text, at)) return at;
    if (++misses == kMissesBeforeAnotherByte) {
      lead = NextLiteral(context, lead);
      misses = 0;
    }
  }
  return Text::npos;
}

MatchResult SearchContext(const ContextPattern& pattern, const Text& text, std::size_t from,
                          std::size_t to) {
  const std::size_t l = pattern.left.bytes.size(), r = pattern.right.bytes.size();
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
