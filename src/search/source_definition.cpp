#include "search/source_definition.h"

#include <toml++/toml.h>

#include <map>
#include <set>

#include "runtime/codepage.h"
#include "runtime/pattern.h"

namespace panscout {
namespace {

using Placeholders = std::map<std::string, Text>;

// Reads typed values out of the parsed file, noting every fault with its line.
class Reader {
 public:
  Reader(std::string file, std::vector<std::string>& errors) : file_(std::move(file)), errors_(errors) {}

  void Fail(const toml::node* at, const std::string& message) {
    int line = at ? static_cast<int>(at->source().begin.line) : 1;
    errors_.push_back(file_ + ":" + std::to_string(line ? line : 1) + ": " + message);
  }

  // Every key of `table` must be one of `known`.
  void OnlyKeys(const toml::table& table, const std::string& where, const std::set<std::string>& known) {
    for (const auto& [key, value] : table) {
      if (!known.count(std::string(key.str()))) Fail(&value, "unknown key " + where + std::string(key.str()));
    }
  }

  const toml::table* Table(const toml::table& parent, const std::string& key, bool required) {
    const toml::node* node = parent.get(key);
    if (!node) {
      if (required) Fail(&parent, "missing [" + key + "]");
      return nullptr;
    }
    if (!node->is_table()) Fail(node, key + " must be a table");
    return node->as_table();
  }

  std::optional<std::string> String(const toml::table& table, const std::string& key, bool required,
                                    const std::string& where = "") {
    const toml::node* node = table.get(key);
    if (!node) {
      if (required) Fail(&table, "missing key " + where + key);
      return std::nullopt;
    }
    if (!node->is_string()) {
      Fail(node, where + key + " must be a string");
      return std::nullopt;
    }
    return node->as_string()->get();
  }

  std::optional<bool> Bool(const toml::table& table, const std::string& key, const std::string& where = "") {
    const toml::node* node = table.get(key);
    if (!node) return std::nullopt;
    if (!node->is_boolean()) {
      Fail(node, where + key + " must be true or false");
      return std::nullopt;
    }
    return node->as_boolean()->get();
  }

  // "gbk" or "utf-8": true for UTF-8; `fallback` when the key is missing.
  bool Utf8Charset(const toml::table& table, const std::string& where, bool fallback) {
    std::optional<std::string> charset = String(table, "charset", false, where);
    if (!charset) return fallback;
    if (*charset != "gbk" && *charset != "utf-8") Fail(table.get("charset"), where + "charset must be \"gbk\" or \"utf-8\"");
    return *charset == "utf-8";
  }

  std::optional<int> Integer(const toml::table& table, const std::string& key, int low, int high) {
    const toml::node* node = table.get(key);
    if (!node) return std::nullopt;
    if (!node->is_integer() || node->as_integer()->get() < low || node->as_integer()->get() > high) {
      Fail(node, key + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high));
      return std::nullopt;
    }
    return static_cast<int>(node->as_integer()->get());
  }

  // The UTF-8 text as GBK, with its placeholders filled; `escape` fills them
  // as pattern text that matches them literally.
  Text Gbk(const toml::node* at, const std::string& key, const std::string& utf8, const Placeholders& allowed,
           bool escape = false) {
    Text out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      std::size_t close = utf8.find('}', i);
      bool placeholder = utf8[i] == '{' && close != std::string::npos && close > i + 1 &&
                         utf8.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ", i + 1) == close;
      if (!placeholder) {
        out += utf8[i];
        continue;
      }
      std::string name = utf8.substr(i + 1, close - i - 1);
      auto found = allowed.find(name);
      if (found == allowed.end()) {
        Fail(at, "unknown placeholder {" + name + "} in " + key);
      } else {
        out += escape ? EscapedForPattern(found->second) : found->second;
      }
      i = close;
    }
    Text gbk = Utf8ToGbk(out);
    if (GbkToUtf8(gbk) != out) Fail(at, key + " holds a character GBK cannot hold");
    return gbk;
  }

