#pragma once
// Whether a hit's address still leads to its file, judged from the hit page
// by the rules of the source's [check] table.

#include <optional>
#include <string>
#include <string_view>

#include "net/fetch_status.h"
#include "runtime/text.h"

namespace panscout {

enum class LinkVerdict { kOk, kDead, kLocked, kUnknown };

struct LinkState {
  LinkVerdict verdict = LinkVerdict::kUnknown;
  std::string reason;  // UTF-8, one line: "HTTP 404", "page matches 已被删除", "timed out after 15 s"
  bool operator==(const LinkState&) const = default;
};

// "ok", "dead", "locked", "unknown": the names the command line and the cache file use.
const char* VerdictName(LinkVerdict verdict);
std::optional<LinkVerdict> VerdictNamed(std::string_view name);

// Patterns over the hit page's text (GBK); an empty one is not asked.
struct LinkCheckRule {
  Text dead, locked, alive;
  bool utf8 = false;  // the hit page is UTF-8, else GBK
};

// 404 and 410 are dead; a 200 page is dead, locked or ok by the first of
// dead, locked and alive that it matches (ok without an alive pattern);
// every other outcome is unknown.
LinkState JudgeHitPage(const LinkCheckRule& rule, const Fetched& fetched);

}  // namespace panscout
