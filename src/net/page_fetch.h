#pragma once
// One HTTP exchange on a worker thread while the calling thread keeps
// dispatching its events. Every kind of failure gives the empty buffer, with
// a status that says which.

#include <functional>

#include "net/fetch_status.h"
#include "net/http_request.h"
#include "net/network_settings.h"
#include "runtime/text.h"

namespace panscout {

class EventPump;
class CookieStore;

constexpr int kDefaultFetchTimeoutSeconds = 90;

struct FetchOptions {
  Text method{}, proxy{}, userName{}, password{}, extraHeaders{}, postData{};
  int timeoutSeconds = 0;         // 0 or less: the default of 90 seconds
  // The worker ends an exchange whose server sends nothing for this long, even
  // while events keep the wait going; 0 or less: 90 seconds.
  int serverSilenceSeconds = 0;
  Text* headerTextOut = nullptr;  // receives the response header block
  NetworkSettings network{};      // the run's proxies and trusted authorities
  // Asked after each dispatch; true gives the exchange up as stopped.
  std::function<bool()> abandoned{};
};

// Returns the response body, or the empty buffer when the request failed or
// no event and no answer came for a whole time-out; and how it ended. The wait goes through
// `pump`, so handlers (and nested fetches) run meanwhile; the time-out counts
// from the last batch of dispatched events. A worker given up on is told to
// stop and its late answer is dropped.
Fetched FetchPage(EventPump& pump, CookieStore& cookies, const Text& url, const FetchOptions& options = {});

}  // namespace panscout
