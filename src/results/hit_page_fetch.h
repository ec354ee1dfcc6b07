#pragma once
// The one-shot page download of the real-address dialog: GET over HTTP/1.0
// with "Accept: */*", never from a cache, http and https.

#include "runtime/text.h"

namespace panscout {

// Blocks the calling thread; the whole body, or the empty buffer when the
// address is not a web address, the exchange fails or `timeoutSeconds` pass.
Bytes FetchHitPage(const Text& url, int timeoutSeconds);

}  // namespace panscout
