#pragma once
// The cookies servers set, kept for the whole run and shared by every exchange
// on every thread. The composition root owns the one store and passes it down.

#include <condition_variable>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/text.h"

namespace panscout {

class CookieStore {
 public:
  CookieStore() = default;
  CookieStore(const CookieStore&) = delete;
  CookieStore& operator=(const CookieStore&) = delete;
  // Waits for the leases still out (abandoned workers end soon after being told to).
  ~CookieStore();

  // Files a cookie under an address ("http://" + host) as a server set it:
  // `data` is the value followed by its attributes, e.g. "1; path=/". The same
  // name and path replace an older cookie; a Max-Age of 0 or less or an expiry
  // date in the past removes it, a Max-Age that is not a whole number is ignored.
  // Other attributes are kept but not acted on.
  void Store(const Text& address, const Text& name, const Text& data);

  // What a request to `address` for `path` carries as its Cookie line value
  // ("a=1; b=2"; a cookie without a name gives its bare value), or the empty
  // text when no cookie applies.
  Text CookieLineFor(const Text& address, const Text& path) const;

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
  struct Cookie {
    Text name, value, path;
    std::optional<std::time_t> expires;
  };

  mutable std::mutex mutex_;
  std::condition_variable leasesEnded_;
  int leases_ = 0;
  std::map<Text, std::vector<Cookie>> byAddress_;
};

}  // namespace panscout
