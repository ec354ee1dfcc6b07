#include "app/announcement_feed.h"

#include <memory>

#include "app/forwarding_ad_window.h"
#include "app/settings_file.h"
#include "net/cookie_store.h"
#include "net/page_fetch.h"
#include "net/qt_event_pump.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

void OfferUpdate(AdWindow& window, const Settings& settings) {
  TextArray update = SplitText(settings.Read(Gbk("更新"), Gbk("版本更新")), "|");
  // Without an address that can be opened there is nothing to offer.
  if (update.size() < 2 || update[0] != "1" || !IsWebAddress(update[1])) return;
  if (AskAndWait(window, Gbk("版本更新了，是否进行更新？"), Gbk("提醒"))) {
    OpenWithShell(window.Shell(), update[1]);
  }
}

}  // namespace

Download FeedDownload(std::shared_ptr<CookieStore> cookies, NetworkSettings network) {
  return [cookies = std::move(cookies), network = std::move(network)](const Text& url) {
    // Without an event dispatcher on the thread, the pump only waits for the worker.
    QtEventPump pump;
    return FetchPage(pump, *cookies, url, {.network = network}).body;
  };
}

Text AnnouncementUrl(const Hosts& hosts) { return EndpointAddress(hosts.announce) + "/ad.txt"; }

std::optional<Text> SettingsTextFromFeed(const Text& feed) {
  TextArray pieces = SplitText(feed, "qwe");
  if (pieces.size() < 2 || pieces[1].empty()) return std::nullopt;
  Text settings;
  for (const Text& line : SplitText(RemoveEvery(pieces[1], "<br>", false), "$")) settings += line + "\r\n";
  return CutToWholeCharacters(settings, kMaxSettingsTextBytes);
}

void RunAnnouncementFeed(AdWindow& window, AdCounters& counters, const TempDirectory& temp,
                         const FeedSetup& setup) {
  std::optional<Text> settingsText = SettingsTextFromFeed(ToText(setup.download(setup.url)));
  if (!settingsText) return;
  window.SetSettingsText(*settingsText);
  WriteFileAtomically(SettingsPath(temp), ToBytes(*settingsText));
  counters.settings = Settings(*settingsText);
  const Settings& settings = counters.settings;

  if (setup.popupAllowed) {
    Text popup = settings.Read(Gbk("弹窗"), Gbk("弹窗广告"));
    if (IsWebAddress(popup)) window.LoadPopup(popup);
  }
  OfferUpdate(window, settings);
  FillPictureCache(counters, temp, setup.download);

  counters.textCount = settings.ReadNumber(Gbk("总数"), Gbk("次数"));
  if (counters.textCount <= 0) return;
  window.SetTimerInterval(AdTimer::kTickerMove, kTickerMoveMs);
  window.SetTimerInterval(AdTimer::kNextPicture, kNextPictureMs);
  AdRotation(window, counters, temp).ReloadWebAd();
  window.SetTimerInterval(AdTimer::kWebReload, kWebReloadMs);
}

}  // namespace panscout
