#include <QDesktopServices>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <fstream>

#include "app/gui/window_options.h"
#include "app/gui/qt_shell_opener.h"

namespace panscout {
namespace {

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls << url; }
};

TEST(QtShellOpener, HandsOnlyWebAddressesToTheDesktop) {
  UrlCatcher catcher;
  for (const char* scheme : {"http", "https", "file", "ftp", "javascript"}) {
    QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
  }
  QtShellOpener shell;
  for (const char* address : {"http://dl.test/a b.zip", "https://dl.test/%E4%B8%AD",
                              "file:///etc/passwd", "ftp://dl.test/x", "javascript:alert(1)",
                              "/usr/bin/xterm"}) {
    OpenWithShell(shell, address);
    shell.OpenUrl(address);
  }
  for (const char* scheme : {"http", "https", "file", "ftp", "javascript"}) {
    QDesktopServices::unsetUrlHandler(scheme);
  }
  ASSERT_EQ(catcher.urls.size(), 4);
  EXPECT_EQ(catcher.urls[0].host(), "dl.test");
  EXPECT_EQ(catcher.urls[0].path(), "/a b.zip");
  EXPECT_EQ(catcher.urls[2].scheme(), "https");
}

TEST(HostsOption, ReadsTheHostsFileAndReportsItsFaults) {
  QTemporaryDir dir;
  std::string good = dir.filePath("good.ini").toStdString();
  std::ofstream(good) << "[endpoints]\nbaidu = 127.0.0.1:8080\n";
  std::string bad = dir.filePath("bad.ini").toStdString();
  std::ofstream(bad) << "this is not a hosts file\n";

  WindowOptions options;
  Hosts& hosts = options.hosts;
  EXPECT_EQ(ReadWindowOptions({"panscout"}, options), std::nullopt);
  EXPECT_EQ(hosts.baidu, Hosts::Defaults().baidu);
  EXPECT_EQ(ReadWindowOptions({"panscout", "--hosts", QString::fromStdString(good)}, options), std::nullopt);
  EXPECT_EQ(hosts.baidu, "127.0.0.1:8080");
  EXPECT_EQ(hosts.google, Hosts::Defaults().google);

  EXPECT_TRUE(ReadWindowOptions({"panscout", "--hosts=" + QString::fromStdString(bad)}, options));
  EXPECT_TRUE(ReadWindowOptions({"panscout", "--hosts"}, options));
  EXPECT_TRUE(ReadWindowOptions({"panscout", "--hosts", dir.filePath("none.ini")}, options));
  EXPECT_TRUE(ReadWindowOptions({"panscout", "--colour"}, options));
  EXPECT_TRUE(ReadWindowOptions({"panscout", "stray"}, options));
  EXPECT_TRUE(options.sourceDirs.empty());
  EXPECT_EQ(ReadWindowOptions({"panscout", "--sources", "/my/sources"}, options), std::nullopt);
  EXPECT_EQ(options.sourceDirs, std::vector<std::filesystem::path>{"/my/sources"});
}

}  // namespace
}  // namespace panscout

#include "shell_and_options_test.moc"
