#pragma once
// Pages of the file-hosting sites that the hits point at.

#include <optional>
#include <string>
#include <string_view>

#include "demo_hosts.h"
#include "result_pages.h"

namespace panscout::demo {

// A 115 file page ("/file/ID"), GBK. A hit's page holds the real address
// "H115/get/ID" between "<a href=\"http://" and "\" onclick=" after the
// result marker "<div class=\"sr\"></div>"; a link to the site without the
// end marker stands before the result marker. An ID the demo never lists gives
// a "deleted" page without either marker.
Page Page115(const DemoHosts& hosts, std::string_view id);

// The real address a 115 file page gives, without "http://".
std::string RealAddress115(const DemoHosts& hosts, std::string_view id);

// A plain file page of any site, linking to "/get" followed by the path.
Page SiteFilePage(std::string_view siteName, std::string_view path);

// The body of a download ("/get/..."), served as an attachment.
std::string DownloadBody(std::string_view path);

// A Baidu snapshot page ("/c?m=ID"), GBK.
Page SnapshotPage(std::string_view id);

// The HTML page at a path of the announcement service, if there is one.
std::optional<Page> AnnouncementPage(std::string_view path);

}  // namespace panscout::demo
