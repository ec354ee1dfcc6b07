#pragma once
// A real proxy on 127.0.0.1 at a free port, run as a child process for the
// lifetime of the object: tinyproxy (HTTP, with CONNECT) or microsocks (SOCKS5).

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace panscout::testing {

class LocalProxy {
 public:
  enum Kind { kHttp, kSocks5 };

  // Starts it and waits until it takes connections; `dir` holds its files.
  LocalProxy(Kind kind, const std::filesystem::path& dir);
  ~LocalProxy();
  LocalProxy(const LocalProxy&) = delete;
  LocalProxy& operator=(const LocalProxy&) = delete;

  bool running() const { return port_ > 0; }
  int port() const { return port_; }
  // "127.0.0.1:<port>" after `scheme` and "://".
  std::string Url(const std::string& scheme) const;

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace panscout::testing
