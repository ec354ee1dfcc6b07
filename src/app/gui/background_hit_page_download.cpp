#include "app/gui/background_hit_page_download.h"

#include <memory>

#include "net/http_engine.h"
#include "net/worker_wait.h"

namespace panscout {

Bytes BackgroundHitPageDownload::Download(const Text& url, const std::function<bool()>& abandoned) {
  // The worker's own, so a late answer lands where nobody reads it.
  auto fetched = std::make_shared<Fetched>();
  WaitEnd end = RunOnWorker(
      pump_,
      [fetched, url, seconds = timeoutSeconds_, network = network_,
       lease = std::make_shared<CookieStore::Lease>(cookies_)](const std::atomic<bool>& stop) {
        *fetched = RunPlainGet(url, lease->store(), &stop, seconds, network);
      },
      std::chrono::seconds(timeoutSeconds_), abandoned);
  return end == WaitEnd::kDone ? std::move(fetched->body) : Bytes();
}

}  // namespace panscout
