// Every failed request says why, in words a user can act on.

#include <gtest/gtest.h>

#include "net/cookie_store.h"
#include "net/http_engine.h"
#include "net/page_fetch.h"
#include "support/scripted_event_pump.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

TEST(FetchStatus, EachFailureOfAPageFetchCarriesItsReason) {
  struct Case {
    std::function<void(TestHttpServer&)> serve;
    FetchStatus::Kind kind;
    std::string reason;
    std::string body;
  };
  const std::vector<Case> cases = {
      {[](TestHttpServer& s) { s.Add(TestHttpServer::Response(200, "fine")); }, FetchStatus::kOk, "ok", "fine"},
      {[](TestHttpServer& s) { s.Add(TestHttpServer::Response(403, "denied")); }, FetchStatus::kHttpError,
       "HTTP 403", "denied"},
      {[](TestHttpServer& s) {
         s.Add(TestHttpServer::Reply().Send("HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\npart").Reset());
       },
       FetchStatus::kCutShort, "connection cut short", "part"},
      {[](TestHttpServer& s) { s.Add(TestHttpServer::Reply().Hang()); }, FetchStatus::kTimedOut,
       "timed out after 1 s", ""},
  };
  for (const Case& c : cases) {
    TestHttpServer server;
    c.serve(server);
    CookieStore cookies;
    ScriptedEventPump pump;
    Fetched fetched = FetchPage(pump, cookies, server.Url("/"), {.timeoutSeconds = 5, .serverSilenceSeconds = 1});
    EXPECT_EQ(fetched.status.kind, c.kind) << c.reason;
    EXPECT_EQ(fetched.status.Reason(), c.reason);
    EXPECT_EQ(fetched.body.data, c.body) << c.reason;
  }
}

TEST(FetchStatus, ARefusedConnectionIsNamed) {
  CookieStore cookies;
  ScriptedEventPump pump;
  EXPECT_EQ(FetchPage(pump, cookies, "http://127.0.0.1:1/").status.Reason(), "connection refused");
  EXPECT_EQ(RunPlainGet("http://127.0.0.1:1/", cookies).status.kind, FetchStatus::kUnconnected);
}

TEST(FetchStatus, ReasonsReadLikeCurls) {
  EXPECT_EQ((FetchStatus{FetchStatus::kUnresolved, 0, 0, "www.x.test"}).Reason(), "could not resolve host www.x.test");
  EXPECT_EQ((FetchStatus{FetchStatus::kTimedOut, 0, 90, ""}).Reason(), "timed out after 90 s");
  EXPECT_EQ((FetchStatus{FetchStatus::kStopped, 0, 0, ""}).Reason(), "stopped");
  EXPECT_EQ((FetchStatus{FetchStatus::kFailed, 0, 0, "odd"}).Reason(), "odd");
}

}  // namespace
}  // namespace panscout
