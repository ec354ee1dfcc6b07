#pragma once
// The event pump of threads that run a Qt event loop: the window's thread and
// the command-line front end's main thread.
//
// Wait sleeps in the thread's event dispatcher and handles the events that
// wake it there (Qt cannot sleep until input without handling it); any event
// delivered meanwhile, to whatever object, counts as input and makes Wait
// return kInput, so a caller's time-out restarts after each batch. The worker
// wakes the dispatcher through the completion. A QCoreApplication::quit()
// made by a handler during the wait is not consumed: Qt marks every running
// event loop of the thread to end, so the outer exec() returns once control
// gets back to it. On a thread without a Qt event dispatcher, Wait only
// sleeps on the completion and never reports input.
//
// Events delivered to objects of other threads than the main one are not
// seen by Qt's application-wide filter; there a wake without the completion
// or the time-out counts as input.

#include "net/event_pump.h"

namespace panscout {

class QtEventPump final : public EventPump {
 public:
  WaitResult Wait(const std::shared_ptr<Completion>& done,
                  std::chrono::milliseconds timeout) override;
  void DispatchPending() override;
};

}  // namespace panscout
