// Requests through real proxies: tinyproxy for HTTP (CONNECT for https) and
// microsocks for SOCKS5, started here on 127.0.0.1.

#include <unistd.h>

#include "net/tls_fixture.h"
#include "support/local_proxy.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

using testing::LocalProxy;

class Proxies : public TlsFixture {
 protected:
  void SetUp() override {
    TlsFixture::SetUp();
    if (HasFatalFailure()) return;
    https_->Start();
  }
  static std::filesystem::path Dir() {
    return std::filesystem::path(::testing::TempDir()) / ("panscout-proxy-" + std::to_string(getpid()));
  }
};

TEST_F(Proxies, EveryKindCarriesHttpAndHttps) {
  struct Case {
    LocalProxy::Kind kind;
    std::string scheme;
    bool https;
  };
  const Case cases[] = {
      {LocalProxy::kHttp, "http", false},    {LocalProxy::kHttp, "http", true},
      {LocalProxy::kSocks5, "socks5", false}, {LocalProxy::kSocks5, "socks5", true},
      {LocalProxy::kSocks5, "socks5h", true},
  };
  for (const Case& c : cases) {
    const std::string what = c.scheme + (c.https ? " to https" : " to http");
    TestHttpServer plain;
    plain.Add(TestHttpServer::Response(200, "plain page"));
    const Text url = c.https ? https_->Url("/page") : plain.Url("/page");
    const std::string body = c.https ? "secure page" : "plain page";
    NetworkSettings network;
    {
      LocalProxy proxy(c.kind, Dir());
      ASSERT_TRUE(proxy.running()) << what;
      network = Trusting(proxy.Url(c.scheme));
      Fetched fetched = Get(url, network);
      EXPECT_EQ(fetched.body.data, body) << what << ": " << fetched.status.Reason();
    }
    // With the proxy gone the same request fails: it went through the proxy.
    plain.Add(TestHttpServer::Response(200, "plain page"));
    EXPECT_EQ(Get(url, network).status.kind, FetchStatus::kUnconnected) << what;
  }
}

TEST_F(Proxies, NoProxyAndTheRequestsOwnProxyGoAroundTheRunsProxy) {
  TestHttpServer server;
  NetworkSettings dead = Trusting("http://127.0.0.1:1");
  EXPECT_EQ(Get(server.Url("/"), dead).status.Reason(), "connection refused");
  struct Case {
    std::string noProxy;
    bool direct;
  };
  for (const Case& c : {Case{"127.0.0.1", true}, Case{"*", true}, Case{"localhost", false}, Case{"", false}}) {
    NetworkSettings network = dead;
    network.noProxy = c.noProxy;
    if (c.direct) server.Add(TestHttpServer::Response(200, "direct"));
    EXPECT_EQ(Get(server.Url("/"), network).body.data, c.direct ? "direct" : "") << c.noProxy;
  }
  LocalProxy proxy(LocalProxy::kHttp, Dir());
  ASSERT_TRUE(proxy.running());
  server.Add(TestHttpServer::Response(200, "via the request's proxy"));
  ScriptedEventPump pump;
  FetchOptions options{.proxy = "127.0.0.1:" + std::to_string(proxy.port()), .network = dead};
  EXPECT_EQ(FetchPage(pump, cookies_, server.Url("/"), options).body.data, "via the request's proxy");
  EXPECT_NE(server.Requests().back().find("(tinyproxy/"), std::string::npos) << server.Requests().back();
}

}  // namespace
}  // namespace panscout
