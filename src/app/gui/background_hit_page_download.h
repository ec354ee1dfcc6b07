#pragma once

#include "net/cookie_store.h"
#include "net/event_pump.h"
#include "app/real_address.h"

namespace panscout {

// Downloads a hit page with the program's request engine and cookies, on a
// worker, while the GUI thread keeps dispatching; a time-out or a wait given
// up on counts as a failed download.
class BackgroundHitPageDownload : public HitPageDownload {
 public:
  BackgroundHitPageDownload(EventPump& pump, CookieStore& cookies, int timeoutSeconds = 90)
      : pump_(pump), cookies_(cookies), timeoutSeconds_(timeoutSeconds) {}
  Bytes Download(const Text& url, const std::function<bool()>& abandoned) override;

 private:
  EventPump& pump_;
  CookieStore& cookies_;
  int timeoutSeconds_;
};

}  // namespace panscout
