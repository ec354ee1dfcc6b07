#pragma once
// The one way the program waits: the calling thread keeps dispatching its
// events, so windows stay alive and handlers (nested waits among them) run,
// until the awaited thing is done, a quiet time-out passes, or the caller
// gives up.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace panscout {

class Completion;
class EventPump;

enum class WaitEnd { kDone, kTimedOut, kAbandoned, kNoThread };

// Waits through `pump` until `done` is signalled, `timeout` passes without it
// and without any event (the time counts from the last batch of dispatched
// events), or `abandoned` (when given) turns true after a dispatch.
WaitEnd WaitWhileDispatching(EventPump& pump, const std::shared_ptr<Completion>& done,
                             std::chrono::milliseconds timeout, const std::function<bool()>& abandoned = {});

// Runs `work` on a new thread and waits for it as above. Work that is not
// waited for is told to stop through its flag; it must keep what it touches
// alive itself. Whatever `work` throws ends it as finished.
WaitEnd RunOnWorker(EventPump& pump, std::function<void(const std::atomic<bool>& stop)> work,
                    std::chrono::milliseconds timeout, const std::function<bool()>& abandoned = {});

}  // namespace panscout
