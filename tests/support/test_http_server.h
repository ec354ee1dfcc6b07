#pragma once
// A raw-socket HTTP server on 127.0.0.1 for tests. It records the exact bytes
// of every request and answers each connection's request with the next
// scripted reply, which can pause, send slowly, reset the connection or hang,
// and can send any raw bytes. One request per connection; the connection is
// closed after the reply. Replies are used in the order they were added; when
// none is left the answer is a 404.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace panscout {

class TestHttpServer {
 public:
  class Reply {
   public:
    Reply& Send(std::string bytes);
    // In pieces of `chunk` bytes with `interval` before each.
    Reply& SendSlowly(std::string bytes, std::size_t chunk, std::chrono::milliseconds interval);
    Reply& Pause(std::chrono::milliseconds duration);
    // Ends the connection with a reset instead of an orderly close.
    Reply& Reset();
    // Keeps the connection open without a word until the server stops.
    Reply& Hang();

   private:
    friend class TestHttpServer;
    struct Step {
      enum Kind { kSend, kPause, kReset, kHang } kind;
      std::string bytes;
      std::chrono::milliseconds pause{};
    };
    std::vector<Step> steps_;
  };

  // A complete response: status line, the given header lines (each ending in
  // CR LF), Content-Length, "Connection: close", then the body.
  static Reply Response(int status, const std::string& body, const std::string& headerLines = "");
  static Reply Redirect(int status, const std::string& location, const std::string& headerLines = "");

  TestHttpServer();
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" + path.
  std::string Url(const std::string& path) const;

  void Add(Reply reply);
  std::vector<std::string> Requests() const;
  // Waits until `count` requests have arrived; false after `timeout`.
  bool WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

 private:
  void AcceptLoop();
  void Serve(int connection);
  std::string ReadRequest(int connection);
  // False when the server stops meanwhile.
  bool Sleep(std::chrono::milliseconds duration);

  int listener_ = -1;
  int port_ = 0;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool stopping_ = false;
  std::vector<Reply> replies_;
  std::size_t nextReply_ = 0;
  std::vector<std::string> requests_;
  std::set<int> connections_;
  std::vector<std::thread> servers_;
  std::thread acceptor_;
};

}  // namespace panscout
