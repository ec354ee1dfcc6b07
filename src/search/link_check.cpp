#include "search/link_check.h"

#include <array>

#include "net/response_text.h"
#include "runtime/codepage.h"
#include "runtime/pattern.h"

namespace panscout {
namespace {

constexpr std::array<const char*, 4> kVerdictNames{"ok", "dead", "locked", "unknown"};
// A pattern may match a whole page; the reason keeps a line of it.
constexpr std::size_t kMaxSnippetBytes = 60;

std::string Snippet(const Text& matched) {
  std::string utf8 = GbkToUtf8(matched);
  for (char& c : utf8) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  if (utf8.size() <= kMaxSnippetBytes) return utf8;
  std::size_t cut = kMaxSnippetBytes;
  while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
  return utf8.substr(0, cut) + "…";
}

std::optional<std::string> Matched(const Text& pattern, const Text& page) {
  if (pattern.empty()) return std::nullopt;
  Pattern compiled;
  compiled.Compile(pattern);
  MatchResult match = compiled.SearchOnce(page);
  if (match.empty()) return std::nullopt;
  return "page matches " + Snippet(GroupText(match, page, 0));
}

}  // namespace

const char* VerdictName(LinkVerdict verdict) { return kVerdictNames[static_cast<int>(verdict)]; }

std::optional<LinkVerdict> VerdictNamed(std::string_view name) {
  for (std::size_t i = 0; i < kVerdictNames.size(); ++i) {
    if (name == kVerdictNames[i]) return static_cast<LinkVerdict>(i);
  }
  return std::nullopt;
}

LinkState JudgeHitPage(const LinkCheckRule& rule, const Fetched& fetched) {
  const FetchStatus& status = fetched.status;
  if (status.httpCode == 404 || status.httpCode == 410) return {LinkVerdict::kDead, status.Reason()};
  if (!status.ok()) return {LinkVerdict::kUnknown, status.Reason()};
  if (status.httpCode != 200) return {LinkVerdict::kUnknown, "HTTP " + std::to_string(status.httpCode)};
  const Text page = rule.utf8 ? Utf8PageToText(fetched.body) : ToText(fetched.body);
  if (auto reason = Matched(rule.dead, page)) return {LinkVerdict::kDead, *reason};
  if (auto reason = Matched(rule.locked, page)) return {LinkVerdict::kLocked, *reason};
  if (rule.alive.empty()) return {LinkVerdict::kOk, "HTTP 200"};
  if (auto reason = Matched(rule.alive, page)) return {LinkVerdict::kOk, *reason};
  return {LinkVerdict::kUnknown, "page matches none of dead, locked and alive"};
}

}  // namespace panscout
