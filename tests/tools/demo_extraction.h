#pragma once
// The program's reading of result pages (patterns, removals, result part),
// written out here from the page formats the sources use, so that the demo's
// pages can be checked against it without the search code.

#include <string>
#include <vector>

#include "demo/demo_hosts.h"
#include "demo/result_pages.h"
#include "search/sources.h"

namespace panscout::demo::testing {

std::string Gbk(const std::string& utf8);

// Group 1 of every successive match of the pattern (UTF-8) in the GBK text.
std::vector<std::string> Captures(const std::string& pattern, const std::string& text);

// The program's definition of a demo source, with the demo's hosts.
SourceRule ProgramRules(const DemoHosts& hosts, int source);
// Group 1 of every successive match of one of its patterns (GBK).
std::vector<std::string> ProgramCaptures(const Text& pattern, const std::string& text);

// The rows one served page yields, in GBK; an empty list when the title, link
// and size counts disagree with each other.
struct PageReading {
  std::size_t titles = 0, links = 0, sizes = 0;
  int reportedTotal = 0;
  bool saysNoResults = false;
  std::vector<Hit> rows;
};

PageReading ReadPage(const DemoHosts& hosts, int source, const std::string& body);

}  // namespace panscout::demo::testing
