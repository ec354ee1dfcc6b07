#include "app/gui/desktop_program.h"

#include <algorithm>

#include "app/all_sources_search.h"
#include "app/announcement_feed.h"
#include "app/gui/ad_widgets_qt.h"
#include "app/gui/qt_text.h"
#include "app/gui/web_engine_viewer.h"
#include "runtime/codepage.h"
#include "search/search_controller.h"

namespace panscout {

DesktopProgram::DesktopProgram(Hosts hosts, ShellOpener& shell, std::optional<TempDirectory> adDirectory,
                               const std::vector<std::filesystem::path>& sourceDirs, NetworkSettings network,
                               std::filesystem::path cookieFile, std::filesystem::path linkCacheFile)
    : catalog_(LoadSources(hosts, sourceDirs)),
      session_(std::move(hosts), catalog_.table, std::move(network), std::move(cookieFile), std::move(linkCacheFile)),
      http_(pump_, *session_.cookies, session_.network),
      pages_(http_,
             [this](const Text& url, const Fetched& fetched, std::chrono::milliseconds) {
               window_->SetStatusReason(fetched.status.ok() ? QString()
                                                            : QString::fromStdString(GbkToUtf8(url) + ": " +
                                                                                     fetched.status.Reason()));
             }),
      window_(std::make_unique<StartWindow>(StartWindowServices{
          session_.state, session_.sources, session_.results, shell, hitPages_, session_.realAddress,
          session_.hosts.blog, links_})),
      viewer_(new WebEngineViewer(window_->automationViewer())),
      controller_(std::make_unique<SearchController>(
          SearchContext{session_.state, session_.results, *window_, pump_, pages_, *viewer_,
                        session_.sources})) {
  allSources_ = std::make_unique<AllSourcesSearch>(AllSourcesContext{
      session_.state, session_.sources, session_.results, *window_,
      [this](EventPump& pump, std::function<bool()> abandoned) -> std::unique_ptr<PageSource> {
        return std::make_unique<HttpPageSource>(pump, *session_.cookies, session_.network, 0, std::move(abandoned));
      },
      [w = window_.get()](std::function<void()> call) { QMetaObject::invokeMethod(w, std::move(call), Qt::QueuedConnection); },
      [w = window_.get()](const Text& lines) { w->SetStatusReason(ToQString(lines)); }});
  window_->SetStartStopHandler([this] {
    // A search of one source runs inside the click, so a click while it runs is its stop.
    const auto& steps = session_.state.steps;
    bool oneRunning = std::any_of(steps.begin(), steps.end(), [](const StepRun& s) { return s.running; });
    if (allSources_->HoldsButton() || (window_->AllSourcesChosen() && !oneRunning)) {
      allSources_->OnStartStopClick();
      return;
    }
    if (!oneRunning) {
      allSources_->Abort();
      session_.results.SetSourceColumn(false);
    }
    controller_->OnStartStopClick();
  });

  StartWindow& w = *window_;
  Advertisements* ads = InstallAdvertisements(
      AdWidgets{w.ticker(), w.banner(), w.webAd(), w.popupHost(), w.settingsText(), w.timers(), &w,
                [&w] { return w.GrowthDown(); }},
      std::make_shared<AdCounters>(), shell, std::move(adDirectory));
  window_->SetHooks({[ads] { ads->ResetIndexes(); },
                     [this, ads, url = AnnouncementUrl(session_.hosts)](bool popupAllowed) {
                       ads->StartAnnouncementFeed(url, popupAllowed,
                                                  FeedDownload(session_.cookies, session_.network));
                     },
                     [this] { allSources_->Abort(); }});
}

DesktopProgram::~DesktopProgram() = default;

void DesktopProgram::Start() {
  window_->show();
  window_->OnStartWindowCreated();
}

}  // namespace panscout
