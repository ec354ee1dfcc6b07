#pragma once
// An HTTPS server on 127.0.0.1 at a free port, with a certificate the test
// made, serving from its own thread for the lifetime of the object.

#define CPPHTTPLIB_OPENSSL_SUPPORT
#include <httplib.h>

#include <string>
#include <thread>

#include "support/test_certificates.h"

namespace panscout::testing {

class LocalHttpsServer {
 public:
  explicit LocalHttpsServer(const TestCertificates& certificates)
      : server_(certificates.serverCert.c_str(), certificates.serverKey.c_str()) {}
  ~LocalHttpsServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  httplib::SSLServer& server() { return server_; }

  // Call after adding the handlers.
  void Start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }

  // The certificate names "localhost"; `host` may be another name of 127.0.0.1.
  std::string Url(const std::string& path, const std::string& host = "localhost") const {
    return "https://" + host + ":" + std::to_string(port_) + path;
  }

 private:
  httplib::SSLServer server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace panscout::testing
