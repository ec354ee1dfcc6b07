#include "runtime/context_pattern.h"

#include <algorithm>
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

// The first position in [from, last] where `context` matches; npos if none.
// Candidates are where its literal bytes before the first "." occur, found
// with memmem; a context that begins with "." is tried at every byte.
std::size_t FindContext(const Context& context, const Text& text, std::size_t from, std::size_t last) {
  const std::size_t literal = std::find(context.any.begin(), context.any.end(), true) - context.any.begin();
  for (std::size_t at = from; at <= last; ++at) {
    if (literal > 0) {
      const void* hit = memmem(text.data() + at, last - at + literal, context.bytes.data(), literal);
      if (!hit) return Text::npos;
      at = static_cast<const char*>(hit) - text.data();
    }
    if (MatchesAt(context, text, at)) return at;
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
