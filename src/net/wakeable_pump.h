#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "net/event_pump.h"

namespace panscout {

// The event pump of a thread without an event loop (one source's search in a
// search of several): it has no input of its own, but another thread can
// wake a wait with Wake(), which that wait reports as input. A Wake() made
// while nobody waits is kept for the next wait.
class WakeablePump final : public EventPump {
 public:
  WaitResult Wait(const std::shared_ptr<Completion>& done, std::chrono::milliseconds timeout) override;
  void DispatchPending() override {}
  // Turns true at the first Wake(): a fetch on this thread ends then.
  const std::atomic<bool>* WorkHereUntil() override { return &everWoken_; }

  void Wake();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_ = false;
  bool woken_ = false;
  std::atomic<bool> everWoken_{false};
};

}  // namespace panscout
