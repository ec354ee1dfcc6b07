#include "search/hosts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

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

}  // namespace
}  // namespace panscout
