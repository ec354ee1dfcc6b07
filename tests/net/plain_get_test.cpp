// The hit-page download: one more exchange of the program's request engine.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "net/http_engine.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

TEST(PlainGet, SendsOnlyAnHttp10GetWithAcceptAndTheSessionCookies) {
  TestHttpServer server;
  server.Add(TestHttpServer::Redirect(302, "/page", "Set-Cookie: hop=1\r\n"));
  server.Add(TestHttpServer::Response(200, "linked", "Set-Cookie: page=2\r\n"));
  // A proxy from the environment is not the program's.
  setenv("http_proxy", "http://127.0.0.1:1", 1);
  CookieStore cookies;
  cookies.Store("http://127.0.0.1", "sid", "abc");
  EXPECT_EQ(RunPlainGet(server.Url("/moved"), cookies, nullptr, 10).body.data, "linked");
  unsetenv("http_proxy");
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].rfind("GET /page HTTP/1.0\r\n", 0), 0u) << requests[1];
  for (const char* line : {"\r\nAccept: */*\r\n", "\r\nCookie: sid=abc; hop=1\r\n"}) {
    EXPECT_NE(requests[1].find(line), std::string::npos) << line << requests[1];
  }
  for (const char* line : {"Cache-Control", "Pragma", "Referer", "Accept-Language"}) {
    EXPECT_EQ(requests[1].find(line), std::string::npos) << line;
  }
  EXPECT_EQ(cookies.CookieLineFor("http://127.0.0.1", "/"), "sid=abc; hop=1; page=2");
}

TEST(PlainGet, ABrokenConnectionGivesWhatArrivedAndOtherAddressesNothing) {
  TestHttpServer server;
  server.Add(TestHttpServer::Reply().Send("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\npart").Reset());
  server.Add(TestHttpServer::Reply().Hang());
  CookieStore cookies;
  EXPECT_EQ(RunPlainGet(server.Url("/cut"), cookies, nullptr, 10).body.data, "part");
  auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(RunPlainGet(server.Url("/hangs"), cookies, nullptr, 1).body.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  EXPECT_TRUE(RunPlainGet("ftp://127.0.0.1/page", cookies).body.empty());
  EXPECT_TRUE(RunPlainGet("", cookies).body.empty());
  EXPECT_EQ(server.Requests().size(), 2u);
}

}  // namespace
}  // namespace panscout
