#include "results/hit_page_fetch.h"

#include <curl/curl.h>

#include <memory>

#include "results/open_with_shell.h"

namespace panscout {

namespace {

// A hit page is a few dozen kilobytes; anything far larger is not one.
constexpr std::size_t kMaxBodyBytes = 16 * 1024 * 1024;

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* out) {
  auto& body = *static_cast<std::string*>(out);
  std::size_t n = size * count;
  if (body.size() + n > kMaxBodyBytes) return 0;  // aborts the transfer
  body.append(data, n);
  return n;
}

struct CurlDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct HeaderListDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

}  // namespace

Bytes FetchHitPage(const Text& url, int timeoutSeconds) {
  if (!IsWebAddress(url)) return {};
  std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  if (!curl) return {};
  std::unique_ptr<curl_slist, HeaderListDeleter> headers;
  for (const char* line : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"}) {
    headers.reset(curl_slist_append(headers.release(), line));
  }
  std::string body;
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(timeoutSeconds));
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, AppendBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
  if (curl_easy_perform(c) != CURLE_OK) return {};
  return Bytes(std::move(body));
}

}  // namespace panscout
