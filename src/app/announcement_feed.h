#pragma once
// The remote announcement text, fetched once per run on its own thread: it
// becomes the settings file and starts the advertisements.

#include <memory>
#include <optional>

#include "app/ad_rotation.h"
#include "app/ad_window.h"
#include "app/temp_directory.h"
#include "net/cookie_store.h"
#include "net/network_settings.h"
#include "runtime/text.h"
#include "search/hosts.h"

namespace panscout {

Text AnnouncementUrl(const Hosts& hosts);

// A few kilobytes in practice; a broken or hostile feed is cut here.
constexpr std::size_t kMaxSettingsTextBytes = std::size_t{1} << 20;

// The settings file text a feed body carries: the piece after the first "qwe"
// (up to the next one), without "<br>" in any case, each "$" ending a CR LF
// line, cut to kMaxSettingsTextBytes. Nullopt when that piece is missing or empty.
std::optional<Text> SettingsTextFromFeed(const Text& feed);

// Downloads for the announcement thread: FetchPage with the default time-out,
// on a thread that has no window events to dispatch, with the run's cookies
// and network settings, held so that they cannot go with the window.
Download FeedDownload(std::shared_ptr<CookieStore> cookies, NetworkSettings network);

struct FeedSetup {
  Text url;
  bool popupAllowed = false;  // the user's answer at start-up
  Download download;
};

// Writes the settings file, loads the pop-up page if allowed, offers the
// update, fills the picture cache and, when there are text advertisements,
// starts the rotations. Does nothing when the feed yields no settings.
void RunAnnouncementFeed(AdWindow& window, AdCounters& counters, const TempDirectory& temp,
                         const FeedSetup& setup);

}  // namespace panscout
