#include "app/window_thread_calls.h"

#include <QMetaObject>
#include <QThread>
#include <future>

namespace panscout {

void WindowThreadCalls::Detach() {
  std::lock_guard lock(mutex_);
  window_ = nullptr;
}

bool WindowThreadCalls::Run(const std::function<void()>& call) {
  std::unique_lock lock(mutex_);
  if (!window_) return false;
  if (window_->thread() == QThread::currentThread()) {
    lock.unlock();
    call();
    return true;
  }
  // Posted, not blocking, so that a call dropped with its window is noticed:
  // the functor goes, its promise breaks and this thread wakes.
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> ran = done->get_future();
  QMetaObject::invokeMethod(
      window_,
      [&call, done = std::move(done)] {
        call();
        done->set_value();
      },
      Qt::QueuedConnection);
  lock.unlock();
  try {
    ran.get();
    return true;
  } catch (const std::future_error&) {
    return false;
  }
}

}  // namespace panscout
