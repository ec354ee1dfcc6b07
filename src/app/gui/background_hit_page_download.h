#pragma once

#include "net/cookie_store.h"
#include "net/event_pump.h"
#include "net/network_settings.h"
#include "app/real_address.h"

namespace panscout {

// Downloads a hit page with the program's request engine, cookies and network
// settings, on a worker, while the GUI thread keeps dispatching; a time-out or
// a wait given up on counts as a failed download.
class BackgroundHitPageDownload : public HitPageDownload {
 public:
  BackgroundHitPageDownload(EventPump& pump, CookieStore& cookies, NetworkSettings network = {},
                            int timeoutSeconds = 90)
      : pump_(pump), cookies_(cookies), network_(std::move(network)), timeoutSeconds_(timeoutSeconds) {}
  Bytes Download(const Text& url, const std::function<bool()>& abandoned) override;

 private:
  EventPump& pump_;
  CookieStore& cookies_;
  NetworkSettings network_;
  int timeoutSeconds_;
};

}  // namespace panscout
