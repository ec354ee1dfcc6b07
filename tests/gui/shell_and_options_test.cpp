#include <QDesktopServices>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <fstream>

#include "app/gui/application_proxy.h"
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

TEST(ProxyOption, TheWebViewsGetTheProxyOfTheProgramsRequests) {
  struct Case {
    std::string proxy;
    bool qt;  // false: the environment's, as the system settings
    QNetworkProxy::ProxyType type;
    QString host, user;
    int port;
    bool namesAtProxy;
  };
  const Case cases[] = {
      {"", false, {}, {}, {}, 0, false},
      {"https://p:1", false, {}, {}, {}, 0, false},
      {"none", true, QNetworkProxy::NoProxy, "", "", 0, false},
      {"127.0.0.1:3128", true, QNetworkProxy::HttpProxy, "127.0.0.1", "", 3128, true},
      {"http://u:pw@p.test", true, QNetworkProxy::HttpProxy, "p.test", "u", 80, true},
      {"socks5://p.test:1080", true, QNetworkProxy::Socks5Proxy, "p.test", "", 1080, false},
      {"socks5h://p.test:9", true, QNetworkProxy::Socks5Proxy, "p.test", "", 9, true},
  };
  for (const Case& c : cases) {
    std::optional<QNetworkProxy> qt = QtProxyFor(c.proxy);
    ASSERT_EQ(qt.has_value(), c.qt) << c.proxy;
    if (!qt) continue;
    EXPECT_EQ(qt->type(), c.type) << c.proxy;
    EXPECT_EQ(qt->hostName(), c.host) << c.proxy;
    EXPECT_EQ(qt->user(), c.user) << c.proxy;
    if (c.type != QNetworkProxy::NoProxy) {
      EXPECT_EQ(qt->port(), c.port) << c.proxy;
      EXPECT_EQ(bool(qt->capabilities() & QNetworkProxy::HostNameLookupCapability), c.namesAtProxy) << c.proxy;
    }
  }
  WindowOptions options;
  EXPECT_EQ(ReadWindowOptions({"panscout", "--proxy", "socks5://127.0.0.1:1"}, options), std::nullopt);
  EXPECT_EQ(options.network.ProxyFor(true), "socks5://127.0.0.1:1");
  EXPECT_TRUE(ReadWindowOptions({"panscout", "--proxy", "ftp://x"}, options));
  EXPECT_TRUE(ReadWindowOptions({"panscout", "--cacert", "/nonexistent.pem"}, options));
}

}  // namespace
}  // namespace panscout

#include "shell_and_options_test.moc"
