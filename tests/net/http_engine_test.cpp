#include "net/http_engine.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/test_http_server.h"

namespace panscout {
namespace {

using std::chrono::milliseconds;

const std::string kAgentLine = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n";
const std::string kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
const std::string kLanguageLine = "Accept-Language: zh-cn\r\n";
const std::string kFormTypeLine = "Content-Type: application/x-www-form-urlencoded\r\n";

HttpRequest Request(const Text& url, const Text& method = "", const Text& extraHeaders = "",
                    const Text& postData = "") {
  HttpRequest request;
  request.url = url;
  request.method = method;
  request.extraHeaders = extraHeaders;
  request.postData = postData;
  return request;
}

struct Outcome {
  bool completed;
  Text marker, headerText;
  Bytes body;
};

Outcome Exchange(const HttpRequest& request, CookieStore& cookies,
                 const std::atomic<bool>* stop = nullptr) {
  HandOffRecord record;
  WriteRequestShape(record, request);
  bool completed = RunHttpRequest(&record, cookies, stop);
  record.Rewind();
  Outcome outcome{completed, record.ReadText(), record.ReadText(), {}};
  outcome.body = record.ReadBytes();
  return outcome;
}

class HttpEngine : public ::testing::Test {
 protected:
  // The request exactly as the server saw it.
  std::string Sent(const HttpRequest& request) {
    server.Add(TestHttpServer::Response(200, "ok"));
    Outcome outcome = Exchange(request, cookies);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.body, Bytes("ok"));
    auto requests = server.Requests();
    return requests.empty() ? std::string() : requests.back();
  }
  // The request line, then what curl always sends ahead of the header text.
  std::string Start(const std::string& requestLine) const {
    return requestLine + "\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n" + kAgentLine;
  }
  std::string Defaults(const Text& url) const {
    return kAcceptLine + "Referer: " + url + "\r\n" + kLanguageLine;
  }

