#include "net/cookie_store.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace panscout {
namespace {

const Text kHost = "http://cn.example";

TEST(CookieStore, CookiesGoBackToTheAddressTheyWereFiledUnder) {
  CookieStore store;
  store.Store(kHost, "a", "1; path=/");
  store.Store(kHost, "b", " 2 ");
  EXPECT_EQ(store.CookieLineFor(kHost, "/x?y=1"), "a=1; b=2");
  EXPECT_EQ(store.CookieLineFor("http://other.example", "/"), "");
  // A replacement keeps the place of the cookie it replaces.
  store.Store(kHost, "a", "3");
  EXPECT_EQ(store.CookieLineFor(kHost, "/"), "a=3; b=2");
}

TEST(CookieStore, ACookieWithoutNameGoesBackAsItsValue) {
  CookieStore store;
  store.Store(kHost, "", "flag; path=/");
  EXPECT_EQ(store.CookieLineFor(kHost, "/"), "flag");
}

TEST(CookieStore, ExpiryRemovesOrHidesCookies) {
  CookieStore store;
  store.Store(kHost, "gone", "1; Max-Age=0");
  store.Store(kHost, "old", "1; expires=Thu, 01 Jan 1970 00:00:01 GMT");
  store.Store(kHost, "kept", "1; Expires=Fri, 01 Jan 2100 00:00:00 GMT");
  store.Store(kHost, "ages", "1; max-age=3600; expires=Thu, 01 Jan 1970 00:00:01 GMT");
  EXPECT_EQ(store.CookieLineFor(kHost, "/"), "kept=1; ages=1");
  store.Store(kHost, "kept", "1; max-age=-1");
  EXPECT_EQ(store.CookieLineFor(kHost, "/"), "ages=1");
}

TEST(CookieStore, MaxAgeThatCannotBeReadIsIgnoredAndAHugeOneLastsForever) {
  struct Case {
    Text attributes;
    bool kept;
  };
  const Case cases[] = {
      {"Max-Age=9223372036854775807", true},  {"Max-Age=99999999999999999999999", true},
      {"Max-Age=abc", true},                  {"Max-Age=", true},
      {"Max-Age=-", true},                    {"Max-Age=+5", true},
      {"Max-Age=0", false},                   {"Max-Age=00", false},
      {"Max-Age=-1", false},                  {"Max-Age=-99999999999999999999", false},
      {"expires=Thu, 01 Jan 1970 00:00:01 GMT; Max-Age=abc", false},
  };
  for (const Case& c : cases) {
    CookieStore store;
    store.Store(kHost, "c", "1; path=/");
    store.Store(kHost, "c", "2; " + c.attributes);
    EXPECT_EQ(store.CookieLineFor(kHost, "/"), c.kept ? "c=2" : "") << c.attributes;
  }
}

TEST(CookieStore, PathLimitsWhereACookieGoes) {
  CookieStore store;
  store.Store(kHost, "d", "1; Path=/docs");
  for (Text path : {"/docs", "/docs/a", "/docs?q"}) EXPECT_EQ(store.CookieLineFor(kHost, path), "d=1") << path;
  for (Text path : {"/", "/doc", "/docsx"}) EXPECT_EQ(store.CookieLineFor(kHost, path), "") << path;
}

TEST(CookieStore, DomainSecureAndPathAsRfc6265SaysThem) {
  struct Case {
    Text from, data;  // the host that set it and what it sent
    Text to, path;    // the request asked for
    bool sent;
  };
  const Case cases[] = {
      {"www.example.com", "1", "http://www.example.com", "/", true},
      {"www.example.com", "1", "http://a.www.example.com", "/", false},  // host-only
      {"www.example.com", "1; Domain=example.com", "http://a.example.com", "/", true},
      {"www.example.com", "1; Domain=.EXAMPLE.com", "http://example.com", "/", true},
      {"www.example.com", "1; Domain=example.com", "http://badexample.com", "/", false},
      {"www.example.com", "1; Domain=other.com", "http://other.com", "/", false},  // foreign
      {"www.example.com", "1; Domain=com", "http://www.example.com", "/", false},  // public suffix
      {"a.github.io", "1; Domain=github.io", "http://a.github.io", "/", false},
      {"co.uk", "1; Domain=co.uk", "http://co.uk", "/", true},          // the suffix itself, host-only
      {"co.uk", "1; Domain=co.uk", "http://x.co.uk", "/", false},
      {"127.0.0.1", "1; Domain=0.0.1", "http://127.0.0.1", "/", false},  // no suffixes of addresses
      {"127.0.0.1", "1; Domain=127.0.0.1", "http://127.0.0.1", "/", true},
      {"www.example.com", "1; Secure", "http://www.example.com", "/", false},
      {"www.example.com", "1; Secure", "https://www.example.com", "/", true},
      {"www.example.com", "1; HttpOnly", "http://www.example.com", "/", true},
      {"www.example.com", "1; Path=/a; Path=/b", "http://www.example.com", "/a", false},  // the last counts
      {"www.example.com", "1; Path=x", "http://www.example.com", "/", true},  // not a path: the default
      {"www.example.com", "1; Expires=Thu, 01 Jan 1970 00:00:01 GMT; Max-Age=60", "http://www.example.com", "/", true},
  };
  for (const Case& c : cases) {
    CookieStore store;
    store.Store("http://" + c.from, "c", c.data);
    EXPECT_EQ(store.CookieLineFor(c.to, c.path), c.sent ? "c=1" : "") << c.from << " " << c.data << " -> " << c.to;
  }
}

TEST(CookieStore, LongerPathsGoFirstAndOnlyCookiesWithAnExpiryPersist) {
  CookieStore store;
  store.Store(kHost, "short", "1; Max-Age=60");
  store.Store(kHost, "long", "2; Path=/a/b; Secure; HttpOnly; Domain=cn.example; Expires=Fri, 01 Jan 2100 00:00:00 GMT");
  store.Store(kHost, "session", "3");
  EXPECT_EQ(store.CookieLineFor("https://cn.example", "/a/b/c"), "long=2; short=1; session=3");
  std::vector<CookieStore::Cookie> kept = store.Persistent();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[1].name, "long");
  EXPECT_TRUE(kept[1].secure && kept[1].httpOnly && !kept[1].hostOnly);
  EXPECT_EQ(kept[1].expires, std::time_t{4102444800});
}

TEST(CookieStore, AHostileServerOnlyPushesItsOwnOlderCookiesOut) {
  CookieStore store;
  store.Store("http://other.example", "keep", "1");
  for (int i = 0; i < 120; ++i) store.Store(kHost, "c" + std::to_string(i), "1");
  Text line = store.CookieLineFor(kHost, "/");
  EXPECT_EQ(line.rfind("c70=1; ", 0), 0u) << line;
  EXPECT_EQ(store.CookieLineFor("http://other.example", "/"), "keep=1");
}

TEST(CookieStore, ThreadsShareOneStore) {
  CookieStore store;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&store, t] {
      for (int i = 0; i < 200; ++i) {
        store.Store(kHost, "c" + std::to_string(t), std::to_string(i));
        store.CookieLineFor(kHost, "/");
      }
    });
  for (std::thread& thread : threads) thread.join();
  // Cookies go out in the order they were first stored, which the threads race for.
  Text line = store.CookieLineFor(kHost, "/");
  EXPECT_EQ(line.size(), std::string("c0=199; c1=199; c2=199; c3=199").size()) << line;
  for (const char* cookie : {"c0=199", "c1=199", "c2=199", "c3=199"}) {
    EXPECT_NE(line.find(cookie), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace panscout
