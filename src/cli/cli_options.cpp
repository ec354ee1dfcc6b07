#include "cli/cli_options.h"

#include <map>

#include "runtime/codepage.h"

namespace panscout {
namespace {

const std::map<std::string, int>& SourceNames() {
  static const std::map<std::string, int> names = {{"tazhao", 1},  {"115", 2},     {"namipan", 3},
                                                   {"xun6", 4},    {"rayfile", 5}, {"iask", 6},
                                                   {"hotfile", 7}};
  return names;
}

std::optional<int> PositiveNumber(const std::string& s) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stoi(s);
}

}  // namespace

const char* CliUsage() {
  return "usage: panscout-cli [--mode disk|torrent] [--source N|NAME] [--hosts FILE]\n"
         "                    [--max-pages N] [--timeout SECONDS] [--format tsv|json] [--] KEYWORD\n"
         "\n"
         "Runs the search of the Panscout window and prints every hit when it has ended.\n"
         "\n"
         "  --mode disk|torrent   net-disk search (default) or torrent search\n"
         "  --source N|NAME       tazhao 1, 115 2, namipan 3, xun6 4 (default), rayfile 5,\n"
         "                        iask 6, hotfile 7\n"
         "  --hosts FILE          service addresses from an INI file ([endpoints] tazhao,\n"
         "                        baidu, google, iask, announce; [sites] 115, namipan, xun6,\n"
         "                        rayfile, hotfile, torrent, snapshot; [links] blog)\n"
         "  --max-pages N         stop after N result pages\n"
         "  --timeout SECONDS     give up on a silent page after this long (default 90)\n"
         "  --format tsv|json     tsv: one hit per line, cells joined by tabs;\n"
         "                        json: objects with name, size (disk mode) and address\n"
         "\n"
         "Options may also follow the keyword; after \"--\" the keyword may begin with \"-\".\n"
         "Hits go to stdout in UTF-8; messages and the final status line go to stderr.\n"
         "Ctrl-C stops after the page being read; a second Ctrl-C quits at once.\n"
         "Exit status: 0 when a search ran, 2 for usage errors. See panscout-cli(1).\n";
}

CliParse ParseCliArguments(const std::vector<std::string>& args) {
  CliOptions o;
  std::optional<std::string> keyword;
  auto fail = [](std::string message) { return CliParse{std::nullopt, std::move(message)}; };
  bool optionsEnded = false;
  // Options may come before or after the keyword, as GNU tools take them; after
  // "--" everything is the keyword, so one may begin with "-".
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a.front() != '-') {
      if (keyword) return fail("exactly one keyword is expected");
      keyword = a;
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (a == "-h" || a == "--help") {
      o.help = true;
      return {o, {}};
    }
    bool takesValue = a == "--mode" || a == "--source" || a == "--hosts" || a == "--max-pages" ||
                      a == "--timeout" || a == "--format";
    if (!takesValue) return fail("unknown option " + a);
    if (i + 1 >= args.size()) return fail(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--mode") {
      if (v != "disk" && v != "torrent") return fail("--mode is disk or torrent");
      o.mode = v == "disk" ? 1 : 2;
    } else if (a == "--source") {
      auto named = SourceNames().find(v);
      auto number = PositiveNumber(v);
      if (named != SourceNames().end()) {
        o.source = named->second;
      } else if (number && *number >= 1 && *number <= 7) {
        o.source = *number;
      } else {
        return fail("--source is 1 to 7 or a source name");
      }
    } else if (a == "--hosts") {
      o.hostsFile = v;
    } else if (a == "--max-pages" || a == "--timeout") {
      auto number = PositiveNumber(v);
      if (!number || *number < 1) return fail(a + " takes a whole number of at least 1");
      (a == "--max-pages" ? o.maxPages : o.timeoutSeconds) = *number;
    } else {
      if (v != "tsv" && v != "json") return fail("--format is tsv or json");
      o.json = v == "json";
    }
  }
  if (!keyword) return fail("a keyword is expected");
  o.keyword = Utf8ToGbk(*keyword);
  if (GbkToUtf8(o.keyword) != *keyword) return fail("the keyword holds characters GBK cannot hold");
  return {o, {}};
}

}  // namespace panscout
