#pragma once
// One HTTP exchange on a worker thread while the calling thread keeps
// dispatching its events. Every kind of failure gives the empty buffer.

#include <chrono>
#include <optional>

#include "net/http_request.h"
#include "runtime/text.h"

namespace panscout {

class EventPump;
class CookieStore;

constexpr int kDefaultFetchTimeoutSeconds = 90;

struct FetchOptions {
  Text method, proxy, userName, password, extraHeaders, postData;
  int timeoutSeconds = 0;        // 0: the default of 90 seconds
  Text* headerTextOut = nullptr;  // receives the response header block
};

Bytes FetchPage(EventPump& pump, CookieStore& cookies, const Text& url,
                const FetchOptions& options = {});

}  // namespace panscout
