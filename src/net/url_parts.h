#pragma once
// Host, port and path of a request address. Only "http://" is known as a
// scheme; anything else is taken as part of the host.

#include "runtime/text.h"

namespace panscout {

constexpr int kDefaultHttpPort = 80;
constexpr int kInvalidPort = -1;

// Lower-case host; with keepPort the ":port" after it stays.
Text UrlHost(const Text& url, bool keepPort);
// From the first "/" after the host to the end, query included; "/" when none.
Text UrlPath(const Text& url);
// 80 when the host has no ":"; 0 (the service default) when the port text is
// empty or not a number; kInvalidPort beyond 65535.
int UrlPort(const Text& url);

}  // namespace panscout
