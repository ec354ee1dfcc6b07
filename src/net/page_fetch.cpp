#include "net/page_fetch.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <system_error>
#include <thread>

#include "net/completion.h"
#include "net/cookie_store.h"
#include "net/event_pump.h"
#include "net/handoff_record.h"
#include "net/http_engine.h"

namespace panscout {
namespace {

// What the worker touches. It is shared, so a worker given up on can finish
// with it after the fetch has returned.
struct Exchange {
  HandOffRecord record;
  std::atomic<bool> stop{false};
  Completion done;
};

}  // namespace

Bytes FetchPage(EventPump& pump, CookieStore& cookies, const Text& url,
                const FetchOptions& options) {
  auto giveUp = [&options] {
    if (options.headerTextOut) options.headerTextOut->clear();
    return Bytes();
  };
  auto exchange = std::make_shared<Exchange>();
  WriteRequestShape(exchange->record,
                    {url, options.method, options.proxy, options.userName, options.password,
                     options.extraHeaders, options.postData});
  double seconds = options.timeoutSeconds > 0 ? options.timeoutSeconds : kDefaultFetchTimeoutSeconds;
  // The worker gives up on a silent server by itself, so a window whose
  // timers keep the wait alive is not held by a dead exchange forever.
  const int silence =
      options.serverSilenceSeconds > 0 ? options.serverSilenceSeconds : kDefaultFetchTimeoutSeconds;
  try {
    std::thread([exchange, silence, lease = CookieStore::Lease(cookies)] {
      // An exception (out of memory, say) ends the exchange as a failed one.
      try {
        RunHttpRequest(&exchange->record, lease.store(), &exchange->stop, silence);
      } catch (...) {
        exchange->record.Clear();
      }
      exchange->done.Signal();
    }).detach();
  } catch (const std::system_error&) {
    return giveUp();
  }

  std::chrono::milliseconds timeout(static_cast<std::int64_t>(seconds * 1000));
  std::shared_ptr<Completion> done(exchange, &exchange->done);
  EventPump::WaitResult result;
  do {
    result = pump.Wait(done, timeout);
    pump.DispatchPending();
  } while (result == EventPump::WaitResult::kInput);
  if (result != EventPump::WaitResult::kSignalled) {
    exchange->stop = true;
    return giveUp();
  }

  HandOffRecord& record = exchange->record;
  record.Rewind();
  Text marker = record.ReadText();
  Text headerText = record.ReadText();
  Bytes body = record.ReadBytes();
  if (marker != kResponseMarker) body = Bytes();
  if (options.headerTextOut) *options.headerTextOut = headerText;
  return body;
}

}  // namespace panscout
