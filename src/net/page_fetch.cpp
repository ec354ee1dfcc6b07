#include "net/page_fetch.h"

#include <cstdint>
#include <memory>

#include "net/cookie_store.h"
#include "net/handoff_record.h"
#include "net/http_engine.h"
#include "net/worker_wait.h"

namespace panscout {

Bytes FetchPage(EventPump& pump, CookieStore& cookies, const Text& url,
                const FetchOptions& options) {
  // Shared with the worker, which may finish with it after the fetch has returned.
  auto record = std::make_shared<HandOffRecord>();
  WriteRequestShape(*record,
                    {url, options.method, options.proxy, options.userName, options.password,
                     options.extraHeaders, options.postData});
  double seconds = options.timeoutSeconds > 0 ? options.timeoutSeconds : kDefaultFetchTimeoutSeconds;
  // The worker gives up on a silent server by itself, so a window whose
  // timers keep the wait alive is not held by a dead exchange forever.
  const int silence =
      options.serverSilenceSeconds > 0 ? options.serverSilenceSeconds : kDefaultFetchTimeoutSeconds;
  WorkerWaitEnd end = RunOnWorker(
      pump,
      [record, silence, lease = std::make_shared<CookieStore::Lease>(cookies)](const std::atomic<bool>& stop) {
        try {
          RunHttpRequest(record.get(), lease->store(), &stop, silence);
        } catch (...) {
          record->Clear();
          throw;
        }
      },
      std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000)));
  if (end != WorkerWaitEnd::kDone) {
    if (options.headerTextOut) options.headerTextOut->clear();
    return Bytes();
  }

  record->Rewind();
  Text marker = record->ReadText();
  Text headerText = record->ReadText();
  Bytes body = record->ReadBytes();
  if (marker != kResponseMarker) body = Bytes();
  if (options.headerTextOut) *options.headerTextOut = headerText;
  return body;
}

}  // namespace panscout
