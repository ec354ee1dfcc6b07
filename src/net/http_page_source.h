#pragma once

#include <functional>

#include "net/network_settings.h"
#include "net/page_source.h"

namespace panscout {

class CookieStore;
class EventPump;

// Pages over HTTP, each fetched while `pump` dispatches events (see FetchPage).
class HttpPageSource : public PageSource {
 public:
  // A fetch under way when `abandoned` turns true ends as stopped.
  HttpPageSource(EventPump& pump, CookieStore& cookies, NetworkSettings network, int timeoutSeconds = 0,
                 std::function<bool()> abandoned = {});
  Fetched Fetch(const Text& url, Text* headerTextOut = nullptr) override;

 private:
  EventPump& pump_;
  CookieStore& cookies_;
  NetworkSettings network_;
  int timeoutSeconds_;
  std::function<bool()> abandoned_;
};

}  // namespace panscout