  Text GbkString(const toml::table& table, const std::string& key, bool required, const std::string& where,
                 const Placeholders& allowed = {}) {
    std::optional<std::string> value = String(table, key, required, where);
    return value ? Gbk(table.get(key), where + key, *value, allowed) : Text();
  }

  Text PatternString(const toml::table& table, const std::string& key, bool required, const std::string& where,
                     const Placeholders& allowed) {
    std::optional<std::string> value = String(table, key, required, where);
    if (!value) return {};
    Text pattern = Gbk(table.get(key), where + key, *value, allowed, true);
    Pattern compiled;
    if (!compiled.Compile(pattern)) Fail(table.get(key), where + key + " is not a pattern that compiles");
    return pattern;
  }

  // Strings, or tables { text = "...", exact = true }.
  std::vector<Removal> Removals(const toml::table& table, const std::string& key, const std::string& where,
                                const Placeholders& allowed) {
    std::vector<Removal> removals;
    const toml::node* node = table.get(key);
    if (!node) return removals;
    const toml::array* items = node->as_array();
    if (!items) {
      Fail(node, where + key + " must be a list");
      return removals;
    }
    for (const toml::node& item : *items) {
      if (item.is_string()) {
        removals.push_back({Gbk(&item, where + key, item.as_string()->get(), allowed), false});
      } else if (const toml::table* entry = item.as_table()) {
        OnlyKeys(*entry, where + key + ".", {"text", "exact"});
        Text piece = GbkString(*entry, "text", true, where + key + ".", allowed);
        removals.push_back({piece, Bool(*entry, "exact", where + key + ".").value_or(false)});
      } else {
        Fail(&item, where + key + " holds a string or { text = ..., exact = ... }");
      }
    }
    return removals;
  }

 private:
  std::string file_;
  std::vector<std::string>& errors_;
};

std::optional<StepKind> KindNamed(const std::string& name) {
  if (name == "engine") return StepKind::kEngine;
  if (name == "site") return StepKind::kSite;
  if (name == "torrent") return StepKind::kTorrent;
  return std::nullopt;
}

bool IsId(const std::string& id) {
  return !id.empty() && id.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_-") == std::string::npos;
}

// "http[s]://HOST[:PORT]" from an [endpoints] key or a written-out base.
std::optional<Text> Endpoint(const std::string& value, const Hosts& hosts) {
  if (value.find("://") != std::string::npos) return WebEndpoint(value);
  const Text* host = EndpointHost(hosts, value);
  if (!host) return std::nullopt;
  return EndpointAddress(*host);
}

// The path's pieces: literals between the keyword and page placeholders.
std::vector<QueryPiece> QueryPieces(const Text& path) {
  static const std::map<Text, QueryPart> parts = {{"{K}", QueryPart::kUtf8Keyword},
                                                  {"{G}", QueryPart::kGbkKeyword},
                                                  {"{N}", QueryPart::kOffset},
                                                  {"{P}", QueryPart::kPageNumber}};
  std::vector<QueryPiece> pieces;
  Text literal;
  for (std::size_t i = 0; i < path.size(); ++i) {
    auto part = parts.find(path.substr(i, 3));
    if (part == parts.end()) {
      literal += path[i];
      continue;
    }
    if (!literal.empty()) pieces.push_back({QueryPart::kLiteral, literal});
    literal.clear();
    pieces.push_back({part->second, {}});
    i += 2;
  }
  if (!literal.empty()) pieces.push_back({QueryPart::kLiteral, literal});
  return pieces;
}

class DefinitionReader {
 public:
  DefinitionReader(const std::string& file, const Hosts& hosts, bool builtIn, std::vector<std::string>& errors)
      : r_(file, errors), hosts_(hosts), builtIn_(builtIn) {
    rule_.file = file;
  }