  TestHttpServer server;
  CookieStore cookies;
};

TEST_F(HttpEngine, GetSendsTheBrowserIdentity) {
  Text url = server.Url("/a/B.html?q=%C4%E3&x=1");
  EXPECT_EQ(Sent(Request(url)),
            Start("GET /a/B.html?q=%C4%E3&x=1 HTTP/1.1") + Defaults(url) + "\r\n");
}

TEST_F(HttpEngine, CallerLinesComeFirstAndSuppressDefaultsByPrefixInAnyCase) {
  Text url = server.Url("/");
  Text extra = "X-accept: 1\r\nMy-REFERER: 2\r\naccept-language: en\r\n";
  EXPECT_EQ(Sent(Request(url, "", extra)), Start("GET / HTTP/1.1") + extra + "\r\n");
  Text referer = "X-Referer: yes\r\n";
  EXPECT_EQ(Sent(Request(url, "GET", referer)),
            Start("GET / HTTP/1.1") + referer + kAcceptLine + kLanguageLine + "\r\n");
}

TEST_F(HttpEngine, DefaultLinesAreGluedToCallerLinesWithoutLineEnd) {
  Text url = server.Url("/");
  EXPECT_EQ(Sent(Request(url, "", "X-Tag: 1")),
            Start("GET / HTTP/1.1") + "X-Tag: 1" + Defaults(url) + "\r\n");
}

TEST_F(HttpEngine, MethodIsComparedInAnyCaseAndSentUnchanged) {
  Text url = server.Url("/low");
  EXPECT_EQ(Sent(Request(url, "get")), Start("get /low HTTP/1.1") + Defaults(url) + "\r\n");
}

TEST_F(HttpEngine, OtherMethodsSendNothingAndFail) {
  for (Text method : {"PUT", "put", "HEAD"}) {
    Outcome outcome = Exchange(Request(server.Url("/"), method), cookies);
    EXPECT_FALSE(outcome.completed) << method;
    EXPECT_EQ(outcome.marker, "") << method;
  }
  EXPECT_FALSE(server.WaitForRequests(1, milliseconds(300)));
}

TEST_F(HttpEngine, PostWithDataAddsTypeAndLengthLines) {
  Text url = server.Url("/form");
  EXPECT_EQ(Sent(Request(url, "POST", "", "a=1&b=2")),
            Start("POST /form HTTP/1.1") + Defaults(url) + kFormTypeLine +
                "Content-Length: 7\r\n\r\na=1&b=2");
  EXPECT_EQ(Sent(Request(url, "post", "", "x")),
            Start("post /form HTTP/1.1") + Defaults(url) + kFormTypeLine +
                "Content-Length: 1\r\n\r\nx");
}

TEST_F(HttpEngine, PostKeepsTheCallersTypeAndAlwaysAppendsALength) {
  Text url = server.Url("/form");
  Text extra = "x-content-type: text/plain\r\nContent-Length: 99\r\n";
  EXPECT_EQ(Sent(Request(url, "POST", extra, "abc")),
            Start("POST /form HTTP/1.1") + extra + Defaults(url) +
                "Content-Length: 3\r\n\r\nabc");
}

TEST_F(HttpEngine, PostWithoutDataSendsNoBodyAndNoPostLines) {
  Text url = server.Url("/form");
  EXPECT_EQ(Sent(Request(url, "POST")), Start("POST /form HTTP/1.1") + Defaults(url) + "\r\n");
}

TEST_F(HttpEngine, CredentialsAndProxyCountOnlyWhenNotJustSpaces) {
  HttpRequest request = Request(server.Url("/"));
  request.userName = " \xA1\xA1 ";
  request.password = "  ";
  request.proxy = "   ";
  EXPECT_EQ(Sent(request).find("Authorization"), std::string::npos);
  request.userName = "u";
  request.password = "p";
  EXPECT_NE(Sent(request).find("\r\nAuthorization: Basic dTpw\r\n"), std::string::npos);
}

TEST_F(HttpEngine, ProxyCarriesTheRequest) {
  TestHttpServer proxy;
  proxy.Add(TestHttpServer::Response(200, "via proxy"));
  HttpRequest request = Request(server.Url("/page?x=1"));
  request.proxy = "127.0.0.1:" + std::to_string(proxy.port());
  Outcome outcome = Exchange(request, cookies);
  EXPECT_EQ(outcome.body, Bytes("via proxy"));
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0].rfind("GET " + request.url + " HTTP/1.1\r\n", 0), 0u);
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpEngine, HeaderTextIsTheWholeRawBlockWithCrLf) {
  std::string longCookie = "Set-Cookie: big=" + std::string(1500, 'v') + "\r\n";
  server.Add(TestHttpServer::Reply().Send("HTTP/1.1 200 OK\nX-One: 1\n" + longCookie +
                                          "Content-Length: 2\nConnection: close\n\nhi"));
  Outcome outcome = Exchange(Request(server.Url("/")), cookies);
  EXPECT_EQ(outcome.marker, "Tarnbel_OK");
  EXPECT_EQ(outcome.headerText, "HTTP/1.1 200 OK\r\nX-One: 1\r\n" + longCookie +
                                    "Content-Length: 2\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(outcome.body, Bytes("hi"));
}

TEST_F(HttpEngine, RedirectsAreFollowedToTheFinalResponse) {
  server.Add(TestHttpServer::Redirect(302, "/second"));
  server.Add(TestHttpServer::Redirect(301, server.Url("/third")));
  server.Add(TestHttpServer::Response(200, "final", "X-Final: yes\r\n"));
  Outcome outcome = Exchange(Request(server.Url("/first")), cookies);
  EXPECT_EQ(outcome.body, Bytes("final"));
  EXPECT_EQ(outcome.headerText.rfind("HTTP/1.1 200 OK\r\nX-Final: yes\r\n", 0), 0u);
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].rfind("GET /second HTTP/1.1\r\n", 0), 0u);
  EXPECT_EQ(requests[2].rfind("GET /third HTTP/1.1\r\n", 0), 0u);
}

TEST_F(HttpEngine, RedirectedPostBecomesGetExceptAfter307) {
  server.Add(TestHttpServer::Redirect(303, "/seen"));
  server.Add(TestHttpServer::Response(200, "got"));
  EXPECT_EQ(Exchange(Request(server.Url("/form"), "POST", "", "a=1"), cookies).body, Bytes("got"));
  server.Add(TestHttpServer::Redirect(307, "/again"));
  server.Add(TestHttpServer::Response(200, "posted"));
  EXPECT_EQ(Exchange(Request(server.Url("/form"), "POST", "", "b=2"), cookies).body,
            Bytes("posted"));
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[1].rfind("GET /seen HTTP/1.1\r\n", 0), 0u);
  EXPECT_EQ(requests[1].find("Content-"), std::string::npos);
  EXPECT_EQ(requests[3].rfind("POST /again HTTP/1.1\r\n", 0), 0u);
  EXPECT_EQ(requests[3].substr(requests[3].size() - 3), "b=2");
}

TEST_F(HttpEngine, BodiesComeBackByteForByte) {
  server.Add(TestHttpServer::Response(200, std::string("ab\0cd", 5)));
  EXPECT_EQ(Exchange(Request(server.Url("/")), cookies).body, Bytes(std::string("ab\0cd", 5)));
  server.Add(TestHttpServer::Response(200, ""));
  Outcome empty = Exchange(Request(server.Url("/")), cookies);
  EXPECT_EQ(empty.marker, "Tarnbel_OK");
  EXPECT_TRUE(empty.body.empty());
}

