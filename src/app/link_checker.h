#pragma once
// Checks hit addresses on threads of its own, so that neither the window
// nor the search waits: a plain GET with the run's proxy and cookies that
// follows redirects, at most a few at once and fewer to one server (host and
// port), so that no site sees a burst. A verdict still fresh in the cache is
// not fetched again; new ones go into it.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "net/cookie_store.h"
#include "net/network_settings.h"
#include "search/link_check.h"

namespace panscout {

class LinkCache;

struct LinkCheckSettings {
  int atOnce = 4;
  int perServer = 2;
  int timeoutSeconds = 15;  // a request is given up on after this long
  bool recheck = false;     // fetch even what the cache holds
};

class LinkChecker {
 public:
  // Told on a worker thread, one call at a time; it must not call Cancel.
  using Told = std::function<void(const Text& address, const LinkState& state)>;

  // `cache` may be null.
  LinkChecker(CookieStore& cookies, NetworkSettings network, LinkCache* cache, Told told,
              LinkCheckSettings settings = {});
  // Cancels what is left and waits for the workers.
  ~LinkChecker();
  LinkChecker(const LinkChecker&) = delete;
  LinkChecker& operator=(const LinkChecker&) = delete;

  // Queues the address, unless it is queued or being checked already.
  void Check(const Text& address, const LinkCheckRule& rule);
  // Drops what is queued and stops what runs; none of them is told, and
  // once this returns nothing of theirs is.
  void Cancel();
  // Returns once nothing is queued or running.
  void WaitIdle();

 private:
  struct Job {
    Text address;
    LinkCheckRule rule;
    Text server;
  };
  void Work();
  std::deque<Job>::iterator NextAllowed();
  LinkState Judge(const Job& job, const std::atomic<bool>& stop);

  CookieStore::Lease cookies_;
  NetworkSettings network_;
  LinkCache* cache_;
  Told told_;
  LinkCheckSettings settings_;

  std::mutex mutex_;  // guards what follows
  std::condition_variable changed_;
  bool ending_ = false;
  std::deque<Job> queue_;
  std::set<Text> queuedOrRunning_;
  std::map<Text, int> runningPerServer_;
  std::vector<std::atomic<bool>*> runningStops_;
  std::mutex toldMutex_;  // serialises `told_` and orders it against Cancel
  std::atomic<int> generation_{0};
  std::vector<std::thread> workers_;
};

}  // namespace panscout
