#pragma once
// Where the outside services live. Built-in defaults, overridable by a hosts
// file so the program can be pointed at local demo services.

#include <optional>
#include <string>
#include <string_view>

#include "runtime/text.h"

namespace panscout {

struct Hosts {
  // HOST[:PORT], spoken to over http, or "https://" and HOST[:PORT].
  Text tazhao, baidu, google, iask, announce;
  // HOST[:PORT], without scheme.
  Text site115, namipan, xun6, rayfile, hotfile, torrent;
  // Leading labels of the snapshot host, removed with the "http://" before them.
  Text snapshot;
  Text blog;  // a whole address

  static Hosts Defaults();
};

// HOST[:PORT]: a name (UTF-8 letters allowed) or an IPv6 literal in brackets.
bool IsHostAndPort(std::string_view value);

// "http://" or "https://" and HOST[:PORT]: the scheme it names, http when
// none, then the host; nullopt when the rest is not HOST[:PORT] or the
// scheme is another one. A "/" at the end is dropped.
std::optional<Text> WebEndpoint(std::string_view value);
// The address of an endpoint of Hosts: its scheme, http when none, and host.
Text EndpointAddress(const Text& endpoint);

// The host of an [endpoints] or a [sites] key of the hosts file; nullptr for
// a key the file does not know.
const Text* EndpointHost(const Hosts& hosts, std::string_view key);
const Text* SiteHost(const Hosts& hosts, std::string_view key);

// Reads a UTF-8 hosts file over `hosts`; a missing key keeps its value.
// Returns an error naming the file and line, or nullopt on success.
std::optional<std::string> LoadHostsFile(const std::string& path, Hosts& hosts);

}  // namespace panscout
