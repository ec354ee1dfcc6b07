#include "net/network_settings.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace panscout {
namespace {

// The lower-case name first, as curl reads them.
std::string Variable(const Environment& environment, std::string name) {
  for (int pass = 0; pass < 2; ++pass) {
    const char* value = environment(name.c_str());
    if (value && *value) return value;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  }
  return {};
}

bool KnownProxyScheme(const std::string& url) {
  auto scheme = url.find("://");
  if (scheme == std::string::npos) return true;
  std::string name = url.substr(0, scheme);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  return name == "http" || name == "https" || name == "socks5" || name == "socks5h";
}

}  // namespace

NetworkSetup MakeNetworkSettings(const std::string& proxy, const std::string& caFile,
                                 const Environment& environment) {
  NetworkSettings settings;
  settings.noProxy = Variable(environment, "no_proxy");
  const char* certFile = environment("SSL_CERT_FILE");
  if (certFile) settings.caFile = certFile;
  if (proxy.empty()) {
    std::string all = Variable(environment, "all_proxy");
    settings.httpProxy = Variable(environment, "http_proxy");
    settings.httpsProxy = Variable(environment, "https_proxy");
    if (settings.httpProxy.empty()) settings.httpProxy = all;
    if (settings.httpsProxy.empty()) settings.httpsProxy = all;
  } else if (proxy != "none") {
    if (!KnownProxyScheme(proxy)) return {std::nullopt, "--proxy takes an http, https, socks5 or socks5h URL, or none"};
    settings.httpProxy = settings.httpsProxy = proxy;
  }
  if (!caFile.empty()) {
    std::ifstream in(caFile, std::ios::binary);
    std::string pem(std::istreambuf_iterator<char>(in), {});
    if (pem.find("-----BEGIN CERTIFICATE-----") == std::string::npos) {
      return {std::nullopt, "--cacert " + caFile + ": no PEM certificate in it"};
    }
    settings.extraCas = std::make_shared<const std::string>(std::move(pem));
  }
  return {std::move(settings), {}};
}

}  // namespace panscout
