#pragma once
// Pages of the file-hosting sites that the hits point at.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "demo_hosts.h"
#include "result_pages.h"

namespace panscout::demo {

// What a hit's own page answers, by the hit index k in its address: for k %
// 10 of 4 the file is deleted, of 6 it is locked behind an extraction code, of
// 7 the page is missing (404), of 8 it comes after kSlowHitPage; for k % 20
// of 9 the site is busy (503). Every other hit's page offers its file; the
// first three and the fifth always do, since tests resolve those.
enum class HitPageKind { kAlive, kDead, kLocked, kMissing, kBusy, kSlow };
HitPageKind HitPageKindOf(int index);
inline constexpr std::chrono::milliseconds kSlowHitPage{3000};

// k of the listed ID in a path ("/file/1a2b3c4d-2-17" gives 17); 0 when it holds none.
int HitIndexIn(std::string_view path);

// A 115 file page ("/file/ID"), GBK. A hit's page holds the real address
// "H115/get/ID" between "<a href=\"http://" and "\" onclick=" after the
// result marker "<div class=\"sr\"></div>"; a link to the site without the
// end marker stands before the result marker. An ID the demo never lists, or
// a deleted hit's, gives a "deleted" page ("文件不存在或已被删除") without either
// marker; a locked hit's asks "请输入提取码" instead.
Page Page115(const DemoHosts& hosts, std::string_view id);

// The real address a 115 file page gives, without "http://".
std::string RealAddress115(const DemoHosts& hosts, std::string_view id);

// A plain file page of any site, UTF-8, offering "下载此文件" at "/get"
// followed by the path; a deleted hit's says "文件不存在或已被删除" and a
// locked one's asks "请输入提取码" instead.
Page SiteFilePage(std::string_view siteName, std::string_view path);

// The body of a download ("/get/..."), served as an attachment.
std::string DownloadBody(std::string_view path);

// A Baidu snapshot page ("/c?m=ID"), GBK.
Page SnapshotPage(std::string_view id);

// The HTML page at a path of the announcement service, if there is one.
std::optional<Page> AnnouncementPage(std::string_view path);

}  // namespace panscout::demo
