#pragma once
// The window program's composition: the run's state, the page fetching, the
// start window with its viewer, the searches of one source and of all bound to
// the start button and the advertisements bound to the creation handler.

#include <memory>
#include <optional>

#include "app/gui/background_hit_page_download.h"
#include "app/gui/link_marks.h"
#include "app/gui/start_window.h"
#include "app/temp_directory.h"
#include "app/session.h"
#include "net/http_page_source.h"
#include "net/observed_page_source.h"
#include "net/qt_event_pump.h"
#include "search/source_catalog.h"

namespace panscout {

class AllSourcesSearch;
class SearchController;
class WebEngineViewer;

class DesktopProgram {
 public:
  // Without an advertisement directory the advertisements stay idle.
  // The built-in sources and the definitions in `sourceDirs`. Every request
  // goes by `network`; cookies are kept in `cookieFile` when one is given.
  // Link verdicts are kept in `linkCacheFile` when one is given.
  DesktopProgram(Hosts hosts, ShellOpener& shell, std::optional<TempDirectory> adDirectory,
                 const std::vector<std::filesystem::path>& sourceDirs = {}, NetworkSettings network = {},
                 std::filesystem::path cookieFile = {}, std::filesystem::path linkCacheFile = {});
  ~DesktopProgram();

  // Shows the start window and runs its creation handler.
  void Start();

  Session& session() { return session_; }
  // The definition files that were skipped, one line each.
  const std::vector<std::string>& sourceErrors() const { return catalog_.errors; }
  StartWindow& window() { return *window_; }

 private:
  SourceCatalog catalog_;
  Session session_;
  QtEventPump pump_;
  HttpPageSource http_;
  ObservedPageSource pages_;
  BackgroundHitPageDownload hitPages_{pump_, *session_.cookies, session_.network};
  LinkMarks links_{session_.results, *session_.cookies, session_.network, session_.links};
  std::unique_ptr<StartWindow> window_;
  WebEngineViewer* viewer_;  // owned by its view
  std::unique_ptr<SearchController> controller_;
  std::unique_ptr<AllSourcesSearch> allSources_;
};

}  // namespace panscout
