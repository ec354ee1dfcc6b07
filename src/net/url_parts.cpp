#include "net/url_parts.h"

namespace panscout {

Text UrlHost(const Text& url, bool keepPort) {
  const Text scheme = "http://";
  int p = FindText(url, scheme, 1, false);
  int s = p == kNotFound ? 1 : p + TextLength(scheme);
  int q = FindText(url, "/", s, false);
  Text host = q == kNotFound ? MiddleText(url, s, TextLength(url)) : MiddleText(url, s, q - s);
  if (!keepPort) {
    int colon = FindText(host, ":", 1, false);
    if (colon != kNotFound) host = LeftText(host, colon - 1);
  }
  return LowerCase(host);
}

Text UrlPath(const Text& url) {
  int b = FindText(url, UrlHost(url, false), 1, true);
  int q = FindText(url, "/", b, true);
  return q == kNotFound ? Text("/") : MiddleText(url, q, TextLength(url));
}

int UrlPort(const Text& url) {
  Text host = UrlHost(url, true);
  int colon = FindText(host, ":", 1, false);
  if (colon == kNotFound) return kDefaultHttpPort;
  double port = ToNumber(MiddleText(host, colon + 1, TextLength(host)));
  return port > -1 && port < 65536 ? static_cast<int>(port) : kInvalidPort;
}

}  // namespace panscout
