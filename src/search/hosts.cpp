#include "search/hosts.h"

#include <cctype>
#include <fstream>
#include <map>

#include "runtime/codepage.h"

namespace panscout {
namespace {

std::string Trim(const std::string& s) {
  auto begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  auto end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

// An inline comment starts at a ';' or '#' that follows white space.
std::string StripComment(const std::string& line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    bool marker = line[i] == ';' || line[i] == '#';
    if (marker && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
  }
  return line;
}

using KeyTable = std::map<std::string, Text Hosts::*, std::less<>>;

const std::map<std::string, KeyTable>& Sections() {
  static const std::map<std::string, KeyTable> sections = {
      {"endpoints",
       {{"tazhao", &Hosts::tazhao},
        {"baidu", &Hosts::baidu},
        {"google", &Hosts::google},
        {"iask", &Hosts::iask},
        {"announce", &Hosts::announce}}},
      {"sites",
       {{"115", &Hosts::site115},
        {"namipan", &Hosts::namipan},
        {"xun6", &Hosts::xun6},
        {"rayfile", &Hosts::rayfile},
        {"hotfile", &Hosts::hotfile},
        {"torrent", &Hosts::torrent},
        {"snapshot", &Hosts::snapshot}}},
      {"links", {{"blog", &Hosts::blog}}},
  };
  return sections;
}

const Text* LookUp(const Hosts& hosts, const char* section, std::string_view key) {
  const KeyTable& keys = Sections().at(section);
  auto found = keys.find(key);
  return found == keys.end() ? nullptr : &(hosts.*(found->second));
}

}  // namespace

bool IsHostAndPort(std::string_view value) {
  std::size_t end = 0;
  if (!value.empty() && value[0] == '[') {
    end = value.find(']');
    if (end == std::string::npos || end == 1 ||
        value.find_first_not_of("0123456789abcdefABCDEF:.", 1) != end) {
      return false;
    }
    ++end;
  } else {
    auto hostChar = [](unsigned char c) { return std::isalnum(c) || c == '.' || c == '-' || c == '_' || c >= 0x80; };
    while (end < value.size() && hostChar(static_cast<unsigned char>(value[end]))) ++end;
    if (end == 0) return false;
  }
  if (end == value.size()) return true;
  std::string port(value.substr(end + 1));
  return value[end] == ':' && !port.empty() && port.size() <= 5 &&
         port.find_first_not_of("0123456789") == std::string::npos && std::stoi(port) <= 65535;
}


std::optional<Text> WebEndpoint(std::string_view value) {
  std::string_view scheme = "http://";
  if (value.starts_with("https://")) scheme = "https://";
  if (value.starts_with(scheme)) value.remove_prefix(scheme.size());
  if (value.ends_with('/')) value.remove_suffix(1);
  if (value.find("://") != std::string_view::npos || !IsHostAndPort(value)) return std::nullopt;
  return std::string(scheme) + Utf8ToGbk(std::string(value));
}

Text EndpointAddress(const Text& endpoint) {
  return endpoint.starts_with("https://") ? endpoint : "http://" + endpoint;
}

const Text* EndpointHost(const Hosts& hosts, std::string_view key) { return LookUp(hosts, "endpoints", key); }

const Text* SiteHost(const Hosts& hosts, std::string_view key) { return LookUp(hosts, "sites", key); }

Hosts Hosts::Defaults() {
  Hosts h;
  h.tazhao = "www.tazhao.com";
  h.baidu = "www.baidu.com";
  h.google = "www.google.com.hk";
  h.iask = "ishare.iask.sina.com.cn";
  h.announce = "announce.panscout.example";
  h.site115 = "u.115.com";
  h.namipan = "www.namipan.com";
  h.xun6 = "www.xun6.com";
  h.rayfile = "www.rayfile.com";
  h.hotfile = "hotfile.com";
  h.torrent = "www.btchina.net";
  h.snapshot = "cache.baidu";
  h.blog = "http://blog.panscout.example/";
  return h;
}

std::optional<std::string> LoadHostsFile(const std::string& path, Hosts& hosts) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return path + ": cannot be read";
  Hosts loaded = hosts;
  const KeyTable* section = nullptr;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    auto where = [&](const std::string& what) {
      return path + ":" + std::to_string(number) + ": " + what;
    };
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    std::string content = Trim(StripComment(line));
    if (content.empty()) continue;
    if (content.front() == '[') {
      if (content.back() != ']') return where("unterminated section name");
      auto found = Sections().find(Trim(content.substr(1, content.size() - 2)));
      if (found == Sections().end()) return where("unknown section " + content);
      section = &found->second;
      continue;
    }
    auto equals = content.find('=');
    if (equals == std::string::npos) return where("expected key=value");
    if (!section) return where("key outside a section");
    std::string key = Trim(content.substr(0, equals));
    std::string value = Trim(content.substr(equals + 1));
    auto field = section->find(key);
    if (field == section->end()) return where("unknown key " + key);
    if (value.empty()) return where("empty value for " + key);
    // Hosts go into addresses and patterns; only [links] holds whole
    // addresses, and an endpoint may say it speaks https (http goes unsaid).
    if (section == &Sections().at("endpoints")) {
      std::optional<Text> endpoint = value.starts_with("http://") ? std::nullopt : WebEndpoint(value);
      if (!endpoint) return where(key + " = " + value + " is not [https://]HOST[:PORT]");
      loaded.*(field->second) = endpoint->starts_with("https://") ? *endpoint : endpoint->substr(7);
      continue;
    }
    if (section != &Sections().at("links") && !IsHostAndPort(value)) {
      return where(key + " = " + value + " is not HOST[:PORT]");
    }
    loaded.*(field->second) = Utf8ToGbk(value);
  }
  hosts = loaded;
  return std::nullopt;
}

}  // namespace panscout
