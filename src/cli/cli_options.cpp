#include "cli/cli_options.h"

#include "runtime/codepage.h"

namespace panscout {
namespace {

std::optional<int> PositiveNumber(const std::string& s) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stoi(s);
}

}  // namespace

const char* CliUsage() {
  return "usage: panscout-cli [--mode disk|torrent] [--source ID|N[,...]|all] [--sources DIR]\n"
         "                    [--hosts FILE] [--max-pages N] [--timeout SECONDS] [--format tsv|json|jsonl]\n"
         "                    [--proxy URL|none] [--cacert FILE] [--verbose] [--page FILE]\n"
         "                    [--check-links] [--only-alive] [--recheck] [--] KEYWORD\n"
         "       panscout-cli [--sources DIR] --list-sources\n"
         "\n"
         "Runs the search of the Panscout window and prints every hit as soon as its page\n"
         "has been read.\n"
         "\n"
         "  --mode disk|torrent   net-disk search (default) or torrent search\n"
         "  --source ID|N         a source's id (see --list-sources), or a built-in's number:\n"
         "                        tazhao 1, 115 2, namipan 3, xun6 4 (default), rayfile 5,\n"
         "                        iask 6, hotfile 7; a torrent source implies --mode torrent.\n"
         "                        Several, joined by commas, or all (the window's shown\n"
         "                        source buttons; in torrent mode every torrent source) are\n"
         "                        searched at once, each as it would be alone\n"
         "  --sources DIR         also read the source definitions (*.toml) in DIR, besides\n"
         "                        those in $XDG_DATA_HOME/panscout/sources\n"
         "  --list-sources        print ID, caption and kind of every source, and exit\n"
         "  --page FILE           read the first result page from FILE instead of fetching\n"
         "                        it, and end the search after it: tests a definition\n"
         "  --hosts FILE          service addresses from an INI file ([endpoints] tazhao,\n"
         "                        baidu, google, iask, announce; [sites] 115, namipan, xun6,\n"
         "                        rayfile, hotfile, torrent, snapshot; [links] blog)\n"
         "  --max-pages N         stop after N result pages (of each source)\n"
         "  --timeout SECONDS     give up on a silent page after this long (default 90)\n"
         "  --proxy URL|none      the proxy for every request: http://, https://, socks5:// or\n"
         "                        socks5h://[USER:PASSWORD@]HOST[:PORT]; none for none. Without\n"
         "                        it: http_proxy, https_proxy, all_proxy (either case); no_proxy\n"
         "                        names hosts reached directly either way\n"
         "  --cacert FILE         trust the PEM certificates in FILE besides the system's (or\n"
         "                        those of $SSL_CERT_FILE); certificates are always checked\n"
         "  --verbose             print every request: GET URL -> 200, 12345 bytes, 34 ms\n"
         "  --format tsv|json|jsonl  tsv: one hit per line, cells joined by tabs;\n"
         "                        json: an array of objects with name, size (disk mode) and\n"
         "                        address; jsonl: one such object per line. With several\n"
         "                        sources, a first cell or a \"source\" key holds the source's id\n"
         "  --check-links         fetch each hit's address and add its verdict as a last cell\n"
         "                        or a \"status\" key: ok, dead, locked (needs an extraction\n"
         "                        code) or unknown (the reason goes to stderr). Four at once,\n"
         "                        two per server, 15 s each; hits keep their order. Verdicts\n"
         "                        are kept in $XDG_CACHE_HOME/panscout/links.tsv (ok 24 h,\n"
         "                        locked 12 h, dead 6 h) and not fetched again meanwhile\n"
         "  --only-alive          --check-links, leaving out the dead hits\n"
         "  --recheck             --check-links, fetching even what the cache holds\n"
         "\n"
         "Options may also follow the keyword; after \"--\" the keyword may begin with \"-\".\n"
         "Hits go to stdout in UTF-8; messages and the final status line go to stderr,\n"
         "after a line \"panscout-cli: URL: REASON\" for each request that failed.\n"
         "Ctrl-C stops after the page being read; a second Ctrl-C quits at once.\n"
         "With several sources, each source's end is a line \"ID: N hits, STATUS\", its\n"
         "messages are \"ID: TEXT\", and a last line gives the total and the duplicates\n"
         "dropped (hits whose address another source listed first).\n"
         "Exit status: 1 when every source ended with a network failure (状态：网络连接失败！),\n"
         "0 otherwise, 2 for usage errors. See panscout-cli(1).\n";
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
    if (a == "--list-sources" || a == "--verbose") {
      (a == "--verbose" ? o.verbose : o.listSources) = true;
      continue;
    }
    if (a == "--check-links" || a == "--only-alive" || a == "--recheck") {
      o.checkLinks = true;
      (a == "--only-alive" ? o.onlyAlive : a == "--recheck" ? o.recheck : o.checkLinks) = true;
      continue;
    }
    bool takesValue = a == "--mode" || a == "--source" || a == "--hosts" || a == "--max-pages" ||
                      a == "--timeout" || a == "--format" || a == "--sources" || a == "--page" ||
                      a == "--proxy" || a == "--cacert";
    if (!takesValue) return fail("unknown option " + a);
    if (i + 1 >= args.size()) return fail(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--mode") {
      if (v != "disk" && v != "torrent") return fail("--mode is disk or torrent");
      o.mode = v == "disk" ? 1 : 2;
      o.modeGiven = true;
    } else if (a == "--source") {
      o.source = v;
    } else if (a == "--hosts" || a == "--sources" || a == "--page" || a == "--proxy" || a == "--cacert") {
      (a == "--hosts" ? o.hostsFile : a == "--sources" ? o.sourcesDir : a == "--page" ? o.pageFile
       : a == "--proxy" ? o.proxy : o.caFile) = v;
    } else if (a == "--max-pages" || a == "--timeout") {
      auto number = PositiveNumber(v);
      if (!number || *number < 1) return fail(a + " takes a whole number of at least 1");
      (a == "--max-pages" ? o.maxPages : o.timeoutSeconds) = *number;
    } else {
      if (v != "tsv" && v != "json" && v != "jsonl") return fail("--format is tsv, json or jsonl");
      o.format = v == "tsv" ? RowFormat::kTsv : v == "json" ? RowFormat::kJson : RowFormat::kJsonLines;
    }
  }
  if (o.listSources) return {o, {}};
  if (!keyword) return fail("a keyword is expected");
  o.keyword = Utf8ToGbk(*keyword);
  if (GbkToUtf8(o.keyword) != *keyword) return fail("the keyword holds characters GBK cannot hold");
  return {o, {}};
}

}  // namespace panscout
