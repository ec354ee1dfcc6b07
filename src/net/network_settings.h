#pragma once
// How every request of a run reaches its server: the proxy for each scheme and
// the certificate authorities trusted. A front end makes it once from its
// options and the environment; every request path is handed the same one.

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace panscout {

struct NetworkSettings {
  // Proxy URLs as curl takes them; empty: direct.
  std::string httpProxy, httpsProxy;
  std::string noProxy;  // hosts and domains reached directly, in curl's syntax
  // Trusted instead of the system's CA file ($SSL_CERT_FILE); empty: the system's.
  std::string caFile;
  // PEM certificates trusted besides (--cacert); null: none.
  std::shared_ptr<const std::string> extraCas;

  // The proxy for an address of the scheme https (or http when false).
  const std::string& ProxyFor(bool https) const { return https ? httpsProxy : httpProxy; }
};

struct NetworkSetup {
  std::optional<NetworkSettings> settings;
  std::string error;  // a usage error when settings is empty
};

using Environment = std::function<const char*(const char*)>;

// `proxy`: empty for the environment's (http_proxy, https_proxy, all_proxy
// and no_proxy, in either case, as curl's users know them), "none", or one
// URL for every scheme (http, https, socks5, socks5h; a bare HOST:PORT is
// http); no_proxy applies to it too, as with curl. `caFile`: a PEM bundle to
// trust besides the system's, or empty.
NetworkSetup MakeNetworkSettings(const std::string& proxy, const std::string& caFile,
                                 const Environment& environment = [](const char* name) { return std::getenv(name); });

}  // namespace panscout
