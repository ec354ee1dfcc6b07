#include "net/wakeable_pump.h"

namespace panscout {

EventPump::WaitResult WakeablePump::Wait(const std::shared_ptr<Completion>& done,
                                         std::chrono::milliseconds timeout) {
  {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }
  // Not under our lock: the waker runs under the completion's and takes ours.
  done->SetWaker([this] {
    std::lock_guard lock(mutex_);
    signalled_ = true;
    changed_.notify_all();
  });
  WaitResult result;
  {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [this] { return signalled_ || woken_; });
    result = signalled_ ? WaitResult::kSignalled : woken_ ? WaitResult::kInput : WaitResult::kTimeout;
    woken_ = false;
  }
  done->SetWaker(nullptr);
  return result;
}

void WakeablePump::Wake() {
  everWoken_ = true;
  std::lock_guard lock(mutex_);
  woken_ = true;
  changed_.notify_all();
}

}  // namespace panscout
