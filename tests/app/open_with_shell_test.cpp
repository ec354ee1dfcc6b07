#include "app/open_with_shell.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"

namespace panscout {
namespace {

struct RecordingShell : ShellOpener {
  std::vector<std::string> opened;
  void OpenUrl(const std::string& url) override { opened.push_back(url); }
};

TEST(OpenWithShell, OnlyWebAddressesGoOut) {
  RecordingShell shell;
  for (const char* refused : {"", "http://", "file:///etc/passwd", "/bin/sh", "javascript:alert(1)",
                              "ftp://x/y", " http://x", "mailto:a@b"}) {
    OpenWithShell(shell, refused);
  }
  EXPECT_TRUE(shell.opened.empty());
  OpenWithShell(shell, "HTTP://x/y");
  OpenWithShell(shell, "https://x/" + Gbk("文件"));
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"HTTP://x/y", "https://x/文件"}));
}

}  // namespace
}  // namespace panscout
