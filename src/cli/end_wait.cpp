#include "cli/end_wait.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace panscout {
namespace {

// A signal handler can reach nothing but these.
int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t interrupts = 0;

constexpr char kEnded = 0, kInterrupted = 1;

void Send(char byte) { [[maybe_unused]] auto written = write(pipeEnds[1], &byte, 1); }

void OnSigint(int) {
  if (++interrupts > 1) _exit(130);
  Send(kInterrupted);
}

}  // namespace

EndWait::EndWait() {
  if (pipe(pipeEnds) == 0) std::signal(SIGINT, OnSigint);
}

EndWait::~EndWait() {
  std::signal(SIGINT, SIG_DFL);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

void EndWait::End() { Send(kEnded); }

void EndWait::Wait(const std::function<void()>& interrupted) {
  for (char byte; ;) {
    ssize_t got = read(pipeEnds[0], &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got != 1 || byte == kEnded) return;
    interrupted();
  }
}

}  // namespace panscout
