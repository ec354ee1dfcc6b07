#pragma once
// Waits on the GUI thread the way a page fetch does: events keep being
// dispatched, so the windows stay alive and handlers may run nested.

#include <chrono>
#include <functional>

namespace panscout {

// Returns true once `done` holds, false when `timeout` passes first.
bool WaitDispatching(const std::function<bool()>& done, std::chrono::milliseconds timeout);

}  // namespace panscout
