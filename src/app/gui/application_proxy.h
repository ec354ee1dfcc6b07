#pragma once

#include <QNetworkProxy>

#include <optional>
#include <string>

namespace panscout {

// The proxy Qt takes for a --proxy value: none for "none", the given one for
// an http, socks5 or socks5h URL; nullopt for the environment's (empty) and
// for an https proxy, which Qt's proxy cannot speak to.
std::optional<QNetworkProxy> QtProxyFor(const std::string& proxy);

// Gives the window's web views the proxy the program's own requests use;
// without one of Qt's, they read the environment's as the system settings.
// Must run before the first web view is made.
void UseProxyForWebViews(const std::string& proxy);

}  // namespace panscout
