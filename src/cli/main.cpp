// panscout-cli: the same search as the window, run from a terminal.

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "app/result_export.h"
#include "app/session.h"
#include "browser/fetching_viewer.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/interrupt_notifier.h"
#include "cli/saved_page_source.h"
#include "cli/terminal_window.h"
#include "net/http_page_source.h"
#include "net/observed_page_source.h"
#include "net/qt_event_pump.h"
#include "runtime/codepage.h"
#include "search/search_controller.h"
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

int Run(QCoreApplication& app, const CliOptions& options) {
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
  const SourceRule* chosen = catalog.table.Named(options.source);
  if (!chosen) {
    std::fprintf(stderr, "panscout-cli: no source %s (see --list-sources)\n", options.source.c_str());
    return 2;
  }
  if (options.keyword.empty()) {
    std::fprintf(stderr, "%s\n", "关键字不能为空！");
    return 2;
  }
  const bool torrent = chosen->step == StepKind::kTorrent || options.mode == kTorrentMode;

  NetworkSetup network = MakeNetworkSettings(options.proxy, options.caFile);
  if (!network.settings) {
    std::fprintf(stderr, "panscout-cli: %s\n", network.error.c_str());
    return 2;
  }

  Session session(hosts, catalog.table, *network.settings, UserCookieFile());
  QtEventPump pump;
  TerminalWindow window(options.keyword);
  HttpPageSource http(pump, *session.cookies, session.network, options.timeoutSeconds);
  SavedPageSource saved(options.pageFile);
  PageSource& source = options.pageFile.empty() ? static_cast<PageSource&>(http) : saved;
  // A saved page is the only page there is.
  const int maxPages = options.pageFile.empty() ? options.maxPages : 1;
  std::unique_ptr<SearchController> controller;
  const bool progress = isatty(STDERR_FILENO);
  int page = 0;
  // Each page is reported while the search is still reading it (where --max-pages presses stop).
  ObservedPageSource pages(source, [&](const Text& url, const Fetched& fetched, std::chrono::milliseconds took) {
    ++page;
    if (options.verbose) std::fprintf(stderr, "%s\n", RequestLine(url, fetched, took).c_str());
    if (!fetched.status.ok()) std::fprintf(stderr, "%s\n", FailureLine(url, fetched.status).c_str());
    if (progress) std::fprintf(stderr, "page %d, %d rows so far\n", page, session.results.RowCount());
    if (maxPages > 0 && page == maxPages && window.Searching()) controller->OnStartStopClick();
  });
  FetchingViewer viewer(pages);
  controller = std::make_unique<SearchController>(SearchContext{
      session.state, session.results, window, pump, pages, viewer, session.sources});

  session.state.searchMode = kNetDiskMode;
  ApplyModeLayout(session.state, session.results, torrent ? kTorrentMode : kNetDiskMode);
  session.state.sourceNumber = chosen->number;

  InterruptNotifier interrupts;
  QObject::connect(&interrupts, &InterruptNotifier::interrupted, [&] {
    if (window.Searching()) controller->OnStartStopClick();
  });
  QTimer::singleShot(0, [&] {
    controller->OnStartStopClick();
    app.quit();
  });
  app.exec();

  std::string rows = options.json ? FormatRowsJson(session.results)
                                  : FormatRowsTsv(session.results);
  std::fwrite(rows.data(), 1, rows.size(), stdout);
  std::fprintf(stderr, "%s\n", GbkToUtf8(session.results.Status()).c_str());
  return session.results.Status() == Gbk("状态：网络连接失败！") ? 1 : 0;
}

}  // namespace
}  // namespace panscout

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
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
  return panscout::Run(app, *parsed.options);
}
