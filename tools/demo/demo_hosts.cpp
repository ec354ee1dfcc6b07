#include "demo_hosts.h"

#include <array>

namespace panscout::demo {
namespace {

struct Entry {
  const char* section;
  const char* key;
  std::string DemoHosts::*field;
};

constexpr std::array<Entry, 11> kEntries{{
    {"endpoints", "tazhao", &DemoHosts::tazhao},
    {"endpoints", "baidu", &DemoHosts::baidu},
    {"endpoints", "google", &DemoHosts::google},
    {"endpoints", "iask", &DemoHosts::iask},
    {"endpoints", "announce", &DemoHosts::announce},
    {"sites", "115", &DemoHosts::site115},
    {"sites", "namipan", &DemoHosts::namipan},
    {"sites", "xun6", &DemoHosts::xun6},
    {"sites", "rayfile", &DemoHosts::rayfile},
    {"sites", "hotfile", &DemoHosts::hotfile},
    {"sites", "torrent", &DemoHosts::torrent},
}};

}  // namespace

std::string HostsFileText(const DemoHosts& hosts) {
  std::string text;
  std::string section;
  for (const Entry& entry : kEntries) {
    if (section != entry.section) {
      section = entry.section;
      text += "[" + section + "]\n";
    }
    text += std::string(entry.key) + "=" + hosts.*entry.field + "\n";
  }
  text += "snapshot=" + SnapshotLabels(hosts) + "\n";
  text += "[links]\nblog=http://" + hosts.announce + "/blog.html\n";
  return text;
}

DemoHosts ParseHostsFile(std::string_view text) {
  DemoHosts hosts;
  std::string section;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    for (const Entry& entry : kEntries) {
      if (section == entry.section && line.substr(0, eq) == entry.key) {
        hosts.*entry.field = std::string(line.substr(eq + 1));
      }
    }
  }
  return hosts;
}

}  // namespace panscout::demo
