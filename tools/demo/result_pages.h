#pragma once
// Result pages of the demo search services. Every page is derived from the
// query alone, so a test can compute each row that a search lists.
//
// Keyword (the decoded query keyword, UTF-8):
//   "WORD#N" (N up to 9 decimal digits) reports N hits; any other keyword
//   reports 23. The pages show WORD (the keyword without "#N"), HTML-escaped
//   (& < > " as entities) wherever it appears, KW below.
//   "nothing", and a total of 0, give the no-result page: on Baidu (sources 2,
//   3, 5 and the torrent search) it says "找不到和您的查询…"; the other services
//   show a page that states no total.
// Paging: hit k (1-based over the whole search) lies on the page with offset
//   10 * ((k - 1) / 10); every page holds 10 hits but the last (23 hits come as
//   10, 10, 3) and states the whole total.
// Hit k of source s (s = 1..7 as the program numbers them, 8 = torrent search):
//   ID      = 8 lower-case hex digits of FNV-1a-32 over WORD's UTF-8 bytes,
//             then "-", s, "-", k (e.g. "1a2b3c4d-2-17")
//   NAME    = KW "_" TAG "_" NN EXT: TAG = 高清版 完整版 合集 中字 精选 by
//             (k-1) % 5; NN = k with at least two digits; EXT = .rar .zip .rmvb
//             .mp3 .pdf .avi .iso by (s+k) % 7, ".torrent" for s = 8
//   NUM     = tenths t = 100 + (7919 k + 104729 s) % 9000 written as t/10 "."
//             t%10 (e.g. "123.4"); SIZE = NUM " MB"
//   address = "http://" H P: H = the 115 host for s = 1 and 2, else the host of
//             the source's site (iAsk's own host for 6, the torrent site for
//             8); P = "/file/ID" (1-4), "/files/ID/" (5), "/f/ID.html" (6),
//             "/dl/ID.html" (7), "/torrent/ID.html" (8).
// ExpectedHit gives the row that extraction yields: NAME, SIZE and the
// address, except that source 2 names keep the space before the removed 115
// title suffix (NAME " "), source 7, whose title and size are one capture,
// lists NAME " " NUM with the size "[" NAME kHotfileBlurb NUM, and the torrent
// search has no size.
// Which hits a search lists is the program's business: it asks for the pages
// in turn, and the engine takes only full pages of ten.

#include <string>
#include <string_view>

#include "demo_hosts.h"

namespace panscout::demo {

enum Source : int {
  kTazhao = 1, k115 = 2, kNamipan = 3, kXun6 = 4, kRayFile = 5, kIAsk = 6, kHotfile = 7,
  kTorrent = 8,
};

constexpr int kDefaultTotal = 23;
constexpr int kPageSize = 10;

// The part of a source 7 snippet between the name and the size number.
inline constexpr std::string_view kHotfileBlurb =
    ". 選擇下載方式: 下載型態: 免费, 高级会员. 下載速度: 限制,無限制的 最大同時下載數目: 1<b>... ";

struct Keyword {
  std::string word;  // UTF-8, without the "#N" suffix
  int total = kDefaultTotal;
};

Keyword ParseKeyword(std::string_view keyword);

// Hits on the page with the given offset (offsets are cut down to tens).
int HitsOnPage(int total, int offset);

// A listed row, in UTF-8 (the program holds it in GBK).
struct Hit {
  std::string name, size, address;
  bool operator==(const Hit&) const = default;
};

Hit ExpectedHit(const DemoHosts& hosts, int source, const Keyword& keyword, int index);

// The page as served: its body is GBK for Baidu and iAsk, UTF-8 otherwise.
struct Page {
  std::string contentType;
  std::string body;
};

Page ResultPage(const DemoHosts& hosts, int source, const Keyword& keyword, int offset);

// The site host the source searches (site:(H) or si=H), the 115 host for 1.
const std::string& SourceHost(const DemoHosts& hosts, int source);

std::string HtmlEscape(std::string_view text);

}  // namespace panscout::demo
