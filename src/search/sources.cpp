#include "search/sources.h"

#include "runtime/codepage.h"
#include "runtime/pattern.h"
#include "search/hosts.h"

namespace panscout {
namespace {

QueryPiece L(const char* literal) { return {QueryPart::kLiteral, literal}; }
const QueryPiece K{QueryPart::kUtf8Keyword, {}};
const QueryPiece G{QueryPart::kGbkKeyword, {}};
const QueryPiece H{QueryPart::kSiteHost, {}};
const QueryPiece T{QueryPart::kToken, {}};
const QueryPiece N{QueryPart::kOffset, {}};
const QueryPiece P{QueryPart::kPageNumber, {}};

std::vector<Removal> Removals(std::initializer_list<std::pair<const char*, bool>> pieces) {
  std::vector<Removal> removals;
  for (auto [piece, exact] : pieces) removals.push_back({Gbk(piece), exact});
  return removals;
}

// Sources 2, 3 and 5 are Baidu searches restricted to one site.
SourceRule BaiduSite(int number, const Hosts& hosts, const Text& site, const char* tail) {
  SourceRule r;
  r.number = number;
  r.endpoint = hosts.baidu;
  r.siteHost = site;
  r.query = {L("/s?wd=site%3A%28"), H, L("%29"), K, L("&pn="), N, L(tail)};
  r.totalPattern = Gbk("找到相关结果(.*?)个");
  r.titlePattern = "target=\"_blank\">(.*?)</a>";
  r.titleRegion = PageRegion::kResultPart;
  r.linkRegion = PageRegion::kResultPart;
  return r;
}

// Sources 4 and 7 are Google searches read through the viewer.
SourceRule GoogleSite(int number, const Hosts& hosts, const Text& site, const char* token,
                      const char* fixedKeys) {
  SourceRule r;
  r.number = number;
  r.endpoint = hosts.google;
  r.siteHost = site;
  r.token = token;
  r.query = {L("/search?q=%22"), K, L("%22+site:"), H, L(fixedKeys), T, L("&start="), N, L("&sa=N")};
  r.readThroughViewer = true;
  r.totalPattern = Gbk("获得(.*?) 条结果");
  return r;
}

SourceRule Tazhao(const Hosts& hosts) {
  SourceRule r;
  r.number = 1;
  r.step = StepKind::kEngine;
  r.endpoint = hosts.tazhao;
  r.query = {L("/s?q="), K, L("&p="), N};
  r.titlePattern = "<div class=\"introtext\">(.*?)</div>";
  r.titleRegion = PageRegion::kStripped;
  r.sizePattern = Gbk("div>大小：(.*?)时间：");
  r.linkPattern = "<span><a href=\"(.*?)\" target='_blank' onclick=";
  return r;
}

SourceRule Site115(const Hosts& hosts) {
  SourceRule r = BaiduSite(2, hosts, hosts.site115, "&cl=1&tn=baiduadv");
  r.titleRemovals = Removals({{"<em>", false}, {"</em>", false}, {"- 115网络U盘-我的网盘|免费网络硬盘", true}});
  r.linkPattern = "href=\"http://" + EscapedForPattern(hosts.site115) + "(.*?)\" target=\"_blank\">";
  r.linkPrefix = "http://" + hosts.site115;
  r.sizePattern = Gbk("文件大小：(.*?) 提取码");
  return r;
}

SourceRule Namipan(const Hosts& hosts) {
  SourceRule r = BaiduSite(3, hosts, hosts.namipan, "&tn=baiduadv");
  r.titleRemovals = Removals({{"<em>", false}, {"</em>", false}, {" 文件下载 纳米盘-免费网络硬盘", false}});
  r.linkPattern = "href=\"http://(.*?)\" target=\"_blank\">";
  r.linkPrefix = "http://";
  r.sizePattern = Gbk("文件大小：(.*?)举报");
  return r;
}

SourceRule Xun6(const Hosts& hosts) {
  SourceRule r = GoogleSite(4, hosts, hosts.xun6, "Qm3xVbT8nLp2rKs5dWz7Aa",
                            "&hl=zh-CN&lr=&newwindow=1&safe=strict&biw=1440&bih=805&as_qdr=all&prmd=ivnsfd&ei=");
  r.titlePattern = Gbk("訊6 - (.*?)文件");
  r.titleRemovals = Removals({{"<em>", false}, {"</em>", false}, {"下載", false}});
  r.linkPattern = "u=(.*?)&amp";
  r.sizePattern = Gbk("文件大小: (.*?). 下載次數");
  return r;
}

SourceRule RayFile(const Hosts& hosts) {
  SourceRule r = BaiduSite(5, hosts, hosts.rayfile, "&cl=0&tn=baiduadv");
  r.titleRemovals = Removals({{"<em>", false}, {"</em>", false}, {"RayFile | ", false}});
  r.linkPattern = "href=\"http://" + EscapedForPattern(hosts.rayfile) + "/(.*?)\" target=\"_blank\">";
  r.linkPrefix = "http://" + hosts.rayfile + "/";
  r.sizePattern = Gbk("大小 (.*?) 上传时间");
  return r;
}

SourceRule IAsk(const Hosts& hosts) {
  SourceRule r;
  r.number = 6;
  r.endpoint = hosts.iask;
  r.query = {L("/search.php?key="), G,
             L("&classid=0&format=txt~doc~pdf~ppt~htm~rar~aud&order=&uid=&id=0&page="), P};
  r.totalPattern = Gbk("共找到相关资料<span class=\"c3\">(.*?)</span>项</td>");
  r.titlePattern = "target=\"_blank\" class=\"f16\">(.*?)</a> </div>";
  r.titleRemovals = Removals({{"<em>", false}, {"</span>", false}, {"<span style=\"color:#C03\">", false}});
  r.linkPattern = "href=\"/f/(.*?)\"";
  r.linkPrefix = "http://" + hosts.iask + "/f/";
  r.sizePattern = Gbk("大小:(.*?)共享");
  return r;
}

SourceRule Hotfile(const Hosts& hosts) {
  SourceRule r = GoogleSite(7, hosts, hosts.hotfile, "Hs9tYc4uEo1wPb6nGx2kRe",
                            "&hl=zh-CN&lr=&newwindow=1&safe=strict&as_qdr=all&prmd=ivnsb&ei=");
  r.titlePattern = "class=\"s\">(.*?)MB.";
  r.titleRemovals = Removals({{"[<em>", false},
                              {". 選擇下載方式: 下載型態: 免费, 高级会员. 下載速度: 限制,", false},
                              {"無限制的 ", false},
                              {"最大同時下載數目: 1", false},
                              {"<b>...", false}});
  r.linkPattern = "<a href=\"http://" + EscapedForPattern(hosts.hotfile) + "/(.*?)\" target=_blank";
  r.linkPrefix = "http://" + hosts.hotfile + "/";
  r.sizePattern = "class=\"s\">(.*?)MB.";
  return r;
}

SourceRule TorrentSearch(const Hosts& hosts) {
  SourceRule r;
  r.step = StepKind::kTorrent;
  r.endpoint = hosts.baidu;
  r.siteHost = hosts.torrent;
  r.query = {L("/s?wd="), K, L("&pn="), N, L("&cl=0&ct=2097152&tn=bds&si="), H};
  r.totalPattern = Gbk("找到相关结果(.*?)个");
  r.titlePattern = "target=\"_blank\">(.*?)</a>";
  r.titleRegion = PageRegion::kResultPart;
  r.titleRemovals = Removals({{"<em>", false}, {"</em>", false}});
  r.linkPattern = "href=\"http://" + EscapedForPattern(hosts.torrent) + "(.*?)\" target=\"_blank\">";
  r.linkRegion = PageRegion::kResultPart;
  r.linkPrefix = "http://" + hosts.torrent;
  return r;
}

}  // namespace

SourceTable::SourceTable(const Hosts& hosts)
    : sources_{Tazhao(hosts), Site115(hosts), Namipan(hosts), Xun6(hosts),
               RayFile(hosts), IAsk(hosts),   Hotfile(hosts)},
      torrent_(TorrentSearch(hosts)) {}

const SourceRule* SourceTable::Source(int number) const {
  if (number < 1 || number > static_cast<int>(sources_.size())) return nullptr;
  return &sources_[number - 1];
}

}  // namespace panscout
