#pragma once
// Where the demo services listen, and the hosts file that points the program
// at them. Every value is "127.0.0.1:PORT", without scheme.

#include <string>
#include <string_view>

namespace panscout::demo {

struct DemoHosts {
  std::string tazhao, baidu, google, iask, announce;
  std::string site115, namipan, xun6, rayfile, hotfile, torrent;
};

// Baidu's snapshot links point back at the Baidu service itself, so the
// snapshot host labels the program strips are the Baidu host.
inline const std::string& SnapshotLabels(const DemoHosts& hosts) { return hosts.baidu; }

// The INI text of the hosts file (UTF-8, LF line ends).
std::string HostsFileText(const DemoHosts& hosts);

// Reads a hosts file text back; keys that are missing stay empty.
DemoHosts ParseHostsFile(std::string_view text);

}  // namespace panscout::demo
