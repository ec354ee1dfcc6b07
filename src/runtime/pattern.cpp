#include "runtime/pattern.h"

#include <boost/regex.hpp>
#include <locale>

#include "runtime/context_pattern.h"

namespace panscout {

struct Pattern::Impl {
  std::optional<boost::regex> regex;
  // Set when the pattern has the context shape; searched without the engine.
  std::optional<ContextPattern> context;

  MatchResult Search(const Text& text, std::size_t from, std::size_t to) const;
};

namespace {

using TextIterator = Text::const_iterator;

// Searches [from, to) as if it were the whole text; offsets are counted from
// `origin`, the beginning of the whole text. Engine errors propagate.
MatchResult Search(const boost::regex& regex, TextIterator origin, TextIterator from,
                   TextIterator to) {
  boost::match_results<TextIterator> m;
  MatchResult result;
  if (!boost::regex_search(from, to, m, regex, boost::match_default)) return result;
  result.groups.reserve(m.size());
  for (const auto& sub : m) {
    MatchGroup group;
    group.matched = sub.matched;
    if (sub.matched) {
      group.offset = static_cast<std::int32_t>(sub.first - origin);
      group.length = static_cast<std::int32_t>(sub.length());
    }
    result.groups.push_back(group);
  }
  return result;
}

}  // namespace

MatchResult Pattern::Impl::Search(const Text& text, std::size_t from, std::size_t to) const {
  if (context) return SearchContext(*context, text, from, to);
  return panscout::Search(*regex, text.begin(), text.begin() + from, text.begin() + to);
}

Pattern::Pattern() : impl_(std::make_unique<Impl>()) {}

Pattern::~Pattern() = default;

bool Pattern::Compile(const Text& patternText, bool caseSensitive) {
  impl_->regex.reset();
  impl_->context.reset();
  try {
    boost::regex regex;
    // The classic locale keeps every byte of 0x80 and above a character of its
    // own without case, whatever locale the process runs in.
    regex.imbue(std::locale::classic());
    boost::regex::flag_type flags = boost::regex::perl;
    if (!caseSensitive) flags |= boost::regex::icase;
    regex.assign(patternText.begin(), patternText.end(), flags);
    impl_->regex = std::move(regex);
    impl_->context = caseSensitive ? ParseContextPattern(patternText) : std::nullopt;
    return true;
  } catch (...) {
    return false;
  }
}

MatchResult Pattern::SearchOnce(const Text& text, std::optional<int> start,
                                std::optional<int> length) const {
  const std::int64_t n = TextLength(text);
  const std::int64_t first = start.value_or(1);
  const std::int64_t count = length ? *length : n - first + 1;
  if (!impl_->regex || first < 1 || first > n || count < 0 || first + count - 1 > n) return {};
  try {
    return impl_->Search(text, first - 1, first - 1 + count);
  } catch (...) {
    return {};
  }
}

MatchList Pattern::SearchAll(const Text& text) const {
  MatchList list;
  if (!impl_->regex || text.empty()) return list;
  try {
    std::size_t next = 0;
    while (next <= text.size()) {
      MatchResult match = impl_->Search(text, next, text.size());
      if (match.empty()) break;
      list.push_back(match);
      const MatchGroup& whole = match.groups.front();
      std::size_t end = whole.offset + whole.length;
      if (end == 0) break;
      // An empty match elsewhere would be found again at the same place, so
      // the next search starts one byte further on.
      next = whole.length == 0 ? end + 1 : end;
    }
  } catch (...) {
    // The engine gave up (too complex, out of stack): keep what was found.
  }
  return list;
}

Text EscapedForPattern(const Text& literal) {
  Text escaped;
  for (char c : literal) {
    if (Text("\\^$.|?*+()[]{}").find(c) != Text::npos) escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

Text GroupText(const MatchResult& result, const Text& searched, int index, int* offset) {
  if (index < 0 || static_cast<std::size_t>(index) >= result.groups.size()) return {};
  const MatchGroup& group = result.groups[index];
  if (!group.matched) return {};
  if (offset) *offset = group.offset;
  if (group.offset < 0 || static_cast<std::size_t>(group.offset) >= searched.size()) return {};
  return searched.substr(group.offset, group.length);
}

}  // namespace panscout
