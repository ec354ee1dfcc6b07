#include "net/url_parts.h"

#include <gtest/gtest.h>

namespace panscout {
namespace {

struct UrlCase {
  const char* why;
  Text url, host, hostWithPort, path;
  int port;
};

TEST(HttpUrlParts, SplitsAddressesAsTheEngineSends) {
  const UrlCase cases[] = {
      {"host lowered, path keeps case and query", "http://WWW.Ex.COM/Some/P.html?Q=A&b=%C4",
       "www.ex.com", "www.ex.com", "/Some/P.html?Q=A&b=%C4", 80},
      {"no scheme", "host.cn/a/b", "host.cn", "host.cn", "/a/b", 80},
      {"no scheme, no path", "Host.cn", "host.cn", "host.cn", "/", 80},
      {"port", "http://Host.cn:8080/x", "host.cn", "host.cn:8080", "/x", 8080},
      {"empty port text", "http://host.cn:/x", "host.cn", "host.cn:", "/x", 0},
      {"port not a number", "http://host.cn:abc/x", "host.cn", "host.cn:abc", "/x", 0},
      {"port out of range", "http://host.cn:99999/x", "host.cn", "host.cn:99999", "/x", kInvalidPort},
      {"https is not a scheme", "https://secure.ex.com/login", "https", "https:",
       "//secure.ex.com/login", 0},
      {"a later scheme starts the host", "go?to=http://Inner.cn/page", "inner.cn", "inner.cn",
       "/page", 80},
      {"path after the host's first appearance, any case", "http://ABC.cn/abc.cn/x", "abc.cn",
       "abc.cn", "/abc.cn/x", 80},
  };
  for (const UrlCase& c : cases) {
    EXPECT_EQ(UrlHost(c.url, false), c.host) << c.why;
    EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort) << c.why;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.why;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.why;
  }
}

}  // namespace
}  // namespace panscout
