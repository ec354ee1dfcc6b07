#include "app/gui/background_hit_page_download.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "app/gui/dispatching_wait.h"
#include "results/hit_page_fetch.h"

namespace panscout {

namespace {
// Shared with the worker, which may outlive a wait that timed out.
struct Handoff {
  std::mutex mutex;
  Bytes body;
  std::atomic<bool> done{false};
};
}  // namespace

Bytes BackgroundHitPageDownload::Download(const Text& url) {
  auto handoff = std::make_shared<Handoff>();
  // The worker's own limit ends it soon after a wait gives up.
  std::thread([handoff, url, seconds = timeoutSeconds_] {
    Bytes body = FetchHitPage(url, seconds);
    std::lock_guard lock(handoff->mutex);
    handoff->body = std::move(body);
    handoff->done = true;
  }).detach();
  if (!WaitDispatching([&] { return handoff->done.load(); }, std::chrono::seconds(timeoutSeconds_))) {
    return {};
  }
  std::lock_guard lock(handoff->mutex);
  return std::move(handoff->body);
}

}  // namespace panscout
