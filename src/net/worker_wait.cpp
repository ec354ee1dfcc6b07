#include "net/worker_wait.h"

#include <system_error>
#include <thread>

#include "net/completion.h"
#include "net/event_pump.h"

namespace panscout {
namespace {

// Shared with the worker, which may outlive a wait that gave up on it.
struct WorkerRun {
  std::atomic<bool> stop{false};
  Completion done;
};

}  // namespace

WaitEnd WaitWhileDispatching(EventPump& pump, const std::shared_ptr<Completion>& done,
                             std::chrono::milliseconds timeout, const std::function<bool()>& abandoned) {
  EventPump::WaitResult result;
  do {
    result = pump.Wait(done, timeout);
    pump.DispatchPending();
    if (result == EventPump::WaitResult::kSignalled) return WaitEnd::kDone;
    if (abandoned && abandoned()) return WaitEnd::kAbandoned;
  } while (result == EventPump::WaitResult::kInput);
  return WaitEnd::kTimedOut;
}

WaitEnd RunOnWorker(EventPump& pump, std::function<void(const std::atomic<bool>& stop)> work,
                    std::chrono::milliseconds timeout, const std::function<bool()>& abandoned) {
  auto run = std::make_shared<WorkerRun>();
  try {
    std::thread([run, work = std::move(work)] {
      // Whatever the work throws (out of memory, say) ends it as a failure,
      // never the program.
      try {
        work(run->stop);
      } catch (...) {
      }
      run->done.Signal();
    }).detach();
  } catch (const std::system_error&) {
    return WaitEnd::kNoThread;
  }
  WaitEnd end = WaitWhileDispatching(pump, std::shared_ptr<Completion>(run, &run->done), timeout, abandoned);
  if (end != WaitEnd::kDone) run->stop = true;
  return end;
}

}  // namespace panscout
