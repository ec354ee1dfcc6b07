#pragma once
// Carries calls from another thread over to the thread a window object lives
// on, and waits for each. Widgets may only be touched on their own thread, and
// the window may close while the caller still runs: from then on calls are
// dropped instead of reaching a destroyed window.

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>

namespace panscout {

class WindowThreadCalls {
 public:
  // `window` must outlive this object or call Detach before it goes.
  explicit WindowThreadCalls(QObject* window) : window_(window) {}

  // On the window's thread, before the window is destroyed.
  void Detach();

  // Runs `call` on the window's thread (at once when already there) and
  // returns once it has run; false, without running it, when the window has
  // gone or goes before the call comes up.
  bool Run(const std::function<void()>& call);

 private:
  std::mutex mutex_;
  QObject* window_;
};

}  // namespace panscout
