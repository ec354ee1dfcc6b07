#include "app/gui/desktop_program.h"

#include "app/announcement_feed.h"
#include "app/gui/ad_widgets_qt.h"
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
  window_->SetStartStopHandler([this] { controller_->OnStartStopClick(); });

  StartWindow& w = *window_;
  Advertisements* ads = InstallAdvertisements(
      AdWidgets{w.ticker(), w.banner(), w.webAd(), w.popupHost(), w.settingsText(), w.timers(), &w,
                [&w] { return w.GrowthDown(); }},
      std::make_shared<AdCounters>(), shell, std::move(adDirectory));
  window_->SetHooks({[ads] { ads->ResetIndexes(); },
                     [this, ads, url = AnnouncementUrl(session_.hosts)](bool popupAllowed) {
                       ads->StartAnnouncementFeed(url, popupAllowed,
                                                  FeedDownload(session_.cookies, session_.network));
                     }});
}

DesktopProgram::~DesktopProgram() = default;

void DesktopProgram::Start() {
  window_->show();
  window_->OnStartWindowCreated();
}

}  // namespace panscout
