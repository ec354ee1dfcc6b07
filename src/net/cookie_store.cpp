#include "net/cookie_store.h"

#include <arpa/inet.h>
#include <curl/curl.h>
#include <libpsl.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

namespace panscout {
namespace {

// Beyond these a hostile server only pushes older cookies out (RFC 6265 6.1).
constexpr std::size_t kMaxCookies = 3000;
constexpr std::size_t kMaxCookiesPerDomain = 50;

Text Trimmed(const Text& text) {
  auto begin = text.find_first_not_of(" \t");
  if (begin == Text::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// The lower-case host of "http://host" or "https://host".
Text HostOf(const Text& address) {
  auto scheme = address.find("://");
  return LowerCase(scheme == Text::npos ? address : address.substr(scheme + 3));
}

bool IsIpAddress(const Text& host) {
  unsigned char bytes[16];
  return inet_pton(AF_INET, host.c_str(), bytes) == 1 || inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

// RFC 6265 5.1.3.
bool DomainMatches(const Text& host, const Text& domain) {
  if (host == domain) return true;
  return host.size() > domain.size() && host.ends_with("." + domain) && !IsIpAddress(host);
}

bool IsPublicSuffix(const Text& domain) {
  // The newer of libpsl's own list and the system's; never freed, as workers may still ask.
  static const psl_ctx_t* const list = psl_latest(nullptr);
  return list && psl_is_public_suffix(list, domain.c_str());
}

// RFC 6265 5.1.4: the cookie path is the request path or a prefix of it that
// ends at a "/".
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

bool Expired(const CookieStore::Cookie& cookie, std::time_t now) { return cookie.expires && *cookie.expires <= now; }

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
  const Text host = HostOf(address);
  Cookie cookie;
  cookie.name = name;
  cookie.domain = host;
  std::optional<std::time_t> maxAge, expires;
  std::optional<Text> domain;
  TextArray parts = SplitText(data, Text(";"));
  if (!parts.empty()) cookie.value = Trimmed(parts.front());
  for (std::size_t i = 1; i < parts.size(); ++i) {
    Text attribute = Trimmed(parts[i]);
    auto equals = attribute.find('=');
    Text key = LowerCase(Trimmed(attribute.substr(0, equals)));
    Text value = equals == Text::npos ? Text() : Trimmed(attribute.substr(equals + 1));
    if (key == "path") {
      cookie.path = !value.empty() && value.front() == '/' ? value : "/";
    } else if (key == "max-age") {
      if (auto expiry = MaxAgeExpiry(value)) maxAge = expiry;
    } else if (key == "expires") {
      std::time_t when = curl_getdate(value.c_str(), nullptr);
      if (when != -1) expires = when;
    } else if (key == "domain" && !value.empty()) {
      domain = LowerCase(value.front() == '.' ? value.substr(1) : value);
    } else if (key == "secure") {
      cookie.secure = true;
    } else if (key == "httponly") {
      cookie.httpOnly = true;
    }
  }
  cookie.expires = maxAge ? maxAge : expires;
  // RFC 6265 5.3 steps 5 and 6.
  if (domain && IsPublicSuffix(*domain)) {
    if (*domain != host) return;
    domain.reset();
  }
  if (domain) {
    if (!DomainMatches(host, *domain)) return;
    cookie.domain = *domain;
    cookie.hostOnly = false;
  }
  bool removes = Expired(cookie, std::time(nullptr));
  Keep(std::move(cookie), removes);
}

void CookieStore::Keep(Cookie cookie, bool removes) {
  std::lock_guard lock(mutex_);
  auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& old) {
    return old.name == cookie.name && old.domain == cookie.domain && old.path == cookie.path;
  });
  if (same != cookies_.end()) {
    // A replacement keeps the old one's place, which is its creation time.
    if (removes) cookies_.erase(same);
    else *same = std::move(cookie);
    return;
  }
  if (removes) return;
  std::erase_if(cookies_, [now = std::time(nullptr)](const Cookie& old) { return Expired(old, now); });
  auto ofDomain = [&](const Cookie& old) { return old.domain == cookie.domain; };
  if (static_cast<std::size_t>(std::count_if(cookies_.begin(), cookies_.end(), ofDomain)) >= kMaxCookiesPerDomain) {
    cookies_.erase(std::find_if(cookies_.begin(), cookies_.end(), ofDomain));
  }
  if (cookies_.size() >= kMaxCookies) cookies_.erase(cookies_.begin());
  cookies_.push_back(std::move(cookie));
}

Text CookieStore::CookieLineFor(const Text& address, const Text& path) const {
  const Text host = HostOf(address);
  const bool secure = LowerCase(LeftText(address, 8)) == "https://";
  const std::time_t now = std::time(nullptr);
  std::vector<const Cookie*> chosen;
  std::lock_guard lock(mutex_);
  for (const Cookie& cookie : cookies_) {
    bool hostFits = cookie.hostOnly ? host == cookie.domain : DomainMatches(host, cookie.domain);
    if (hostFits && PathMatches(cookie.path, path) && (secure || !cookie.secure) && !Expired(cookie, now)) {
      chosen.push_back(&cookie);
    }
  }
  std::stable_sort(chosen.begin(), chosen.end(),
                   [](const Cookie* a, const Cookie* b) { return a->path.size() > b->path.size(); });
  Text line;
  for (const Cookie* cookie : chosen) {
    if (!line.empty()) line += "; ";
    line += cookie->name.empty() ? cookie->value : cookie->name + "=" + cookie->value;
  }
  return line;
}

std::vector<CookieStore::Cookie> CookieStore::Persistent() const {
  const std::time_t now = std::time(nullptr);
  std::lock_guard lock(mutex_);
  std::vector<Cookie> kept;
  std::copy_if(cookies_.begin(), cookies_.end(), std::back_inserter(kept),
               [now](const Cookie& cookie) { return cookie.expires && !Expired(cookie, now); });
  return kept;
}

void CookieStore::Restore(Cookie cookie) {
  if (cookie.expires && !Expired(cookie, std::time(nullptr))) Keep(std::move(cookie), false);
}

}  // namespace panscout
