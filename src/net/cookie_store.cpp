#include "net/cookie_store.h"

#include <curl/curl.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

namespace panscout {
namespace {

Text Trimmed(const Text& text) {
  auto begin = text.find_first_not_of(" \t");
  if (begin == Text::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// RFC 6265 path matching: the cookie path is the request path or a prefix of
// it that ends at a "/".
bool PathMatches(const Text& cookiePath, const Text& requestPath) {
  Text path = requestPath.substr(0, requestPath.find('?'));
  if (path.compare(0, cookiePath.size(), cookiePath) != 0) return false;
  return path.size() == cookiePath.size() || cookiePath.back() == '/' ||
         path[cookiePath.size()] == '/';
}

// The expiry a Max-Age value gives (RFC 6265 5.2.2): none when it is not "-"? DIGIT+,
// so the attribute is ignored as browsers do; the earliest time for 0 or less; and
// a sum past the end of time_t stays at its end instead of overflowing.
std::optional<std::time_t> MaxAgeExpiry(std::string_view value) {
  bool negative = !value.empty() && value.front() == '-';
  if (negative) value.remove_prefix(1);
  if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  constexpr std::time_t kLast = std::numeric_limits<std::time_t>::max();
  std::time_t seconds = 0;
  if (std::from_chars(value.data(), value.data() + value.size(), seconds).ec != std::errc()) seconds = kLast;
  if (negative || seconds == 0) return std::numeric_limits<std::time_t>::min();
  std::time_t now = std::time(nullptr);
  return seconds > kLast - now ? kLast : now + seconds;
}

}  // namespace

CookieStore::~CookieStore() {
  std::unique_lock lock(mutex_);
  leasesEnded_.wait(lock, [this] { return leases_ == 0; });
}

CookieStore::Lease::Lease(CookieStore& store) : store_(&store) {
  std::lock_guard lock(store.mutex_);
  ++store.leases_;
}

CookieStore::Lease::~Lease() {
  if (!store_) return;
  std::lock_guard lock(store_->mutex_);
  if (--store_->leases_ == 0) store_->leasesEnded_.notify_all();
}

void CookieStore::Store(const Text& address, const Text& name, const Text& data) {
  Cookie cookie{name, {}, "/", std::nullopt};
  TextArray parts = SplitText(data, Text(";"));
  if (!parts.empty()) cookie.value = Trimmed(parts.front());
  for (std::size_t i = 1; i < parts.size(); ++i) {
    Text attribute = Trimmed(parts[i]);
    auto equals = attribute.find('=');
    if (equals == Text::npos) continue;
    Text key = LowerCase(Trimmed(attribute.substr(0, equals)));
    Text value = Trimmed(attribute.substr(equals + 1));
    if (key == "path" && !value.empty() && value.front() == '/') {
      cookie.path = value;
    } else if (key == "max-age") {
      if (auto expiry = MaxAgeExpiry(value)) cookie.expires = expiry;
    } else if (key == "expires" && !cookie.expires) {
      std::time_t when = curl_getdate(value.c_str(), nullptr);
      if (when != -1) cookie.expires = when;
    }
  }
  bool removes = cookie.expires && *cookie.expires <= std::time(nullptr);

  std::lock_guard lock(mutex_);
  auto& cookies = byAddress_[address];
  std::erase_if(cookies, [&](const Cookie& old) {
    return old.name == cookie.name && old.path == cookie.path;
  });
  if (!removes) cookies.push_back(std::move(cookie));
}

Text CookieStore::CookieLineFor(const Text& address, const Text& path) const {
  std::lock_guard lock(mutex_);
  auto found = byAddress_.find(address);
  if (found == byAddress_.end()) return {};
  std::time_t now = std::time(nullptr);
  Text line;
  for (const Cookie& cookie : found->second) {
    if ((cookie.expires && *cookie.expires <= now) || !PathMatches(cookie.path, path)) continue;
    if (!line.empty()) line += "; ";
    line += cookie.name.empty() ? cookie.value : cookie.name + "=" + cookie.value;
  }
  return line;
}

}  // namespace panscout
