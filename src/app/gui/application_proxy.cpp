#include "app/gui/application_proxy.h"

#include <QNetworkProxyFactory>
#include <QUrl>

namespace panscout {

std::optional<QNetworkProxy> QtProxyFor(const std::string& proxy) {
  if (proxy.empty()) return std::nullopt;
  if (proxy == "none") return QNetworkProxy(QNetworkProxy::NoProxy);
  // A bare HOST:PORT is an http proxy, as curl takes it.
  QString text = QString::fromStdString(proxy);
  QUrl url(text.contains("://") ? text : "http://" + text);
  QString scheme = url.scheme().toLower();
  QNetworkProxy::ProxyType type = scheme == "http"                           ? QNetworkProxy::HttpProxy
                                  : scheme == "socks5" || scheme == "socks5h" ? QNetworkProxy::Socks5Proxy
                                                                              : QNetworkProxy::DefaultProxy;
  if (type == QNetworkProxy::DefaultProxy || url.host().isEmpty()) return std::nullopt;
  QNetworkProxy qt(type, url.host(), static_cast<quint16>(url.port(type == QNetworkProxy::HttpProxy ? 80 : 1080)),
                   url.userName(), url.password());
  // socks5:// resolves names here, socks5h:// at the proxy.
  if (scheme == "socks5") qt.setCapabilities(qt.capabilities() & ~QNetworkProxy::HostNameLookupCapability);
  return qt;
}

void UseProxyForWebViews(const std::string& proxy) {
  if (std::optional<QNetworkProxy> qt = QtProxyFor(proxy)) {
    QNetworkProxy::setApplicationProxy(*qt);
  } else {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
  }
}

}  // namespace panscout