  SourceRule Read(const toml::table& root) {
    r_.OnlyKeys(root, "", {"id", "caption", "kind", "number", "slot", "hidden", "demo", "query", "page", "title",
                           "link", "size", "real_address", "check"});
    ReadIdentity(root);
    const toml::table* query = r_.Table(root, "query", true);
    if (query) ReadQuery(*query);
    static const toml::table kNone;
    const toml::table* page = r_.Table(root, "page", false);
    ReadPage(page ? *page : kNone);
    rule_.title = ReadField(root, "title", true);
    rule_.link = ReadField(root, "link", true);
    rule_.size = ReadField(root, "size", rule_.step == StepKind::kEngine);
    if (rule_.step == StepKind::kTorrent && root.get("size")) r_.Fail(root.get("size"), "a torrent search reads no size");
    if (const toml::table* markers = r_.Table(root, "real_address", false)) ReadMarkers(*markers);
    rule_.check.utf8 = rule_.utf8;
    if (const toml::table* check = r_.Table(root, "check", false)) ReadCheck(*check);
    return rule_;
  }

 private:
  void ReadIdentity(const toml::table& root) {
    std::optional<std::string> id = r_.String(root, "id", true);
    if (id && !IsId(*id)) r_.Fail(root.get("id"), "id must be made of a-z, 0-9, _ and -");
    rule_.id = id.value_or("");
    rule_.caption = r_.GbkString(root, "caption", true, "");
    std::optional<std::string> kind = r_.String(root, "kind", true);
    if (kind && !KindNamed(*kind)) r_.Fail(root.get("kind"), "kind must be \"engine\", \"site\" or \"torrent\"");
    rule_.step = kind ? KindNamed(*kind).value_or(StepKind::kSite) : StepKind::kSite;
    if (root.get("number") && !builtIn_) r_.Fail(root.get("number"), "number is for the built-in sources");
    rule_.number = r_.Integer(root, "number", 0, kBuiltInSourceCount).value_or(-1);
    rule_.slot = r_.Integer(root, "slot", 0, 999).value_or(-1);
    rule_.hidden = r_.Bool(root, "hidden").value_or(false);
    rule_.demo = r_.String(root, "demo", false).value_or("");
  }

  void ReadQuery(const toml::table& query) {
    r_.OnlyKeys(query, "query.", {"endpoint", "path", "site"});
    if (std::optional<std::string> endpoint = r_.String(query, "endpoint", true, "query.")) {
      std::optional<Text> base = Endpoint(*endpoint, hosts_);
      if (!base) {
        r_.Fail(query.get("endpoint"), "query.endpoint \"" + *endpoint +
                                           "\" is neither an [endpoints] key of the hosts file nor an http:// or https:// address");
      }
      rule_.endpoint = base.value_or("");
      auto scheme = rule_.endpoint.find("://");
      endpointHost_ = scheme == Text::npos ? Text() : rule_.endpoint.substr(scheme + 3);
    }
    if (std::optional<std::string> site = r_.String(query, "site", false, "query.")) {
      const Text* host = SiteHost(hosts_, *site);
      if (!host && !IsHostAndPort(*site)) r_.Fail(query.get("site"), "query.site \"" + *site + "\" is no [sites] key or host");
      siteHost_ = host ? *host : Utf8ToGbk(*site);
    }
    Placeholders path = Hosted();
    for (const char* name : {"K", "G", "N", "P"}) path[name] = Text("{") + name + "}";
    rule_.query = QueryPieces(r_.GbkString(query, "path", true, "query.", path));
  }

