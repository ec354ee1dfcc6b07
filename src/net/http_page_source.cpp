#include "net/http_page_source.h"

#include "net/page_fetch.h"

namespace panscout {

HttpPageSource::HttpPageSource(EventPump& pump, CookieStore& cookies, int timeoutSeconds)
    : pump_(pump), cookies_(cookies), timeoutSeconds_(timeoutSeconds) {}

Fetched HttpPageSource::Fetch(const Text& url, Text* headerTextOut) {
  FetchOptions options;
  options.timeoutSeconds = timeoutSeconds_;
  options.serverSilenceSeconds = timeoutSeconds_;
  options.headerTextOut = headerTextOut;
  return FetchPage(pump_, cookies_, url, options);
}

}  // namespace panscout
