#pragma once
// An event pump for tests. "Input events" are callbacks the test posts, each
// falling due after a chosen delay; a test can so run code, a nested fetch for
// instance, at the exact point where a waiting thread dispatches.
//
// Wait sleeps until the completion is signalled (kSignalled, which wins), an
// event falls due (kInput) or the time-out passes (kTimeout); it dispatches
// nothing. DispatchPending runs the due events in order, also those that fall
// due while it runs, and stops at a due quit request, which stays queued like
// a quit message waiting for the outer loop. Posting is thread-safe and
// allowed from inside an event.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "net/event_pump.h"

namespace panscout {

class ScriptedEventPump final : public EventPump {
 public:
  using Clock = std::chrono::steady_clock;

  void Post(std::function<void()> event, std::chrono::milliseconds delay = {});
  void PostQuit(std::chrono::milliseconds delay = {});
  bool QuitPending() const;
  // How many events have run.
  int Dispatched() const;

  WaitResult Wait(const std::shared_ptr<Completion>& done,
                  std::chrono::milliseconds timeout) override;
  void DispatchPending() override;

 private:
  struct Event {
    Clock::time_point due;
    std::function<void()> run;  // empty for a quit request
  };

  void Enqueue(Event event);
  // The first event not later than `now` that Wait counts as input, or null.
  const Event* DueInputLocked(Clock::time_point now) const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Event> queue_;  // by due time, then posting order
  std::uint64_t changes_ = 0;  // posts and completion wake-ups
  int dispatched_ = 0;
};

}  // namespace panscout
