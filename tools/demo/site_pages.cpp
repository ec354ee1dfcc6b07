#include "site_pages.h"

#include <array>
#include <regex>
#include <utility>

#include "demo_codepage.h"

namespace panscout::demo {
namespace {

const std::regex kListedId("[0-9a-f]{8}-[1-8]-([1-9][0-9]{0,8})");
const std::string kDeletedText = "文件不存在或已被删除。";
const std::string kLockedText = "请输入提取码：<input name=\"code\" size=\"4\"> <button>提取文件</button>";

bool IsListedId(std::string_view id) { return std::regex_match(id.begin(), id.end(), kListedId); }

std::string HtmlPage(std::string_view charset, std::string_view title, std::string_view body) {
  return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=" +
         std::string(charset) + "\"><title>" + std::string(title) + "</title></head><body>\n" +
         std::string(body) + "\n</body></html>\n";
}

Page Utf8Page(std::string_view title, std::string_view body) {
  return {"text/html; charset=utf-8", HtmlPage("utf-8", title, body)};
}

Page GbkPage(std::string_view title, std::string_view body) {
  return {"text/html; charset=gbk", Utf8ToGbkBytes(HtmlPage("gbk", title, body))};
}

}  // namespace

HitPageKind HitPageKindOf(int index) {
  if (index % 20 == 9) return HitPageKind::kBusy;
  switch (index % 10) {
    case 4: return HitPageKind::kDead;
    case 6: return HitPageKind::kLocked;
    case 7: return HitPageKind::kMissing;
    case 8: return HitPageKind::kSlow;
    default: return HitPageKind::kAlive;
  }
}

int HitIndexIn(std::string_view path) {
  std::match_results<std::string_view::const_iterator> match;
  if (!std::regex_search(path.begin(), path.end(), match, kListedId)) return 0;
  return std::stoi(match[1].str());
}

std::string RealAddress115(const DemoHosts& hosts, std::string_view id) {
  return hosts.site115 + "/get/" + std::string(id);
}

Page Page115(const DemoHosts& hosts, std::string_view id) {
  const std::string title = HtmlEscape(id) + " - 115网络U盘-我的网盘|免费网络硬盘";
  // A site link before the result marker, which the program must skip.
  const std::string home = "<div class=\"nav\"><a href=\"http://" + hosts.site115 +
                           "/\" class=\"home\">115网盘首页</a></div>\n";
  const HitPageKind kind = HitPageKindOf(HitIndexIn(id));
  if (!IsListedId(id) || kind == HitPageKind::kDead) {
    return GbkPage(title, home + "<div class=\"error\">" + kDeletedText + "</div>");
  }
  if (kind == HitPageKind::kLocked) return GbkPage(title, home + "<div class=\"code\">" + kLockedText + "</div>");
  const std::string real = RealAddress115(hosts, id);
  return GbkPage(title, home + "<div class=\"file\">文件编号：" + std::string(id) + "</div>\n"
                 "<div class=\"sr\"></div>\n<div class=\"down\"><a href=\"http://" + real +
                 "\" onclick=\"return dl(this);\">电信下载</a> <a href=\"http://" + real +
                 "?isp=cnc\" onclick=\"return dl(this);\">网通下载</a></div>");
}

Page SiteFilePage(std::string_view siteName, std::string_view path) {
  const std::string shown = HtmlEscape(path);
  const HitPageKind kind = HitPageKindOf(HitIndexIn(path));
  const std::string offer = kind == HitPageKind::kDead     ? kDeletedText
                            : kind == HitPageKind::kLocked ? kLockedText
                                                           : "<a href=\"/get" + shown + "\">下载此文件</a>";
  return Utf8Page(std::string(siteName) + " - " + shown,
                  "<h1>" + std::string(siteName) + "</h1>\n<p>文件：" + shown + "</p>\n<p>" + offer + "</p>");
}

std::string DownloadBody(std::string_view path) {
  return "Panscout demo download " + std::string(path) + "\n";
}

Page SnapshotPage(std::string_view id) {
  return GbkPage("百度快照", "<p>这是百度快照（演示）：" + HtmlEscape(id) + "</p>");
}

std::optional<Page> AnnouncementPage(std::string_view path) {
  static const std::array<std::pair<std::string_view, std::string_view>, 10> kPages{{
      {"/popup.html", "Panscout 演示弹窗广告"},
      {"/update.html", "Panscout 演示版本更新"},
      {"/webad.html", "Panscout 演示网页广告"},
      {"/blog.html", "Panscout 作者博客（演示）"},
      {"/news/1.html", "演示文字广告一"},
      {"/news/2.html", "演示文字广告二"},
      {"/news/3.html", "演示文字广告三"},
      {"/promo/1.html", "演示图片广告一"},
      {"/promo/2.html", "演示图片广告二"},
      {"/promo/3.html", "演示图片广告三"},
  }};
  for (const auto& [pagePath, title] : kPages) {
    if (path == pagePath) {
      return Utf8Page(title, "<h1>" + std::string(title) + "</h1>\n<p>这是本地演示服务提供的页面。</p>");
    }
  }
  return std::nullopt;
}

}  // namespace panscout::demo
