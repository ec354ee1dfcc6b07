// https with the certificate checked, redirects into and out of it, and the
// cookies a redirect across hosts leaves.

#include "net/tls_fixture.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

class Https : public TlsFixture {
 protected:
  void SetUp() override {
    TlsFixture::SetUp();
    if (HasFatalFailure()) return;
    https_->server().Get("/down", [this](const httplib::Request&, httplib::Response& res) {
      res.set_redirect(plain_.Url("/plain"));
    });
    https_->Start();
  }
  TestHttpServer plain_;
};

TEST_F(Https, TheCertificateDecides) {
  struct Case {
    std::string what;
    Text url;
    NetworkSettings network;
    std::string body, reason;  // reason: how it begins
  };
  NetworkSettings viaCertFile;
  viaCertFile.caFile = (*certificates_)->ca.string();
  const Case cases[] = {
      {"trusted", https_->Url("/page"), Trusting(), "secure page", "ok"},
      {"the test CA through SSL_CERT_FILE", https_->Url("/page"), viaCertFile, "secure page", "ok"},
      {"only the system's CAs", https_->Url("/page"), NetworkSettings{}, "",
       "certificate verify failed: unable to get local issuer certificate"},
      {"a name the certificate does not hold", https_->Url("/page", "127.0.0.1"), Trusting(), "",
       "certificate verify failed: no alternative certificate subject name matches target host name '127.0.0.1'"},
      {"a redirect down to http", https_->Url("/down"), Trusting(), "",
       "refused the redirect from https to " + plain_.Url("/plain")},
  };
  for (const Case& c : cases) {
    Fetched fetched = Get(c.url, c.network);
    EXPECT_EQ(fetched.body.data, c.body) << c.what;
    EXPECT_EQ(fetched.status.Reason(), c.reason) << c.what;
  }
  // The refused redirect was never followed.
  EXPECT_TRUE(plain_.Requests().empty());
}

TEST_F(Https, AnHttpAddressRedirectedToHttpsIsFollowed) {
  plain_.Add(TestHttpServer::Redirect(301, https_->Url("/page")));
  Fetched fetched = Get(plain_.Url("/start"), Trusting());
  EXPECT_EQ(fetched.body.data, "secure page");
  EXPECT_TRUE(fetched.status.ok()) << fetched.status.Reason();
}

TEST(CookiesAcrossHosts, ARedirectToAnotherHostFilesEachHostsOwn) {
  TestHttpServer other;
  other.Add(TestHttpServer::Response(200, "landed", "Set-Cookie: b=2\r\n"));
  TestHttpServer first;
  const Text landing = "http://localhost:" + std::to_string(other.port()) + "/land";
  first.Add(TestHttpServer::Redirect(302, landing, "Set-Cookie: a=1\r\nSet-Cookie: d=1; Domain=localhost\r\n"));
  CookieStore cookies;
  ScriptedEventPump pump;
  EXPECT_EQ(FetchPage(pump, cookies, first.Url("/go")).body.data, "landed");
  // The last answer is filed under the host asked as well; a Domain that
  // does not cover the host that set it is refused.
  EXPECT_EQ(cookies.CookieLineFor("http://127.0.0.1", "/"), "a=1; b=2");
  EXPECT_EQ(cookies.CookieLineFor("http://localhost", "/"), "b=2");
}

}  // namespace
}  // namespace panscout
