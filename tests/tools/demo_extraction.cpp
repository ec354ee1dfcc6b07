#include "demo_extraction.h"

#include <boost/regex.hpp>

#include "../tools/demo/demo_codepage.h"
#include "runtime/text.h"

namespace panscout::demo::testing {
namespace {

struct SiteRules {
  std::string title;
  std::vector<std::pair<std::string, bool>> titleRemovals;  // piece, exact case
  bool inResultPart;  // title and link read the result part, not the whole page
  std::string link;
  std::string linkPrefix;
  std::string size;
};

SiteRules RulesFor(const DemoHosts& hosts, int source) {
  const std::vector<std::pair<std::string, bool>> em{{"<em>", false}, {"</em>", false}};
  auto with = [&em](std::vector<std::pair<std::string, bool>> more) {
    more.insert(more.begin(), em.begin(), em.end());
    return more;
  };
  switch (source) {
    case k115:
      return {"target=\"_blank\">(.*?)</a>", with({{"- 115网络U盘-我的网盘|免费网络硬盘", true}}), true,
              "href=\"http://" + hosts.site115 + "(.*?)\" target=\"_blank\">", "http://" + hosts.site115,
              "文件大小：(.*?) 提取码"};
    case kNamipan:
      return {"target=\"_blank\">(.*?)</a>", with({{" 文件下载 纳米盘-免费网络硬盘", false}}), true,
              "href=\"http://(.*?)\" target=\"_blank\">", "http://", "文件大小：(.*?)举报"};
    case kXun6:
      return {"訊6 - (.*?)文件", with({{"下載", false}}), false, "u=(.*?)&amp", "",
              "文件大小: (.*?). 下載次數"};
    case kRayFile:
      return {"target=\"_blank\">(.*?)</a>", with({{"RayFile | ", false}}), true,
              "href=\"http://" + hosts.rayfile + "/(.*?)\" target=\"_blank\">",
              "http://" + hosts.rayfile + "/", "大小 (.*?) 上传时间"};
    case kIAsk:
      return {"target=\"_blank\" class=\"f16\">(.*?)</a> </div>",
              {{"<em>", false}, {"</span>", false}, {"<span style=\"color:#C03\">", false}}, false,
              "href=\"/f/(.*?)\"", "http://" + hosts.iask + "/f/", "大小:(.*?)共享"};
    case kHotfile:
      return {"class=\"s\">(.*?)MB.",
              {{"[<em>", false},
               {". 選擇下載方式: 下載型態: 免费, 高级会员. 下載速度: 限制,", false},
               {"無限制的 ", false},
               {"最大同時下載數目: 1", false},
               {"<b>...", false}},
              false, "<a href=\"http://" + hosts.hotfile + "/(.*?)\" target=_blank",
              "http://" + hosts.hotfile + "/", "class=\"s\">(.*?)MB."};
    default:  // the torrent search; it reads no size
      return {"target=\"_blank\">(.*?)</a>", em, true,
              "href=\"http://" + hosts.torrent + "(.*?)\" target=\"_blank\">", "http://" + hosts.torrent,
              ""};
  }
}

std::string Removed(std::string text, const std::vector<std::pair<std::string, bool>>& pieces) {
  for (const auto& [piece, exact] : pieces) text = RemoveEvery(text, Gbk(piece), exact);
  return text;
}

std::string FirstCapture(const std::string& pattern, const std::string& text) {
  const std::vector<std::string> all = Captures(pattern, text);
  return all.empty() ? std::string() : all.front();
}

PageReading ReadEnginePage(const std::string& body) {
  const std::string page = Utf8ToGbkBytes(body);
  std::string stripped = page;
  for (const char* piece : {"<b>", "</b>", "\r\n", "此资源暂无描述。"}) stripped = RemoveEvery(stripped, Gbk(piece), false);
  const auto titles = Captures("<div class=\"introtext\">(.*?)</div>", stripped);
  const auto sizes = Captures("div>大小：(.*?)时间：", page);
  const auto links = Captures("<span><a href=\"(.*?)\" target='_blank' onclick=", page);
  PageReading reading{titles.size(), links.size(), sizes.size(), 0, false, {}};
  if (titles.size() != links.size() || titles.size() != sizes.size()) return reading;
  for (std::size_t i = 0; i < titles.size(); ++i) reading.rows.push_back({titles[i], sizes[i], links[i]});
  return reading;
}

}  // namespace

std::string Gbk(const std::string& utf8) { return Utf8ToGbkBytes(utf8); }

std::vector<std::string> Captures(const std::string& pattern, const std::string& text) {
  const boost::regex regex(Gbk(pattern), boost::regex::perl);
  std::vector<std::string> captures;
  for (boost::sregex_iterator it(text.begin(), text.end(), regex), end; it != end; ++it) {
    captures.push_back((*it)[1].str());
  }
  return captures;
}

PageReading ReadPage(const DemoHosts& hosts, int source, const std::string& body) {
  if (source == kTazhao) return ReadEnginePage(body);
  std::string page = body;
  if (source == kXun6 || source == kHotfile) page = Utf8ToGbkBytes(body);
  if (source != kTorrent) page = RemoveEvery(page, "http://" + SnapshotLabels(hosts), false);
  const TextArray pieces = SplitText(page, Gbk("咨询热线："));
  const std::string resultPart = pieces.size() > 1 ? pieces[1] : std::string();

  const SiteRules rules = RulesFor(hosts, source);
  const std::string& listed = rules.inResultPart ? resultPart : page;
  const auto titles = Captures(rules.title, listed);
  const auto links = Captures(rules.link, listed);
  const auto sizes = rules.size.empty() ? std::vector<std::string>(titles.size()) : Captures(rules.size, page);
  const std::string totalPattern = source == kXun6 || source == kHotfile ? "获得(.*?) 条结果"
                                   : source == kIAsk ? "共找到相关资料<span class=\"c3\">(.*?)</span>项</td>"
                                                     : "找到相关结果(.*?)个";
  PageReading reading{titles.size(), links.size(), sizes.size(),
                      ToInteger(Removed(FirstCapture(totalPattern, page), {{",", true}, {"约", true}})),
                      FirstCapture("找不到(.*?)查询", page) == Gbk("和您的"), {}};
  if (titles.size() != links.size() || titles.size() != sizes.size()) return reading;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    reading.rows.push_back({Removed(titles[i], rules.titleRemovals),
                            Removed(sizes[i], {{"<em>", false}, {"<\\em>", false}, {" |", false}}),
                            rules.linkPrefix + links[i]});
  }
  return reading;
}

}  // namespace panscout::demo::testing
