#include "result_pages.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "demo_codepage.h"

namespace panscout::demo {
namespace {

constexpr std::array<std::string_view, 5> kTags{"高清版", "完整版", "合集", "中字", "精选"};
constexpr std::array<std::string_view, 7> kExtensions{".rar", ".zip", ".rmvb", ".mp3",
                                                      ".pdf", ".avi", ".iso"};

// Baidu's layout: the hits stand after the first hot-line marker; the right
// column (after a second one) holds an advertisement link that must not count.
constexpr std::string_view kHotLine = "咨询热线：";

std::string Decimal(long long value) { return std::to_string(value); }

std::string Thousands(int value) {
  const std::string digits = Decimal(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

std::uint32_t Fnv1a(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
  return hash;
}

std::string Hex8(std::uint32_t value) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", value);
  return hex;
}

std::string FileId(const Keyword& keyword, int source, int index) {
  return Hex8(Fnv1a(keyword.word)) + "-" + Decimal(source) + "-" + Decimal(index);
}

// NAME without its leading keyword.
std::string NameTail(int source, int index) {
  const std::string_view extension =
      source == kTorrent ? std::string_view(".torrent") : kExtensions[(source + index) % 7];
  return "_" + std::string(kTags[(index - 1) % 5]) + "_" + TwoDigits(index) +
         std::string(extension);
}

std::string FileName(const Keyword& keyword, int source, int index) {
  return HtmlEscape(keyword.word) + NameTail(source, index);
}

std::string SizeNumber(int source, int index) {
  const long long tenths = 100 + (7919LL * index + 104729LL * source) % 9000;
  return Decimal(tenths / 10) + "." + Decimal(tenths % 10);
}

std::string SizeText(int source, int index) { return SizeNumber(source, index) + " MB"; }

std::string DateText(int index) {
  return "2010-" + TwoDigits(1 + index % 12) + "-" + TwoDigits(1 + index * 3 % 28);
}

std::string HitAddress(const DemoHosts& hosts, int source, const Keyword& keyword, int index) {
  const std::string id = FileId(keyword, source, index);
  std::string path;
  switch (source) {
    case kRayFile: path = "/files/" + id + "/"; break;
    case kIAsk: path = "/f/" + id + ".html"; break;
    case kHotfile: path = "/dl/" + id + ".html"; break;
    case kTorrent: path = "/torrent/" + id + ".html"; break;
    default: path = "/file/" + id; break;
  }
  return "http://" + SourceHost(hosts, source) + path;
}

std::string WithoutScheme(const std::string& address) { return address.substr(7); }

template <typename HitHtml>
std::string HitsHtml(const Keyword& keyword, int offset, HitHtml hitHtml) {
  std::string html;
  const int first = offset / kPageSize * kPageSize + 1;
  for (int i = first; i < first + HitsOnPage(keyword.total, offset); ++i) html += hitHtml(i);
  return html;
}

bool NoResults(const Keyword& keyword) { return keyword.total == 0 || keyword.word == "nothing"; }

// Tazhao: UTF-8 with CR LF line ends; titles carry <b> and, on odd hits, the
// no-description note, all of which the program strips before reading them.
std::string EnginePage(const DemoHosts& hosts, const Keyword& keyword, int offset) {
  const std::string kw = HtmlEscape(keyword.word);
  std::string page =
      "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
      "<title>" + kw + " - Tazhao 网盘搜索</title>\r\n</head>\r\n<body>\r\n"
      "<form action=\"/s\"><input name=\"q\" value=\"" + kw + "\"><input type=\"submit\" value=\"搜索\"></form>\r\n";
  if (NoResults(keyword)) {
    return page + "<div class=\"none\">没有与“" + kw + "”相关的网盘文件。</div>\r\n</body>\r\n</html>\r\n";
  }
  page += HitsHtml(keyword, offset, [&](int i) {
    return "<div class=\"item\">\r\n<div class=\"introtext\">\r\n<b>" + kw + "</b>" +
           NameTail(kTazhao, i) + (i % 2 ? "此资源暂无描述。" : "") + "</div>\r\n"
           "<div class=\"meta\"><div>大小：" + SizeText(kTazhao, i) + "时间：" + DateText(i) +
           "</div></div>\r\n<span><a href=\"" + HitAddress(hosts, kTazhao, keyword, i) +
           "\" target='_blank' onclick=\"return go(this);\">下载</a></span>\r\n</div>\r\n";
  });
  return page + "</body>\r\n</html>\r\n";
}

// Title and abstract of one Baidu hit, in the form the site's pages give them.
std::pair<std::string, std::string> BaiduTitleAndAbstract(int source, const Keyword& keyword, int i) {
  const std::string em = "<em>" + HtmlEscape(keyword.word) + "</em>" + NameTail(source, i);
  const std::string size = SizeText(source, i);
  switch (source) {
    case k115:
      return {em + " - 115网络U盘-我的网盘|免费网络硬盘",
              "文件名：" + em + " 文件大小：" + size + " 提取码：" +
                  Hex8(Fnv1a(FileId(keyword, source, i))).substr(0, 4) + " 上传于" + DateText(i)};
    case kNamipan:
      return {em + " 文件下载 纳米盘-免费网络硬盘",
              em + " 文件大小：" + size + " |举报 下载次数：" + Decimal(i * 13 % 97)};
    case kRayFile:
      return {"RayFile | " + em, "文件名称 " + em + " 大小 " + size + " 上传时间 " + DateText(i)};
    default:
      return {em, "BT种子 收录时间 " + DateText(i)};
  }
}

std::string BaiduPage(const DemoHosts& hosts, int source, const Keyword& keyword, int offset) {
  const std::string kw = HtmlEscape(keyword.word);
  const std::string query = source == kTorrent ? kw : "site:(" + SourceHost(hosts, source) + ")" + kw;
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html;charset=gbk\">"
      "<title>百度搜索_" + query + "</title></head><body>\n"
      "<div id=\"head\"><form name=\"f\" action=\"/s\"><input name=\"wd\" value=\"" + query +
      "\"><input type=\"submit\" value=\"百度一下\"></form></div>\n";
  if (NoResults(keyword)) {
    return page + "<div id=\"noresult\"><p>找不到和您的查询 \"" + query +
           "\" 相符的网页。</p><p>建议：请检查输入字词有无错误。</p></div>\n</body></html>\n";
  }
  page += "<p id=\"nums\">找到相关结果约" + Thousands(keyword.total) + "个</p>\n"
          "<div id=\"ec_top\">推广链接 " + std::string(kHotLine) + "400-800-8888</div>\n";
  page += HitsHtml(keyword, offset, [&](int i) {
    const std::string address = HitAddress(hosts, source, keyword, i);
    const auto [title, abstract] = BaiduTitleAndAbstract(source, keyword, i);
    return "<table class=\"result\" id=\"" + Decimal(i) + "\"><tr><td class=\"f\"><h3 class=\"t\">"
           "<a href=\"" + address + "\" target=\"_blank\">" + title + "</a></h3><font size=\"-1\">" +
           abstract + "<br><span class=\"g\">" + WithoutScheme(address) + " " + DateText(i) +
           " </span> - <a href=\"http://" + SnapshotLabels(hosts) + "/c?m=" +
           FileId(keyword, source, i) + "\" target=\"_blank\" class=\"m\">百度快照</a></font></td></tr></table>\n";
  });
  return page + "<p id=\"page\">第" + Decimal(offset / kPageSize + 1) + "页</p>\n"
         "<div id=\"ec_right\">推广 " + std::string(kHotLine) + "400-800-6666<br><a href=\"http://" +
         hosts.announce + "/news/1.html\" target=\"_blank\">Panscout 演示推广</a></div>\n"
         "<div id=\"ft\">&copy;2010 Baidu</div></body></html>\n";
}

std::string IAskPage(const Keyword& keyword, int offset) {
  const std::string kw = HtmlEscape(keyword.word);
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
      "<title>" + kw + "_爱问共享资料</title></head><body>\n"
      "<form action=\"/search.php\"><input name=\"key\" value=\"" + kw + "\"><input type=\"submit\" value=\"搜索\"></form>\n";
  if (NoResults(keyword)) {
    return page + "<div class=\"none\">没有与“" + kw + "”相关的共享资料。</div>\n</body></html>\n";
  }
  page += "<table class=\"count\"><tr><td>共找到相关资料<span class=\"c3\">" +
          Decimal(keyword.total) + "</span>项</td></tr></table>\n";
  page += HitsHtml(keyword, offset, [&](int i) {
    return "<div class=\"item\"><div class=\"t\"><a href=\"/f/" + FileId(keyword, kIAsk, i) +
           ".html\" target=\"_blank\" class=\"f16\"><span style=\"color:#C03\">" + kw + "</span>" +
           NameTail(kIAsk, i) + "</a> </div>\n<div class=\"i\">大小:" + SizeText(kIAsk, i) +
           " |共享者:演示用户 | 下载次数:" + Decimal(i * 7 % 50) + "</div></div>\n";
  });
  return page + "</body></html>\n";
}

// Google pages are read back from an HTML viewer, so they are written the way
// a browser serialises them (lower-case tags, quoted attributes, &amp;), except
// where the Hotfile link pattern needs the bare target=_blank.
std::string GooglePage(const DemoHosts& hosts, int source, const Keyword& keyword, int offset) {
  const std::string kw = HtmlEscape(keyword.word);
  const std::string& host = SourceHost(hosts, source);
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
      "<title>" + kw + " site:" + host + " - Google 搜索</title></head><body>\n";
  if (NoResults(keyword)) {
    return page + "<div id=\"res\"><p>没有与“" + kw + "”相符的结果。</p></div>\n</body></html>";
  }
  page += "<div id=\"resultStats\">获得约 " + Thousands(keyword.total) +
          " 条结果<nobr>（用时 0.17 秒）</nobr></div>\n<ol id=\"rso\">\n";
  page += HitsHtml(keyword, offset, [&](int i) {
    const std::string address = HitAddress(hosts, source, keyword, i);
    const std::string cite = "<cite>" + WithoutScheme(address) + "</cite></div></li>\n";
    if (source == kXun6) {
      return "<li class=\"g\"><h3 class=\"r\"><a href=\"/url?sa=t&amp;source=web&amp;cd=" +
             Decimal(i) + "&amp;u=" + address + "&amp;usg=AFQjCN" + Decimal(i) +
             "\" class=\"l\">訊6 - <em>" + kw + "</em>" + NameTail(source, i) +
             "下載文件</a></h3><div class=\"s\">文件大小: " + SizeText(source, i) +
             ". 下載次數: " + Decimal(i * 11 % 90) + ". 上傳時間: " + DateText(i) + "<br>" + cite;
    }
    return "<li class=\"g\"><h3 class=\"r\"><a href=\"" + address +
           "\" target=_blank class=l>Hotfile.com: One click file hosting: <em>" + kw + "</em>" +
           NameTail(source, i) + "</a></h3><div class=\"s\">[<em>" + FileName(keyword, source, i) +
           std::string(kHotfileBlurb) + SizeNumber(source, i) + "MB.</b></em> " + cite;
  });
  return page + "</ol>\n<div id=\"foot\">Google 香港</div>\n</body></html>";
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

Keyword ParseKeyword(std::string_view keyword) {
  const std::size_t hash = keyword.rfind('#');
  const std::string_view digits =
      hash == std::string_view::npos ? std::string_view() : keyword.substr(hash + 1);
  if (digits.empty() || digits.size() > 9 ||
      digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return {std::string(keyword), kDefaultTotal};
  }
  return {std::string(keyword.substr(0, hash)), std::stoi(std::string(digits))};
}

int HitsOnPage(int total, int offset) {
  if (offset < 0) return 0;
  const long long first = static_cast<long long>(offset) / kPageSize * kPageSize;
  const long long left = total - first;
  return left <= 0 ? 0 : left < kPageSize ? static_cast<int>(left) : kPageSize;
}

const std::string& SourceHost(const DemoHosts& hosts, int source) {
  switch (source) {
    case kNamipan: return hosts.namipan;
    case kXun6: return hosts.xun6;
    case kRayFile: return hosts.rayfile;
    case kIAsk: return hosts.iask;
    case kHotfile: return hosts.hotfile;
    case kTorrent: return hosts.torrent;
    default: return hosts.site115;
  }
}

Hit ExpectedHit(const DemoHosts& hosts, int source, const Keyword& keyword, int index) {
  Hit hit{FileName(keyword, source, index), SizeText(source, index),
          HitAddress(hosts, source, keyword, index)};
  if (source == k115) hit.name += " ";
  if (source == kHotfile) {
    hit.size = "[" + hit.name + std::string(kHotfileBlurb) + SizeNumber(source, index);
    hit.name += " " + SizeNumber(source, index);
  }
  if (source == kTorrent) hit.size.clear();
  return hit;
}

Page ResultPage(const DemoHosts& hosts, int source, const Keyword& keyword, int offset) {
  switch (source) {
    case kTazhao: return {"text/html; charset=utf-8", EnginePage(hosts, keyword, offset)};
    case kXun6:
    case kHotfile: return {"text/html; charset=utf-8", GooglePage(hosts, source, keyword, offset)};
    case kIAsk: return {"text/html; charset=gbk", Utf8ToGbkBytes(IAskPage(keyword, offset))};
    default:
      return {"text/html; charset=gbk", Utf8ToGbkBytes(BaiduPage(hosts, source, keyword, offset))};
  }
}

}  // namespace panscout::demo
