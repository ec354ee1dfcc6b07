#pragma once
// An HTTP server on 127.0.0.1 at a free port, serving from its own thread for
// the lifetime of the object.

#include <httplib.h>

#include <string>
#include <thread>

namespace panscout::testing {

class LocalHttpServer {
 public:
  LocalHttpServer() = default;
  ~LocalHttpServer() { Stop(); }

  httplib::Server& server() { return server_; }

  // Call after adding the handlers.
  void Start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
  }
  void Stop() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace panscout::testing
