#include "support/test_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace panscout {
namespace {

bool SendAll(int connection, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

// The body length the request announces; with several Content-Length lines
// the last one counts.
std::size_t AnnouncedLength(const std::string& head) {
  std::string lower = head;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  auto at = lower.rfind("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoul(head.c_str() + at + 17, nullptr, 10);
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 404: return "Not Found";
    default: return "Status";
  }
}

}  // namespace

TestHttpServer::Reply& TestHttpServer::Reply::Send(std::string bytes) {
  steps_.push_back({Step::kSend, std::move(bytes), {}});
  return *this;
}

TestHttpServer::Reply& TestHttpServer::Reply::SendSlowly(std::string bytes, std::size_t chunk,
                                                         std::chrono::milliseconds interval) {
  for (std::size_t at = 0; at < bytes.size(); at += chunk) Pause(interval).Send(bytes.substr(at, chunk));
  return *this;
}

TestHttpServer::Reply& TestHttpServer::Reply::Pause(std::chrono::milliseconds duration) {
  steps_.push_back({Step::kPause, {}, duration});
  return *this;
}

TestHttpServer::Reply& TestHttpServer::Reply::Reset() {
  steps_.push_back({Step::kReset, {}, {}});
  return *this;
}

TestHttpServer::Reply& TestHttpServer::Reply::Hang() {
  steps_.push_back({Step::kHang, {}, {}});
  return *this;
}

TestHttpServer::Reply TestHttpServer::Response(int status, const std::string& body,
                                               const std::string& headerLines) {
  Reply reply;
  reply.Send("HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n" + headerLines +
             "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
             body);
  return reply;
}

TestHttpServer::Reply TestHttpServer::Redirect(int status, const std::string& location,
                                               const std::string& headerLines) {
  return Response(status, "", "Location: " + location + "\r\n" + headerLines);
}

TestHttpServer::TestHttpServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 64) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("test server cannot listen");
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (int connection : connections_) ::shutdown(connection, SHUT_RDWR);
  }
  changed_.notify_all();
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  ::close(listener_);
  for (std::thread& server : servers_) server.join();
}

std::string TestHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void TestHttpServer::Add(Reply reply) {
  std::lock_guard lock(mutex_);
  replies_.push_back(std::move(reply));
}

std::vector<std::string> TestHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

bool TestHttpServer::WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

void TestHttpServer::AcceptLoop() {
  for (;;) {
    int connection = ::accept(listener_, nullptr, nullptr);
    std::lock_guard lock(mutex_);
    if (stopping_) {
      if (connection >= 0) ::close(connection);
      return;
    }
    if (connection < 0) continue;
    connections_.insert(connection);
    servers_.emplace_back([this, connection] { Serve(connection); });
  }
}

std::string TestHttpServer::ReadRequest(int connection) {
  std::string bytes;
  char buffer[4096];
  std::size_t headEnd = std::string::npos, total = 0;
  while (headEnd == std::string::npos || bytes.size() < total) {
    ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (headEnd == std::string::npos && (headEnd = bytes.find("\r\n\r\n")) != std::string::npos)
      total = headEnd + 4 + AnnouncedLength(bytes.substr(0, headEnd + 2));
  }
  return bytes;
}

bool TestHttpServer::Sleep(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  return !changed_.wait_for(lock, duration, [this] { return stopping_; });
}

void TestHttpServer::Serve(int connection) {
  std::string request = ReadRequest(connection);
  Reply reply = Response(404, "");
  {
    std::lock_guard lock(mutex_);
    if (!request.empty()) requests_.push_back(request);
    if (nextReply_ < replies_.size()) reply = replies_[nextReply_++];
  }
  changed_.notify_all();
  bool open = !request.empty();
  for (const Reply::Step& step : reply.steps_) {
    if (!open) break;
    switch (step.kind) {
      case Reply::Step::kSend:
        open = SendAll(connection, step.bytes.data(), step.bytes.size());
        break;
      case Reply::Step::kPause:
        open = Sleep(step.pause);
        break;
      case Reply::Step::kReset: {
        linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        open = false;
        break;
      }
      case Reply::Step::kHang:
        open = Sleep(std::chrono::hours(24));
        break;
    }
  }
  std::lock_guard lock(mutex_);
  connections_.erase(connection);
  ::close(connection);
}

}  // namespace panscout
