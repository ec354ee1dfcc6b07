#include "support/scripted_event_pump.h"

#include <algorithm>

namespace panscout {

void ScriptedEventPump::Post(std::function<void()> event, std::chrono::milliseconds delay) {
  Enqueue({Clock::now() + delay, std::move(event)});
}

void ScriptedEventPump::PostQuit(std::chrono::milliseconds delay) {
  Enqueue({Clock::now() + delay, nullptr});
}

void ScriptedEventPump::Enqueue(Event event) {
  std::lock_guard lock(mutex_);
  auto later = std::upper_bound(queue_.begin(), queue_.end(), event.due,
                                [](Clock::time_point due, const Event& e) { return due < e.due; });
  queue_.insert(later, std::move(event));
  ++changes_;
  changed_.notify_all();
}

bool ScriptedEventPump::QuitPending() const {
  std::lock_guard lock(mutex_);
  return std::any_of(queue_.begin(), queue_.end(), [](const Event& e) { return !e.run; });
}

int ScriptedEventPump::Dispatched() const {
  std::lock_guard lock(mutex_);
  return dispatched_;
}

const ScriptedEventPump::Event* ScriptedEventPump::DueInputLocked(Clock::time_point now) const {
  // A quit request already seen is no new input.
  for (const Event& event : queue_) {
    if (event.due > now) return nullptr;
    if (event.run) return &event;
  }
  return nullptr;
}

EventPump::WaitResult ScriptedEventPump::Wait(const std::shared_ptr<Completion>& done,
                                              std::chrono::milliseconds timeout) {
  Clock::time_point deadline = Clock::now() + timeout;
  done->SetWaker([this] {
    std::lock_guard lock(mutex_);
    ++changes_;
    changed_.notify_all();
  });
  WaitResult result = WaitResult::kTimeout;
  std::unique_lock lock(mutex_);
  for (;;) {
    std::uint64_t seen = changes_;
    lock.unlock();  // the waker takes the completion's lock, then ours
    bool signalled = done->IsSignalled();
    lock.lock();
    Clock::time_point now = Clock::now();
    if (signalled) {
      result = WaitResult::kSignalled;
      break;
    }
    if (DueInputLocked(now)) {
      result = WaitResult::kInput;
      break;
    }
    if (now >= deadline) break;
    Clock::time_point until = deadline;
    for (const Event& event : queue_)
      if (event.run) {
        until = std::min(until, event.due);
        break;
      }
    changed_.wait_until(lock, until, [&] { return changes_ != seen || Clock::now() >= until; });
  }
  lock.unlock();
  done->SetWaker(nullptr);
  return result;
}

void ScriptedEventPump::DispatchPending() {
  for (;;) {
    std::function<void()> run;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty() || queue_.front().due > Clock::now() || !queue_.front().run) return;
      run = std::move(queue_.front().run);
      queue_.erase(queue_.begin());
      ++dispatched_;
    }
    run();
  }
}

}  // namespace panscout
