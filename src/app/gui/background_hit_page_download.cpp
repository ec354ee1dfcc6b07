#include "app/gui/background_hit_page_download.h"

#include <memory>

#include "net/http_engine.h"
#include "net/worker_wait.h"

namespace panscout {

Bytes BackgroundHitPageDownload::Download(const Text& url, const std::function<bool()>& abandoned) {
  // The worker's own, so a late answer lands where nobody reads it.
  auto body = std::make_shared<Bytes>();
  WorkerWaitEnd end = RunOnWorker(
      pump_,
      [body, url, seconds = timeoutSeconds_,
       lease = std::make_shared<CookieStore::Lease>(cookies_)](const std::atomic<bool>& stop) {
        *body = RunPlainGet(url, lease->store(), &stop, seconds);
      },
      std::chrono::seconds(timeoutSeconds_), abandoned);
  return end == WorkerWaitEnd::kDone ? std::move(*body) : Bytes();
}

}  // namespace panscout
