#include "support/local_proxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

extern char** environ;

namespace panscout::testing {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port the system just handed out and took back; the proxy binds it next.
int FreePort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
               getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  close(fd);
  return bound ? ntohs(address.sin_port) : 0;
}

bool Accepts(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(port);
  bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

}  // namespace

LocalProxy::LocalProxy(Kind kind, const std::filesystem::path& dir) {
  const int port = FreePort();
  std::filesystem::create_directories(dir);
  const std::string config = (dir / "tinyproxy.conf").string();
  std::vector<std::string> argv;
  if (kind == kHttp) {
    std::ofstream(config) << "Port " << port << "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\nLogLevel Critical\n"
                          << "MaxClients 20\n";
    argv = {"/usr/bin/tinyproxy", "-d", "-c", config};
  } else {
    argv = {"/usr/bin/microsocks", "-i", "127.0.0.1", "-p", std::to_string(port)};
  }
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  bool spawned = port > 0 && posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  if (!spawned) {
    pid_ = -1;
    return;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (Accepts(port)) {
      port_ = port;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

LocalProxy::~LocalProxy() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

std::string LocalProxy::Url(const std::string& scheme) const {
  return scheme + "://127.0.0.1:" + std::to_string(port_);
}

}  // namespace panscout::testing
