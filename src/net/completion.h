#pragma once
// A one-shot signal a worker thread fires when it has finished. Whoever waits
// for it through an event pump registers a waker, so the pump's sleep ends as
// soon as the worker does.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace panscout {

class Completion {
 public:
  // The first call counts; it runs the waker, if one is set. Everything the
  // signalling thread did before is visible to a thread that then sees
  // IsSignalled() or Wait...() return true.
  void Signal();
  bool IsSignalled() const;
  // Blocks without dispatching anything; true once signalled.
  bool WaitFor(std::chrono::milliseconds timeout) const;

  // Sets (or with nullptr clears) the one waker, run on the signalling thread
  // under the completion's lock: it must be quick and must not call back into
  // this completion. When already signalled it runs at once. Once a clearing
  // call has returned, the old waker is no longer running and never runs again.
  void SetWaker(std::function<void()> waker);

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable signalled_;
  bool done_ = false;
  std::function<void()> waker_;
};

}  // namespace panscout
