#include "demo_extraction.h"

#include <boost/regex.hpp>

#include "demo/demo_codepage.h"
#include "runtime/text.h"
#include "search/hosts.h"
#include "search/sources.h"

namespace panscout::demo::testing {
namespace {

// The program's own rules for a demo source, with the demo's hosts.
const SourceRule& RulesFor(const SourceTable& table, int source) {
  return source == kTorrent ? table.Torrent() : *table.Source(source);
}

Hosts ProgramHosts(const DemoHosts& demo) {
  Hosts hosts = Hosts::Defaults();
  hosts.tazhao = demo.tazhao;
  hosts.baidu = demo.baidu;
  hosts.google = demo.google;
  hosts.iask = demo.iask;
  hosts.announce = demo.announce;
  hosts.site115 = demo.site115;
  hosts.namipan = demo.namipan;
  hosts.xun6 = demo.xun6;
  hosts.rayfile = demo.rayfile;
  hosts.hotfile = demo.hotfile;
  hosts.torrent = demo.torrent;
  hosts.snapshot = SnapshotLabels(demo);
  return hosts;
}

// Group 1 of every successive match of a pattern of the program (GBK).
std::vector<std::string> ProgramCaptures(const Text& pattern, const std::string& text) {
  const boost::regex regex(pattern, boost::regex::perl);
  std::vector<std::string> captures;
  for (boost::sregex_iterator it(text.begin(), text.end(), regex), end; it != end; ++it) {
    captures.push_back((*it)[1].str());
  }
  return captures;
}

std::string Removed(std::string text, const std::vector<std::pair<std::string, bool>>& pieces) {
  for (const auto& [piece, exact] : pieces) text = RemoveEvery(text, Gbk(piece), exact);
  return text;
}

std::string RemovedByRules(std::string text, const std::vector<Removal>& removals) {
  for (const Removal& removal : removals) text = RemoveEvery(text, removal.piece, removal.exactCase);
  return text;
}

std::string FirstCapture(const Text& pattern, const std::string& text) {
  const std::vector<std::string> all = ProgramCaptures(pattern, text);
  return all.empty() ? std::string() : all.front();
}

PageReading ReadEnginePage(const SourceRule& rules, const std::string& body) {
  const std::string page = Utf8ToGbkBytes(body);
  std::string stripped = page;
  for (const char* piece : {"<b>", "</b>", "\r\n", "此资源暂无描述。"}) stripped = RemoveEvery(stripped, Gbk(piece), false);
  const auto titles = ProgramCaptures(rules.titlePattern, stripped);
  const auto sizes = ProgramCaptures(rules.sizePattern, page);
  const auto links = ProgramCaptures(rules.linkPattern, page);
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
  const SourceTable table(ProgramHosts(hosts));
  const SourceRule& rules = RulesFor(table, source);
  if (source == kTazhao) return ReadEnginePage(rules, body);
  std::string page = body;
  if (source == kXun6 || source == kHotfile) page = Utf8ToGbkBytes(body);
  if (source != kTorrent) page = RemoveEvery(page, "http://" + SnapshotLabels(hosts), false);
  const TextArray pieces = SplitText(page, Gbk("咨询热线："));
  const std::string resultPart = pieces.size() > 1 ? pieces[1] : std::string();

  auto region = [&](PageRegion r) -> const std::string& { return r == PageRegion::kResultPart ? resultPart : page; };
  const auto titles = ProgramCaptures(rules.titlePattern, region(rules.titleRegion));
  const auto links = ProgramCaptures(rules.linkPattern, region(rules.linkRegion));
  const auto sizes = rules.sizePattern.empty() ? std::vector<std::string>(titles.size())
                                               : ProgramCaptures(rules.sizePattern, region(rules.sizeRegion));
  PageReading reading{titles.size(), links.size(), sizes.size(),
                      ToInteger(Removed(FirstCapture(rules.totalPattern, page), {{",", true}, {"约", true}})),
                      FirstCapture(Gbk("找不到(.*?)查询"), page) == Gbk("和您的"), {}};
  if (titles.size() != links.size() || titles.size() != sizes.size()) return reading;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    reading.rows.push_back({RemovedByRules(titles[i], rules.titleRemovals),
                            Removed(sizes[i], {{"<em>", false}, {"<\\em>", false}, {" |", false}}),
                            rules.linkPrefix + links[i]});
  }
  return reading;
}

}  // namespace panscout::demo::testing
