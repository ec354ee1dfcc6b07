#pragma once
// Runs panscout-demo for a test: started with a hosts file of its own, read
// once the file appears, stopped with SIGTERM (killed if it will not stop).

#include <sys/types.h>

#include <string>
#include <vector>

#include "demo/demo_hosts.h"

namespace panscout::demo::testing {

class DemoProcess {
 public:
  DemoProcess() = default;
  DemoProcess(const DemoProcess&) = delete;
  DemoProcess& operator=(const DemoProcess&) = delete;
  ~DemoProcess();

  // False when the demo did not write its hosts file within ten seconds.
  bool Start(const std::vector<std::string>& extraArguments = {});
  // The exit status after SIGTERM, or -1 when it had to be killed.
  int Stop();

  const DemoHosts& hosts() const { return hosts_; }
  const std::string& hostsText() const { return hostsText_; }
  const std::string& hostsPath() const { return hostsPath_; }

 private:
  pid_t pid_ = -1;
  std::string hostsPath_;
  std::string hostsText_;
  DemoHosts hosts_;
};

struct HttpReply {
  long status = 0;  // 0 when nothing answered
  std::string contentType;
  std::string body;
};

HttpReply HttpGet(const std::string& url);

}  // namespace panscout::demo::testing
