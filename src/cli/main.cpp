// panscout-cli: the same search as the window, run from a terminal.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>

#include "app/multi_source_search.h"
#include "app/session.h"
#include "cli/checked_rows.h"
#include "cli/cli_options.h"
#include "cli/cli_report.h"
#include "cli/end_wait.h"
#include "cli/flushed_page_source.h"
#include "cli/saved_page_source.h"
#include "cli/source_pick.h"
#include "net/http_page_source.h"
#include "runtime/codepage.h"
#include "search/source_catalog.h"

namespace panscout {
namespace {

// Built-ins in source-number order, the torrent search, then the user's.
void ListSources(const SourceTable& sources) {
  static const char* const kKinds[] = {"engine", "site", "torrent"};
  for (const SourceRule& source : sources.All()) {
    std::printf("%s\t%s\t%s\n", source.id.c_str(), GbkToUtf8(source.caption).c_str(),
                kKinds[static_cast<int>(source.step)]);
  }
}

int Run(const CliOptions& options) {
  Hosts hosts = Hosts::Defaults();
  if (!options.hostsFile.empty()) {
    if (auto error = LoadHostsFile(options.hostsFile, hosts)) {
      std::fprintf(stderr, "panscout-cli: %s\n", error->c_str());
      return 2;
    }
  }
  std::vector<std::filesystem::path> sourceDirs{UserSourcesDirectory()};
  if (!options.sourcesDir.empty()) sourceDirs.push_back(options.sourcesDir);
  SourceCatalog catalog = LoadSources(hosts, sourceDirs);
  for (const std::string& error : catalog.errors) std::fprintf(stderr, "panscout-cli: %s\n", error.c_str());
  if (options.listSources) {
    ListSources(catalog.table);
    return 0;
  }
  SourcePick pick = PickSources(catalog.table, options.source, options.mode);
  if (!pick.error.empty()) {
    std::fprintf(stderr, "panscout-cli: %s\n", pick.error.c_str());
    return 2;
  }
  if (options.keyword.empty()) {
    std::fprintf(stderr, "%s\n", "关键字不能为空！");
    return 2;
  }
  if (!options.pageFile.empty() && pick.jobs.size() > 1) {
    std::fprintf(stderr, "panscout-cli: --page reads the page of one source\n");
    return 2;
  }

  NetworkSetup network = MakeNetworkSettings(options.proxy, options.caFile);
  if (!network.settings) {
    std::fprintf(stderr, "panscout-cli: %s\n", network.error.c_str());
    return 2;
  }

  Session session(hosts, catalog.table, *network.settings, UserCookieFile(),
                  options.checkLinks ? LinkCachePath() : std::filesystem::path());
  RowWriter rows(stdout, options.format, pick.several);
  auto makePages = [&](EventPump& pump, std::function<bool()> abandoned) -> std::unique_ptr<PageSource> {
    if (!options.pageFile.empty()) return std::make_unique<SavedPageSource>(options.pageFile);
    return std::make_unique<FlushedPageSource>(
        std::make_unique<HttpPageSource>(pump, *session.cookies, session.network, options.timeoutSeconds,
                                         std::move(abandoned)),
        rows);
  };
  // A saved page is the only page there is.
  const int maxPages = options.pageFile.empty() ? options.maxPages : 1;

  LinkCheckSettings checks;
  checks.recheck = options.recheck;
  std::optional<CheckedRows> checked;
  if (options.checkLinks) checked.emplace(rows, options.onlyAlive, *session.cookies, session.network, session.links, checks);
  EndWait ended;
  CliReport report(rows, {pick.several, options.verbose, static_cast<bool>(isatty(STDERR_FILENO))},
                   [&ended] { ended.End(); }, checked ? &*checked : nullptr);
  MultiSourceSearch search(session.sources, pick.jobs, options.keyword, maxPages, makePages, report);
  search.Start();
  ended.Wait([&search] { search.Stop(); });
  search.Wait();
  return report.ExitStatus();
}

}  // namespace
}  // namespace panscout

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  panscout::CliParse parsed = panscout::ParseCliArguments(args);
  if (!parsed.options) {
    std::fprintf(stderr, "panscout-cli: %s\nTry 'panscout-cli --help'.\n", parsed.error.c_str());
    return 2;
  }
  if (parsed.options->help) {
    std::fputs(panscout::CliUsage(), stdout);
    return 0;
  }
  int code = panscout::Run(*parsed.options);
  // Everything is written and saved: the teardown of the libraries is no use.
  std::fflush(nullptr);
  std::quick_exit(code);
}
