#include "app/link_checker.h"

#include <algorithm>

#include "app/link_cache.h"
#include "net/http_engine.h"

namespace panscout {
namespace {

// "host:port" in lower case, the scheme's default port when none is given.
Text ServerOf(const Text& address) {
  Text lower = LowerCase(address);
  bool https = lower.starts_with("https://");
  std::size_t start = lower.find("://");
  start = start == Text::npos ? 0 : start + 3;
  Text server = lower.substr(start, lower.find_first_of("/?#", start) - start);
  if (server.find(':') == Text::npos) server += https ? ":443" : ":80";
  return server;
}

}  // namespace

LinkChecker::LinkChecker(CookieStore& cookies, NetworkSettings network, LinkCache* cache, Told told,
                         LinkCheckSettings settings)
    : cookies_(cookies), network_(std::move(network)), cache_(cache), told_(std::move(told)), settings_(settings) {
  for (int i = 0; i < settings_.atOnce; ++i) workers_.emplace_back([this] { Work(); });
}

LinkChecker::~LinkChecker() {
  Cancel();
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void LinkChecker::Check(const Text& address, const LinkCheckRule& rule) {
  {
    std::lock_guard lock(mutex_);
    if (!queuedOrRunning_.insert(address).second) return;
    queue_.push_back({address, rule, ServerOf(address)});
  }
  changed_.notify_all();
}

void LinkChecker::Cancel() {
  std::lock_guard told(toldMutex_);
  std::lock_guard lock(mutex_);
  ++generation_;
  queue_.clear();
  queuedOrRunning_.clear();
  for (std::atomic<bool>* stop : runningStops_) *stop = true;
}

void LinkChecker::WaitIdle() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && runningStops_.empty(); });
}

std::deque<LinkChecker::Job>::iterator LinkChecker::NextAllowed() {
  return std::find_if(queue_.begin(), queue_.end(),
                      [this](const Job& job) { return runningPerServer_[job.server] < settings_.perServer; });
}

LinkState LinkChecker::Judge(const Job& job, const std::atomic<bool>& stop) {
  if (cache_ && !settings_.recheck) {
    if (std::optional<LinkState> known = cache_->Fresh(job.address)) return *known;
  }
  LinkState state = JudgeHitPage(job.rule, RunPlainGet(job.address, cookies_.store(), &stop,
                                                       settings_.timeoutSeconds, network_, settings_.timeoutSeconds));
  if (cache_ && !stop) cache_->Remember(job.address, state);
  return state;
}

void LinkChecker::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    std::deque<Job>::iterator next;
    changed_.wait(lock, [&] { return ending_ || (next = NextAllowed()) != queue_.end(); });
    if (ending_) return;
    Job job = std::move(*next);
    queue_.erase(next);
    std::atomic<bool> stop{false};
    const int generation = generation_;
    ++runningPerServer_[job.server];
    runningStops_.push_back(&stop);
    lock.unlock();

    LinkState state = Judge(job, stop);
    {
      std::lock_guard told(toldMutex_);
      if (generation == generation_) told_(job.address, state);
    }

    lock.lock();
    --runningPerServer_[job.server];
    runningStops_.erase(std::find(runningStops_.begin(), runningStops_.end(), &stop));
    if (generation == generation_) queuedOrRunning_.erase(job.address);
    changed_.notify_all();
  }
}

}  // namespace panscout