TEST_F(HttpEngine, ASlowBodyArrivesWhole) {
  std::string body(200, 's');
  server.Add(TestHttpServer::Reply()
                 .Send("HTTP/1.1 200 OK\r\nContent-Length: 200\r\nConnection: close\r\n\r\n")
                 .SendSlowly(body, 20, milliseconds(30)));
  EXPECT_EQ(Exchange(Request(server.Url("/")), cookies).body, Bytes(body));
}

TEST_F(HttpEngine, ABrokenConnectionGivesWhatArrived) {
  server.Add(TestHttpServer::Reply()
                 .Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nfirst part")
                 .Pause(milliseconds(100))
                 .Reset());
  Outcome outcome = Exchange(Request(server.Url("/")), cookies);
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.body, Bytes("first part"));
}

TEST_F(HttpEngine, AnUnreachableServerCompletesWithNothing) {
  std::string url;
  {
    TestHttpServer gone;
    url = gone.Url("/");
  }
  Outcome outcome = Exchange(Request(url), cookies);
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.marker, "Tarnbel_OK");
  EXPECT_EQ(outcome.headerText, "");
  EXPECT_TRUE(outcome.body.empty());
}

TEST_F(HttpEngine, BodiesAreCutAtTheCap) {
  std::string big(kMaxBodyBytes + 4096, 'z');
  server.Add(TestHttpServer::Response(200, big));
  Outcome outcome = Exchange(Request(server.Url("/")), cookies);
  EXPECT_EQ(outcome.marker, "Tarnbel_OK");
  EXPECT_EQ(outcome.body.size(), kMaxBodyBytes);
}

TEST_F(HttpEngine, StopEndsAnExchangeTheServerNeverAnswers) {
  server.Add(TestHttpServer::Reply().Hang());
  std::atomic<bool> stop{false};
  std::thread stopper([&] {
    server.WaitForRequests(1, milliseconds(5000));
    stop = true;
  });
  auto started = std::chrono::steady_clock::now();
  Outcome outcome = Exchange(Request(server.Url("/")), cookies, &stop);
  stopper.join();
  EXPECT_TRUE(outcome.body.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
}

// Cookies a response sets travel with later requests to the same host.
class CookieExchange : public HttpEngine {
 protected:
  void SetCookies(const std::string& lines) {
    server.Add(TestHttpServer::Response(200, "set", lines));
    Exchange(Request(server.Url("/set")), cookies);
  }
};

TEST_F(CookieExchange, TheNextRequestToTheHostCarriesThem) {
  SetCookies("Set-Cookie: a=1; path=/\r\nset-cookie: b=2\r\nX-Set-Cookie: c=3\r\n");
  Text url = server.Url("/next");
  // "X-Set-Cookie: c=3" loses its first 12 bytes, leaving the name ": c".
  EXPECT_EQ(Sent(Request(url)),
            Start("GET /next HTTP/1.1") + Defaults(url) + "Cookie: a=1; b=2; : c=3\r\n\r\n");
}

TEST_F(CookieExchange, ALongHeaderBlockKeepsItsCookies) {
  SetCookies("X-Pad: " + std::string(3000, 'p') + "\r\nSet-Cookie: late=1\r\n");
  EXPECT_NE(Sent(Request(server.Url("/"))).find("\r\nCookie: late=1\r\n"), std::string::npos);
}

TEST_F(CookieExchange, ALineWithoutEqualsIsANamelessCookie) {
  SetCookies("Set-Cookie: flag\r\n");
  std::string sent = Sent(Request(server.Url("/")));
  EXPECT_NE(sent.find("\r\nCookie: flag\r\n"), std::string::npos) << sent;
}

TEST_F(CookieExchange, CookiesBelongToTheHostNotThePort) {
  SetCookies("Set-Cookie: a=1\r\n");
  TestHttpServer sameHost;
  sameHost.Add(TestHttpServer::Response(200, ""));
  Exchange(Request(sameHost.Url("/")), cookies);
  ASSERT_EQ(sameHost.Requests().size(), 1u);
  EXPECT_NE(sameHost.Requests()[0].find("\r\nCookie: a=1\r\n"), std::string::npos);

  server.Add(TestHttpServer::Response(200, ""));
  Exchange(Request("http://localhost:" + std::to_string(server.port()) + "/"), cookies);
  ASSERT_TRUE(server.WaitForRequests(2, milliseconds(2000)));
  EXPECT_EQ(server.Requests()[1].find("Cookie"), std::string::npos);
}

TEST_F(CookieExchange, CookiesSetOnARedirectTravelOnTheNextHop) {
  server.Add(TestHttpServer::Redirect(302, "/landing", "Set-Cookie: session=s1; path=/\r\n"));
  server.Add(TestHttpServer::Response(200, "in"));
  EXPECT_EQ(Exchange(Request(server.Url("/login")), cookies).body, Bytes("in"));
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_NE(server.Requests()[1].find("\r\nCookie: session=s1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace panscout
