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
  store.Store(kHost, "a", "3");
  EXPECT_EQ(store.CookieLineFor(kHost, "/"), "b=2; a=3");
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
