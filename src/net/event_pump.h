#pragma once
// How a waiting thread keeps its window alive: it sleeps until a worker ends or
// input arrives, then dispatches what is pending. Fetches and other waits go
// through this so the search runs the same in the window, the CLI and tests.

#include <chrono>
#include <memory>

namespace panscout {

// Signalled once, by a worker thread, when it has finished.
class Completion;

class EventPump {
 public:
  enum class WaitResult { kSignalled, kInput, kTimeout, kFailed };

  virtual ~EventPump() = default;

  // Sleeps until `done` is signalled, input for this thread arrives, or
  // `timeout` passes without either.
  virtual WaitResult Wait(const std::shared_ptr<Completion>& done,
                          std::chrono::milliseconds timeout) = 0;

  // Dispatches every pending event; a request to quit stays pending for the
  // outer loop.
  virtual void DispatchPending() = 0;
};

}  // namespace panscout
