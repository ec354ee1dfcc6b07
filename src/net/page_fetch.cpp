#include "net/page_fetch.h"

#include <cstdint>
#include <memory>

#include "net/cookie_store.h"
#include "net/event_pump.h"
#include "net/handoff_record.h"
#include "net/http_engine.h"
#include "net/worker_wait.h"

namespace panscout {

Fetched FetchPage(EventPump& pump, CookieStore& cookies, const Text& url, const FetchOptions& options) {
  // Shared with the worker, which may finish with them after the fetch has returned.
  auto record = std::make_shared<HandOffRecord>();
  auto status = std::make_shared<FetchStatus>();
  WriteRequestShape(*record,
                    {url, options.method, options.proxy, options.userName, options.password,
                     options.extraHeaders, options.postData});
  double seconds = options.timeoutSeconds > 0 ? options.timeoutSeconds : kDefaultFetchTimeoutSeconds;
  // The worker gives up on a silent server by itself, so a window whose
  // timers keep the wait alive is not held by a dead exchange forever.
  const int silence =
      options.serverSilenceSeconds > 0 ? options.serverSilenceSeconds : kDefaultFetchTimeoutSeconds;
  // Whatever the engine throws (out of memory, say) ends the fetch as a failure.
  auto exchange = [record, status, silence, network = options.network](
                      CookieStore& store, const std::atomic<bool>& stop, int totalSeconds) {
    try {
      if (!RunHttpRequest(record.get(), store, &stop, silence, status.get(), network, totalSeconds)) {
        *status = {FetchStatus::kFailed, 0, 0, "the request could not be sent"};
      }
    } catch (...) {
      record->Clear();
      *status = {FetchStatus::kFailed, 0, 0, "the request engine failed"};
    }
  };
  WaitEnd end = WaitEnd::kDone;
  if (const std::atomic<bool>* ended = pump.WorkHereUntil()) {
    // No worker to give up on: the exchange keeps to the time-out itself.
    exchange(cookies, *ended, static_cast<int>(seconds));
    if (*ended && options.abandoned && options.abandoned()) end = WaitEnd::kAbandoned;
    // As when a wait runs out: what came before the time-out is no page.
    if (status->kind == FetchStatus::kTimedOut) end = WaitEnd::kTimedOut;
  } else {
    end = RunOnWorker(
        pump,
        [exchange, lease = std::make_shared<CookieStore::Lease>(cookies)](const std::atomic<bool>& stop) {
          exchange(lease->store(), stop, 0);
        },
        std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000)), options.abandoned);
  }
  if (options.headerTextOut) options.headerTextOut->clear();
  switch (end) {
    case WaitEnd::kDone: break;
    case WaitEnd::kTimedOut: return {{}, {FetchStatus::kTimedOut, 0, static_cast<int>(seconds), {}}};
    case WaitEnd::kAbandoned: return {{}, {FetchStatus::kStopped, 0, 0, {}}};
    case WaitEnd::kNoThread: return {{}, {FetchStatus::kFailed, 0, 0, "no thread for the request"}};
  }

  record->Rewind();
  Text marker = record->ReadText();
  Text headerText = record->ReadText();
  Bytes body = record->ReadBytes();
  if (marker != kResponseMarker) body = Bytes();
  if (options.headerTextOut) *options.headerTextOut = headerText;
  return {std::move(body), std::move(*status)};
}

}  // namespace panscout
