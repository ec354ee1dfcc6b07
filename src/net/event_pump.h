#pragma once
// How a waiting thread keeps its window alive: it sleeps until a worker ends or
// input arrives, then dispatches what is pending. Fetches and other waits go
// through this so the search runs the same in the window, the CLI and tests.
// Implementations: QtEventPump (net/qt_event_pump.h) for threads that run a Qt
// event loop, ScriptedEventPump (tests/support) for tests.

#include <atomic>
#include <chrono>
#include <memory>

#include "net/completion.h"

namespace panscout {

class EventPump {
 public:
  enum class WaitResult { kSignalled, kInput, kTimeout, kFailed };

  virtual ~EventPump() = default;

  // Sleeps until `done` is signalled (kSignalled, which wins over the others),
  // input for this thread arrives (kInput), or `timeout` passes without either
  // (kTimeout). A pump that cannot sleep without handling what woke it may
  // dispatch that input before returning kInput.
  virtual WaitResult Wait(const std::shared_ptr<Completion>& done,
                          std::chrono::milliseconds timeout) = 0;

  // Dispatches every pending event; a request to quit stays pending for the
  // outer loop.
  virtual void DispatchPending() = 0;
  // A pump with nothing to dispatch lets the waiting thread do the work of a
  // wait itself, which saves a thread and two hand-overs: it returns a flag
  // that turns true when that work is to end early. nullptr: the work goes to
  // a worker while the pump dispatches.
  virtual const std::atomic<bool>* WorkHereUntil() { return nullptr; }
};

}  // namespace panscout
