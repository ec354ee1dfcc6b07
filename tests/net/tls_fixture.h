#pragma once
// Pages fetched over https from a server whose certificate a test CA signed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>

#include "net/cookie_store.h"
#include "net/page_fetch.h"
#include "support/local_https_server.h"
#include "support/scripted_event_pump.h"

namespace panscout {

// An environment without proxies or certificate files.
inline const char* NoEnvironment(const char*) { return nullptr; }

class TlsFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    certificates_ = new auto(testing::MakeTestCertificates(std::filesystem::path(::testing::TempDir()) /
                                                           ("panscout-tls-" + std::to_string(getpid()))));
  }
  static void TearDownTestSuite() {
    delete certificates_;
    certificates_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(*certificates_) << "openssl could not make the test certificates";
    https_ = std::make_unique<testing::LocalHttpsServer>(**certificates_);
    https_->server().Get("/page", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("secure page", "text/html");
    });
  }

  // Direct, trusting the test CA besides the system's.
  static NetworkSettings Trusting(const std::string& proxy = "none") {
    return *MakeNetworkSettings(proxy, (*certificates_)->ca.string(), NoEnvironment).settings;
  }
  Fetched Get(const Text& url, const NetworkSettings& network) {
    ScriptedEventPump pump;
    return FetchPage(pump, cookies_, url, {.timeoutSeconds = 20, .serverSilenceSeconds = 20, .network = network});
  }

  static std::optional<testing::TestCertificates>* certificates_;
  std::unique_ptr<testing::LocalHttpsServer> https_;
  CookieStore cookies_;
};

inline std::optional<testing::TestCertificates>* TlsFixture::certificates_ = nullptr;

}  // namespace panscout
