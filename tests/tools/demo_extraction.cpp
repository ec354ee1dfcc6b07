#include "demo_extraction.h"

#include <boost/regex.hpp>

#include <map>
#include <stdexcept>

#include "demo/demo_codepage.h"
#include "runtime/text.h"
#include "search/hosts.h"
#include "search/source_catalog.h"

namespace panscout::demo::testing {
namespace {

// The program's own rules for a demo source, with the demo's hosts.
// The definition that the demo service of `source` plays, found by its demo key.
const SourceRule& RulesFor(const SourceTable& table, int source) {
  static const std::map<int, std::string> kDemoKeys = {
      {kTazhao, "tazhao"}, {k115, "site115"}, {kNamipan, "namipan"}, {kXun6, "xun6"},
      {kRayFile, "rayfile"}, {kIAsk, "iask"},  {kHotfile, "hotfile"}, {kTorrent, "torrent"}};
  const std::string& key = kDemoKeys.at(source);
  for (const SourceRule& rule : table.All()) {
    if (rule.demo == key) return rule;
  }
  throw std::out_of_range("no definition is played by the demo's " + key);
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

std::string Removed(std::string text, const std::vector<Removal>& removals) {
  for (const Removal& removal : removals) text = RemoveEvery(text, removal.piece, removal.exactCase);
  return text;
}

std::string FirstCapture(const Text& pattern, const std::string& text) {
  if (pattern.empty()) return {};
  const std::vector<std::string> all = ProgramCaptures(pattern, text);
  return all.empty() ? std::string() : all.front();
}

}  // namespace

std::string Gbk(const std::string& utf8) { return Utf8ToGbkBytes(utf8); }

std::vector<std::string> ProgramCaptures(const Text& pattern, const std::string& text) {
  const boost::regex regex(pattern, boost::regex::perl);
  std::vector<std::string> captures;
  for (boost::sregex_iterator it(text.begin(), text.end(), regex), end; it != end; ++it) {
    captures.push_back((*it)[1].str());
  }
  return captures;
}

SourceRule ProgramRules(const DemoHosts& hosts, int source) {
  return RulesFor(LoadSources(ProgramHosts(hosts), {}).table, source);
}

std::vector<std::string> Captures(const std::string& pattern, const std::string& text) {
  const boost::regex regex(Gbk(pattern), boost::regex::perl);
  std::vector<std::string> captures;
  for (boost::sregex_iterator it(text.begin(), text.end(), regex), end; it != end; ++it) {
    captures.push_back((*it)[1].str());
  }
  return captures;
}

PageReading ReadPage(const DemoHosts& hosts, int source, const std::string& body) {
  const SourceRule rules = ProgramRules(hosts, source);
  // The demo serves its viewer pages in UTF-8.
  const std::string page = Removed(rules.utf8 || rules.readThroughViewer ? Utf8ToGbkBytes(body) : body, rules.pageRemovals);
  const std::string stripped = Removed(page, rules.strip);
  const TextArray pieces = rules.split ? SplitText(page, *rules.split) : TextArray();
  const std::string resultPart = pieces.size() > 1 ? pieces[1] : std::string();
  auto region = [&](PageRegion r) -> const std::string& {
    return r == PageRegion::kResultPart ? resultPart : r == PageRegion::kStripped ? stripped : page;
  };
  auto captures = [&](const FieldRule& field) {
    return field.pattern.empty() ? std::vector<std::string>() : ProgramCaptures(field.pattern, region(field.region));
  };
  const auto titles = captures(rules.title), links = captures(rules.link);
  const auto sizes = rules.size.pattern.empty() ? std::vector<std::string>(titles.size()) : captures(rules.size);
  PageReading reading{titles.size(), links.size(), sizes.size(),
                      ToInteger(Removed(FirstCapture(rules.totalPattern, page), rules.totalRemovals)),
                      !rules.noResultPattern.empty() && FirstCapture(rules.noResultPattern, page) == rules.noResultCapture,
                      {}};
  if (titles.size() != links.size() || titles.size() != sizes.size()) return reading;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    reading.rows.push_back({Removed(titles[i], rules.title.removals), Removed(sizes[i], rules.size.removals),
                            rules.link.prefix + links[i]});
  }
  return reading;
}

}  // namespace panscout::demo::testing
