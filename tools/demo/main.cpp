// panscout-demo: local stand-ins for every outside service Panscout queries,
// each on its own port of 127.0.0.1, until SIGTERM or SIGINT.
//   panscout-demo [--write-hosts FILE] [--port-base N] [--slow SERVICE=MS]

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "demo_hosts.h"
#include "services.h"

namespace {

using panscout::demo::DemoHosts;
using panscout::demo::kServices;

struct Options {
  std::string hostsPath;
  int portBase = 0;  // 0: any free ports
  // One service that waits this long before each answer, as a slow site does.
  std::string slowService;
  int slowMilliseconds = 0;
};

bool ParseSlow(const std::string& value, Options& options) {
  const std::size_t equals = value.find('=');
  if (equals == std::string::npos) return false;
  options.slowService = value.substr(0, equals);
  options.slowMilliseconds = std::atoi(value.c_str() + equals + 1);
  for (const auto& entry : kServices) {
    if (options.slowService == entry.name) return options.slowMilliseconds > 0;
  }
  return false;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    if (arg == "--write-hosts") {
      options.hostsPath = argv[++i];
    } else if (arg == "--port-base") {
      options.portBase = std::atoi(argv[++i]);
      if (options.portBase < 1 || options.portBase > 65535 - int(kServices.size())) return false;
    } else if (arg == "--slow") {
      if (!ParseSlow(argv[++i], options)) return false;
    } else {
      return false;
    }
  }
  return true;
}

// Readers poll for a non-empty file, so it appears whole or not at all.
bool WriteHostsFile(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: panscout-demo [--write-hosts FILE] [--port-base N] [--slow SERVICE=MS]\n";
    return 2;
  }
  // Blocked here, so every server thread inherits the mask and sigwait below
  // receives the signal.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  DemoHosts hosts;
  std::vector<std::unique_ptr<httplib::Server>> servers;
  for (std::size_t i = 0; i < kServices.size(); ++i) {
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new httplib::ThreadPool(4); };
    // An idle kept-alive connection holds up the stop for this long.
    server->set_keep_alive_timeout(1);
    if (options.slowService == kServices[i].name) {
      server->set_pre_routing_handler([delay = options.slowMilliseconds](const httplib::Request&, httplib::Response&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        return httplib::Server::HandlerResponse::Unhandled;
      });
    }
    const int port = options.portBase == 0 ? server->bind_to_any_port("127.0.0.1")
                     : server->bind_to_port("127.0.0.1", options.portBase + int(i))
                         ? options.portBase + int(i)
                         : -1;
    if (port <= 0) {
      std::cerr << "panscout-demo: cannot listen for " << kServices[i].name << "\n";
      return 1;
    }
    hosts.*kServices[i].host = "127.0.0.1:" + std::to_string(port);
    servers.push_back(std::move(server));
  }
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < kServices.size(); ++i) {
    panscout::demo::MountService(kServices[i].service, *servers[i], hosts);
    threads.emplace_back([&server = *servers[i]] { server.listen_after_bind(); });
  }
  // A stop before a server runs would be lost, and the hosts file promises
  // services that answer.
  for (const auto& server : servers) {
    while (!server->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  int status = 0;
  const std::string hostsText = panscout::demo::HostsFileText(hosts);
  if (!options.hostsPath.empty() && !WriteHostsFile(options.hostsPath, hostsText)) {
    // Whoever waits for the file would wait forever.
    std::cerr << "panscout-demo: cannot write " << options.hostsPath << "\n";
    status = 1;
  } else {
    if (!options.hostsPath.empty()) std::cout << "hosts file: " << options.hostsPath << "\n";
    std::cout << hostsText << std::flush;
    int signal = 0;
    sigwait(&stopSignals, &signal);
  }
  for (const auto& server : servers) server->stop();
  for (std::thread& thread : threads) thread.join();
  return status;
}