  void ReadPage(const toml::table& page) {
    r_.OnlyKeys(page, "page.", {"charset", "viewer", "remove", "strip", "split", "no_result", "no_result_capture",
                                "total", "total_remove"});
    rule_.utf8 = r_.Utf8Charset(page, "page.", false);
    rule_.readThroughViewer = r_.Bool(page, "viewer", "page.").value_or(false);
    Placeholders removable = Hosted();
    removable["SNAPSHOT"] = hosts_.snapshot;
    rule_.pageRemovals = r_.Removals(page, "remove", "page.", removable);
    rule_.strip = r_.Removals(page, "strip", "page.", removable);
    if (page.get("split")) rule_.split = r_.GbkString(page, "split", true, "page.");
    rule_.noResultPattern = r_.PatternString(page, "no_result", false, "page.", Hosted());
    rule_.noResultCapture = r_.GbkString(page, "no_result_capture", false, "page.");
    if (!page.get("no_result") != !page.get("no_result_capture")) {
      r_.Fail(&page, "page.no_result and page.no_result_capture go together");
    }
    rule_.totalPattern = r_.PatternString(page, "total", rule_.step != StepKind::kEngine, "page.", Hosted());
    rule_.totalRemovals = r_.Removals(page, "total_remove", "page.", {});
  }

  FieldRule ReadField(const toml::table& root, const std::string& name, bool required) {
    FieldRule field;
    const toml::table* table = r_.Table(root, name, required);
    if (!table) return field;
    const std::string where = name + ".";
    r_.OnlyKeys(*table, where, {"pattern", "text", "remove", "prefix", "missing"});
    field.pattern = r_.PatternString(*table, "pattern", true, where, Hosted());
    std::string text = r_.String(*table, "text", false, where).value_or("page");
    if (text == "result") {
      field.region = PageRegion::kResultPart;
      if (!rule_.split) r_.Fail(table->get("text"), where + "text = \"result\" needs page.split");
    } else if (text == "stripped") {
      field.region = PageRegion::kStripped;
      if (rule_.step != StepKind::kEngine) r_.Fail(table->get("text"), where + "text = \"stripped\" is for the engine kind");
    } else if (text != "page") {
      r_.Fail(table->get("text"), where + "text must be \"page\", \"result\" or \"stripped\"");
    }
    field.removals = r_.Removals(*table, "remove", where, Hosted());
    field.prefix = r_.GbkString(*table, "prefix", false, where, Hosted());
    if (table->get("missing")) field.missing = r_.GbkString(*table, "missing", true, where);
    return field;
  }

  void ReadMarkers(const toml::table& markers) {
    r_.OnlyKeys(markers, "real_address.", {"result", "link", "end"});
    rule_.realAddress = RealAddressMarkers{r_.GbkString(markers, "result", false, "real_address."),
                                           r_.GbkString(markers, "link", true, "real_address."),
                                           r_.GbkString(markers, "end", true, "real_address.")};
  }

  void ReadCheck(const toml::table& check) {
    r_.OnlyKeys(check, "check.", {"dead", "locked", "alive", "charset"});
    rule_.check.dead = r_.PatternString(check, "dead", false, "check.", Hosted());
    rule_.check.locked = r_.PatternString(check, "locked", false, "check.", Hosted());
    rule_.check.alive = r_.PatternString(check, "alive", false, "check.", Hosted());
    rule_.check.utf8 = r_.Utf8Charset(check, "check.", rule_.utf8);
  }

  // {H} the site host, {E} the endpoint's host.
  Placeholders Hosted() const {
    Placeholders hosted{{"E", endpointHost_}};
    if (!siteHost_.empty()) hosted["H"] = siteHost_;
    return hosted;
  }

  Reader r_;
  const Hosts& hosts_;
  bool builtIn_;
  SourceRule rule_;
  Text endpointHost_, siteHost_;
};

}  // namespace

DefinitionRead ReadDefinition(std::string_view text, const std::string& file, const Hosts& hosts, bool builtIn) {
  DefinitionRead read;
  toml::table root;
  try {
    root = toml::parse(text, file);
  } catch (const toml::parse_error& error) {
    read.errors.push_back(file + ":" + std::to_string(error.source().begin.line) + ": " +
                          std::string(error.description()));
    return read;
  }
  SourceRule rule = DefinitionReader(file, hosts, builtIn, read.errors).Read(root);
  if (read.errors.empty()) read.source = std::move(rule);
  return read;
}

}  // namespace panscout
