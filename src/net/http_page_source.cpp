#include "net/http_page_source.h"

#include "net/page_fetch.h"

namespace panscout {

HttpPageSource::HttpPageSource(EventPump& pump, CookieStore& cookies, NetworkSettings network, int timeoutSeconds,
                               std::function<bool()> abandoned)
    : pump_(pump),
      cookies_(cookies),
      network_(std::move(network)),
      timeoutSeconds_(timeoutSeconds),
      abandoned_(std::move(abandoned)) {}

Fetched HttpPageSource::Fetch(const Text& url, Text* headerTextOut) {
  FetchOptions options;
  options.timeoutSeconds = timeoutSeconds_;
  options.serverSilenceSeconds = timeoutSeconds_;
  options.headerTextOut = headerTextOut;
  options.network = network_;
  options.abandoned = abandoned_;
  return FetchPage(pump_, cookies_, url, options);
}

}  // namespace panscout
