#include "search/hosts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "search/fixture_pages.h"
#include "search/search_harness.h"

namespace panscout {
namespace {

class HostsFile : public ::testing::Test {
 protected:
  std::optional<std::string> Load(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    return LoadHostsFile(path_, hosts);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  Hosts hosts = Hosts::Defaults();
  // ctest runs each test in a process of its own, side by side.
  std::string path_ = ::testing::TempDir() + "panscout-hosts-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
};

TEST_F(HostsFile, OverridesOnlyTheKeysItNames) {
  ASSERT_EQ(Load("\xEF\xBB\xBF; demo\r\n[endpoints]\r\nbaidu = 127.0.0.1:8081 ; inline\r\n"
                 "[sites]\n115=127.0.0.1:9000\nsnapshot=snap.x\n[links]\nblog=http://127.0.0.1/b\n"),
            std::nullopt);
  EXPECT_EQ(hosts.baidu, "127.0.0.1:8081");
  EXPECT_EQ(hosts.site115, "127.0.0.1:9000");
  EXPECT_EQ(hosts.snapshot, "snap.x");
  EXPECT_EQ(hosts.blog, "http://127.0.0.1/b");
  EXPECT_EQ(hosts.google, Hosts::Defaults().google);
}

TEST_F(HostsFile, MalformedLinesAreErrorsNamingTheLineAndChangeNothing) {
  auto error = Load("[endpoints]\nbaidu=127.0.0.1:1\ngoogle\n");
  ASSERT_TRUE(error);
  EXPECT_NE(error->find(":3:"), std::string::npos) << *error;
  EXPECT_EQ(hosts.baidu, Hosts::Defaults().baidu);

  EXPECT_TRUE(Load("[nowhere]\nx=1\n"));
  EXPECT_TRUE(Load("[sites]\nbing=1\n"));
  EXPECT_TRUE(Load("baidu=1\n"));
  EXPECT_TRUE(Load("[sites\n"));
  EXPECT_TRUE(Load("[sites]\nxun6=\n"));
  EXPECT_TRUE(LoadHostsFile("/nonexistent/panscout.ini", hosts));
}

TEST_F(HostsFile, ValuesThatAreNoHostAndPortAreRefused) {
  for (std::string value : {"127.0.0.1:8080", "[::1]:9000", "u.115.com", "网盘.cn", "a_b-c.d:1"}) {
    EXPECT_EQ(Load("[sites]\n115=" + value + "\n"), std::nullopt) << value;
  }
  EXPECT_EQ(Load("[endpoints]\nbaidu=https://127.0.0.1:8443/\n"), std::nullopt);
  EXPECT_EQ(EndpointAddress(hosts.baidu), "https://127.0.0.1:8443");
  EXPECT_EQ(EndpointAddress(Hosts::Defaults().baidu), "http://www.baidu.com");
  for (std::string value : {"http://u.115.com", "ftp://u.115.com", "https://", "https://a/b", "u.115.com/path", "u.115.com(", "a b", "[zz]", "[::1",
                            "h:", "h:99999", "h:8x", "::1"}) {
    auto error = Load("[endpoints]\nbaidu=" + value + "\n");
    ASSERT_TRUE(error) << value;
    EXPECT_NE(error->find(":2: baidu"), std::string::npos) << *error;
  }
}

// A host is matched as written, even one holding pattern syntax.
TEST(HostsInPatterns, AreLiteralText) {
  Hosts hosts = Hosts::Defaults();
  hosts.site115 = "u.115.com(";
  testing::SearchHarness search(hosts);
  search.SelectSource(2);
  std::string page = fixtures::BaiduSitePage(2, {3, 3});
  for (std::size_t at = page.find("u.115.com"); at != std::string::npos; at = page.find("u.115.com", at + 10)) {
    page.insert(at + 9, "(");
  }
  search.pages.pages = {page};
  search.Press();
  ASSERT_EQ(search.results.RowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(search.Cell(row, 0), fixtures::HitName(2, row + 1));
    EXPECT_EQ(search.Cell(row, 2).rfind("http://u.115.com(/", 0), 0u) << search.Cell(row, 2);
  }
}

}  // namespace
}  // namespace panscout
