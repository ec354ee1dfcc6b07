#pragma once
// Work on a worker thread while the calling thread keeps dispatching its
// events, so windows stay alive and handlers (nested waits among them) run.

#include <atomic>
#include <chrono>
#include <functional>

namespace panscout {

class EventPump;

enum class WorkerWaitEnd { kDone, kTimedOut, kAbandoned, kNoThread };

// Runs `work` on a new thread and waits through `pump` until it has
// finished, `timeout` passes without it and without any event (the time
// counts from the last batch of dispatched events), or `abandoned` (when
// given) turns true after a dispatch. Work that is not waited for is told to
// stop through its flag; it must keep what it touches alive itself.
WorkerWaitEnd RunOnWorker(EventPump& pump, std::function<void(const std::atomic<bool>& stop)> work,
                          std::chrono::milliseconds timeout, const std::function<bool()>& abandoned = {});

}  // namespace panscout
