#include "net/network_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace panscout {
namespace {

TEST(NetworkSettings, ProxiesComeFromTheEnvironmentInEitherCaseOrFromTheOption) {
  struct Case {
    std::map<std::string, std::string> environment;
    std::string option;
    std::string http, https, noProxy;
  };
  const Case cases[] = {
      {{}, "", "", "", ""},
      {{{"http_proxy", "h:1"}, {"https_proxy", "s:2"}, {"no_proxy", "a.test"}}, "", "h:1", "s:2", "a.test"},
      {{{"HTTP_PROXY", "H:1"}, {"HTTPS_PROXY", "S:2"}, {"NO_PROXY", "b.test"}}, "", "H:1", "S:2", "b.test"},
      {{{"http_proxy", "low:1"}, {"HTTP_PROXY", "up:1"}}, "", "low:1", "", ""},
      {{{"all_proxy", "socks5h://all:3"}, {"https_proxy", "s:2"}}, "", "socks5h://all:3", "s:2", ""},
      {{{"ALL_PROXY", "all:3"}}, "", "all:3", "all:3", ""},
      {{{"http_proxy", "h:1"}, {"no_proxy", "c.test"}}, "socks5://o:4", "socks5://o:4", "socks5://o:4", "c.test"},
      {{{"http_proxy", "h:1"}, {"all_proxy", "a:1"}}, "none", "", "", ""},
      {{}, "HTTP://u:p@o:5", "HTTP://u:p@o:5", "HTTP://u:p@o:5", ""},
  };
  for (const Case& c : cases) {
    auto environment = [&c](const char* name) {
      auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    NetworkSetup setup = MakeNetworkSettings(c.option, "", environment);
    ASSERT_TRUE(setup.settings) << setup.error;
    EXPECT_EQ(setup.settings->ProxyFor(false), c.http) << c.option;
    EXPECT_EQ(setup.settings->ProxyFor(true), c.https) << c.option;
    EXPECT_EQ(setup.settings->noProxy, c.noProxy) << c.option;
  }
}

TEST(NetworkSettings, CertificatesAndWhatIsRefused) {
  const std::string pem = ::testing::TempDir() + "panscout-ca.pem", other = ::testing::TempDir() + "panscout-not.pem";
  std::ofstream(pem) << "-----BEGIN CERTIFICATE-----\nMIIB\n-----END CERTIFICATE-----\n";
  std::ofstream(other) << "no certificate\n";
  auto environment = [](const char* name) { return std::string(name) == "SSL_CERT_FILE" ? "/etc/x.pem" : nullptr; };
  NetworkSetup setup = MakeNetworkSettings("", pem, environment);
  ASSERT_TRUE(setup.settings);
  EXPECT_EQ(setup.settings->caFile, "/etc/x.pem");
  ASSERT_TRUE(setup.settings->extraCas);
  EXPECT_EQ(setup.settings->extraCas->rfind("-----BEGIN CERTIFICATE-----", 0), 0u);
  for (const auto& [proxy, caFile] : {std::pair<std::string, std::string>{"ftp://x:1", ""}, {"socks4://x:1", ""},
                                      {"", other}, {"", "/nonexistent.pem"}}) {
    EXPECT_FALSE(MakeNetworkSettings(proxy, caFile, environment).settings) << proxy << caFile;
  }
}

}  // namespace
}  // namespace panscout
