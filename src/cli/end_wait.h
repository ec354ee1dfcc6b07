#pragma once
// Where the command line's main thread waits for the search to end. The
// first Ctrl-C asks the search to stop; a second ends the process at once,
// with exit status 130.

#include <functional>

namespace panscout {

class EndWait {
 public:
  EndWait();
  ~EndWait();
  EndWait(const EndWait&) = delete;
  EndWait& operator=(const EndWait&) = delete;

  // From any thread: Wait returns.
  void End();
  // Returns once End has been called; `interrupted` runs here at the first Ctrl-C.
  void Wait(const std::function<void()>& interrupted);
};

}  // namespace panscout
