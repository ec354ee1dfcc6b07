#pragma once
// The cookies servers set, kept for the whole run and shared by every exchange
// on every thread, stored and chosen as RFC 6265 says. The composition root
// owns the one store and passes it down.

#include <condition_variable>
#include <ctime>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/text.h"

namespace panscout {

class CookieStore {
 public:
  struct Cookie {
    Text name, value;
    Text domain;            // lower case, without a leading "."
    bool hostOnly = true;   // for `domain` alone, not for its subdomains
    Text path = "/";
    bool secure = false;    // goes over https only
    bool httpOnly = false;  // kept; nothing but HTTP reads cookies here
    std::optional<std::time_t> expires;  // none: a session cookie
  };

  CookieStore() = default;
  CookieStore(const CookieStore&) = delete;
  CookieStore& operator=(const CookieStore&) = delete;
  // Waits for the leases still out (abandoned workers end soon after being told to).
  ~CookieStore();

  // Files a cookie that a response from `address` ("http://" + host) set:
  // `data` is the value followed by its attributes, e.g. "1; path=/". A
  // Domain that is a public suffix or does not cover the host refuses the
  // cookie; the same name, domain and path replace an older one in its
  // place; a Max-Age (which wins over Expires) of 0 or less or an expiry in
  // the past removes it.
  void Store(const Text& address, const Text& name, const Text& data);

  // What a request to `address` ("http://" or "https://" + host) for `path`
  // carries as its Cookie line value ("a=1; b=2"; a cookie without a name
  // gives its bare value): longer paths first, then older cookies first.
  Text CookieLineFor(const Text& address, const Text& path) const;

  // The cookies that outlive the run: those with an expiry still ahead.
  std::vector<Cookie> Persistent() const;
  // Takes back a cookie kept from an earlier run, as it was.
  void Restore(Cookie cookie);

  // Keeps the store alive while a worker that may outlive its caller uses it.
  class Lease {
   public:
    explicit Lease(CookieStore& store);
    Lease(Lease&& other) noexcept : store_(std::exchange(other.store_, nullptr)) {}
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    ~Lease();
    CookieStore& store() const { return *store_; }

   private:
    CookieStore* store_;
  };

 private:
  void Keep(Cookie cookie, bool removes);

  mutable std::mutex mutex_;
  std::condition_variable leasesEnded_;
  int leases_ = 0;
  std::vector<Cookie> cookies_;  // oldest first
};

}  // namespace panscout
