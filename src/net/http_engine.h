#pragma once
// One complete HTTP exchange with a fixed browser identity: it takes its
// request from a hand-off record and writes the response back into it.

#include <atomic>
#include <cstddef>

#include "net/cookie_store.h"
#include "net/fetch_status.h"
#include "net/handoff_record.h"
#include "net/network_settings.h"

namespace panscout {

// Larger bodies are cut here; the exchange completes with what was read.
constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;

// Reads the request shape, empties the record and, once the exchange is done,
// leaves the response shape in it. False when the record is missing or not a
// request (left untouched), or when nothing could be sent: the client cannot
// start or the method is neither empty, GET nor POST (record left empty). An
// unreachable server still completes, with an empty body. Cookies come from
// and go to `cookies`. Setting `stop` makes a running exchange end soon.
// A server that sends nothing for `silenceSeconds` (0: no limit) is given up
// on; the exchange completes with what it had received. How it ended goes to
// `status`, when given. An https address is spoken over TLS with the
// certificate checked; a redirect from https to http is refused and gives no
// body. `network` picks the proxy of each hop unless the request names one.
// With `totalSeconds`, each hop also ends as timed out after that long.
bool RunHttpRequest(HandOffRecord* record, CookieStore& cookies,
                    const std::atomic<bool>* stop = nullptr, int silenceSeconds = 0,
                    FetchStatus* status = nullptr, const NetworkSettings& network = {}, int totalSeconds = 0);

// A plain download with the same client, cookies, stop and silence limit: GET
// over HTTP/1.0 sending "Accept: */*" and nothing of the browser identity
// but its user agent, to an http or https address, redirects followed. The
// body as far as the connection delivered it, with how the exchange ended;
// the empty buffer for any other address or when nothing could be sent.
// With `totalSeconds`, each request also ends as timed out after that long.
Fetched RunPlainGet(const Text& url, CookieStore& cookies, const std::atomic<bool>* stop = nullptr,
                    int silenceSeconds = 0, const NetworkSettings& network = {}, int totalSeconds = 0);

}  // namespace panscout
