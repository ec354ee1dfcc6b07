#pragma once
// The process-wide state of one run of the program, owned by whichever front
// end starts it and handed by reference to everything that needs it.

#include <filesystem>
#include <memory>

#include "app/link_cache.h"
#include "net/cookie_store.h"
#include "net/network_settings.h"
#include "results/result_list.h"
#include "search/hosts.h"
#include "search/search_state.h"
#include "search/sources.h"

namespace panscout {

// $XDG_DATA_HOME/panscout/cookies.txt, or under ~/.local/share.
std::filesystem::path UserCookieFile();

struct Session {
  // With a cookie file, the cookies kept there come in now and the
  // persistent ones go back when the session ends; so do the link verdicts
  // with a link cache file.
  Session(Hosts h, SourceTable s, NetworkSettings n = {}, std::filesystem::path cookieFile = {},
          std::filesystem::path linkCacheFile = {});
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Hosts hosts;
  SourceTable sources;
  NetworkSettings network;
  SearchState state;
  ResultList results;
  // Shared with the announcement thread, which nobody waits for.
  std::shared_ptr<CookieStore> cookies = std::make_shared<CookieStore>();
  Text realAddress;
  LinkCache links;

 private:
  std::filesystem::path cookieFile_, linkCacheFile_;
};

}  // namespace panscout
