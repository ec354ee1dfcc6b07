#include "cli/interrupt_notifier.h"

#include <QSocketNotifier>
#include <csignal>
#include <unistd.h>

namespace panscout {
namespace {

int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t interrupts = 0;

void OnSigint(int) {
  if (++interrupts > 1) _exit(130);
  char byte = 1;
  [[maybe_unused]] auto written = write(pipeEnds[1], &byte, 1);
}

}  // namespace

InterruptNotifier::InterruptNotifier(QObject* parent) : QObject(parent) {
  if (pipe(pipeEnds) != 0) return;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte;
    [[maybe_unused]] auto got = read(pipeEnds[0], &byte, 1);
    emit interrupted();
  });
  std::signal(SIGINT, OnSigint);
}

}  // namespace panscout
