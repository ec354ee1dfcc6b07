// panscout-cli over https through real proxies: what a user sees of each
// failure, its exit status, --verbose, and cookies kept from one run to the next.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/child_process.h"
#include "support/local_https_server.h"
#include "support/local_proxy.h"

namespace panscout {
namespace {

using testing::ChildResult;
using testing::LocalProxy;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The saved namipan page served over https as the search engine's answer.
class CliOverHttps : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "no_proxy", "HTTP_PROXY", "HTTPS_PROXY",
                             "ALL_PROXY", "NO_PROXY", "SSL_CERT_FILE"}) {
      unsetenv(name);
    }
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    certificates_ = testing::MakeTestCertificates(dir_ / "tls");
    ASSERT_TRUE(certificates_);
    https_ = std::make_unique<testing::LocalHttpsServer>(*certificates_);
    https_->server().Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      cookiesSent_.push_back(request.get_header_value("Cookie"));
      response.set_header("Set-Cookie", "visit=1; Max-Age=600");
      response.set_content(FileText(PANSCOUT_SOURCES "/namipan.page.html"), "text/html");
    });
    https_->Start();
    UseEndpoint(https_->Url(""));
  }
  void TearDown() override {
    unsetenv("XDG_DATA_HOME");
    std::filesystem::remove_all(dir_);
  }
  void UseEndpoint(const std::string& endpoint) {
    std::ofstream(hosts_) << "[endpoints]\nbaidu=" << endpoint << "\n";
  }
  ChildResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {PANSCOUT_CLI, "--hosts", hosts_.string(), "--source", "namipan", "--max-pages", "1",
                               "--timeout", "20"});
    args.push_back("movie");
    return testing::RunChild(args);
  }
  std::vector<std::string> WithCa(std::vector<std::string> args) {
    args.insert(args.end(), {"--cacert", certificates_->ca.string()});
    return args;
  }

  const std::filesystem::path dir_ =
      std::filesystem::path(::testing::TempDir()) / ("panscout-cli-net-" + std::to_string(getpid()));
  const std::filesystem::path hosts_ = dir_ / "hosts.ini";
  std::optional<testing::TestCertificates> certificates_;
  std::unique_ptr<testing::LocalHttpsServer> https_;
  std::vector<std::string> cookiesSent_;
};

TEST_F(CliOverHttps, ASearchListsItsRowsThroughEveryKindOfProxy) {
  const std::string rows = FileText(PANSCOUT_SOURCES "/namipan.rows.tsv");
  LocalProxy http(LocalProxy::kHttp, dir_ / "tinyproxy"), socks(LocalProxy::kSocks5, dir_ / "microsocks");
  ASSERT_TRUE(http.running() && socks.running());
  struct Case {
    std::string environment;  // https_proxy, when set
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {http.Url("http"), {}},
      {socks.Url("socks5h"), {}},
      {"http://127.0.0.1:1", {"--proxy", http.Url("http")}},
      {"http://127.0.0.1:1", {"--proxy", socks.Url("socks5")}},
  };
  for (const Case& c : cases) {
    setenv("https_proxy", c.environment.c_str(), 1);
    ChildResult r = Cli(WithCa(c.args));
    EXPECT_EQ(r.exitCode, 0) << c.environment << r.err;
    EXPECT_EQ(r.out, rows) << c.environment << r.err;
  }
  unsetenv("https_proxy");
  // Each went through its proxy: with every one gone the search fails.
  EXPECT_EQ(Cli(WithCa({"--proxy", "http://127.0.0.1:1"})).exitCode, 1);
}

TEST_F(CliOverHttps, AFailedRequestSaysWhyAndExitsWithOne) {
  const std::string page = "/s?wd=site%3A%28www.namipan.com%29movie&pn=0&tn=baiduadv";
  struct Case {
    std::string endpoint;
    std::vector<std::string> args;
    std::string reason;
  };
  const Case cases[] = {
      {https_->Url(""), {}, "certificate verify failed: unable to get local issuer certificate"},
      {https_->Url("", "127.0.0.1"), WithCa({}),
       "certificate verify failed: no alternative certificate subject name matches target host name '127.0.0.1'"},
      {"127.0.0.1:1", {}, "connection refused"},
      {https_->Url(""), {"--proxy", "http://127.0.0.1:1"}, "connection refused"},
  };
  for (const Case& c : cases) {
    UseEndpoint(c.endpoint);
    ChildResult r = Cli(c.args);
    const std::string url = (c.endpoint.starts_with("https") ? c.endpoint : "http://" + c.endpoint) + page;
    EXPECT_EQ(r.exitCode, 1) << c.endpoint;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "panscout-cli: " + url + ": " + c.reason + "\n状态：网络连接失败！\n") << c.endpoint;
  }
}

TEST_F(CliOverHttps, VerboseTellsEveryRequestAndUsageErrorsExitWithTwo) {
  ChildResult r = Cli(WithCa({"--verbose"}));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::regex line("GET https://localhost:[0-9]+/s\\?wd=\\S+ -> 200, ([0-9]+) bytes, [0-9]+ ms\n[^]*");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(r.err, match, line)) << r.err;
  EXPECT_EQ(std::stoul(match[1]), FileText(PANSCOUT_SOURCES "/namipan.page.html").size());
  for (std::vector<std::string> args : {std::vector<std::string>{"--proxy", "ftp://127.0.0.1:1"},
                                        {"--cacert", hosts_.string()}, {"--proxy"}}) {
    EXPECT_EQ(Cli(args).exitCode, 2) << args[0];
  }
}

TEST_F(CliOverHttps, PersistentCookiesOutliveTheRunAndSessionCookiesDoNot) {
  ASSERT_EQ(Cli(WithCa({})).exitCode, 0);
  const std::filesystem::path jar = dir_ / "panscout" / "cookies.txt";
  ASSERT_TRUE(std::filesystem::exists(jar));
  EXPECT_EQ(std::filesystem::status(jar).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_EQ(Cli(WithCa({})).exitCode, 0);
  ASSERT_EQ(cookiesSent_.size(), 2u);
  EXPECT_EQ(cookiesSent_[0], "");
  EXPECT_EQ(cookiesSent_[1], "visit=1");
}

}  // namespace
}  // namespace panscout
