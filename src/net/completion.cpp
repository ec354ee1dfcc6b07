#include "net/completion.h"

namespace panscout {

void Completion::Signal() {
  std::lock_guard lock(mutex_);
  if (done_) return;
  done_ = true;
  signalled_.notify_all();
  if (waker_) waker_();
}

bool Completion::IsSignalled() const {
  std::lock_guard lock(mutex_);
  return done_;
}

bool Completion::WaitFor(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return signalled_.wait_for(lock, timeout, [this] { return done_; });
}

void Completion::SetWaker(std::function<void()> waker) {
  std::lock_guard lock(mutex_);
  waker_ = std::move(waker);
  if (done_ && waker_) waker_();
}

}  // namespace panscout
