#include "app/gui/dispatching_wait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace panscout {

namespace {
// How often the condition is looked at; short enough not to be noticed.
constexpr int kPollMilliseconds = 15;
}  // namespace

bool WaitDispatching(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done() || clock.elapsed() >= timeout.count()) loop.quit();
  });
  poll.start(kPollMilliseconds);
  if (!done()) loop.exec();
  return done();
}

}  // namespace panscout
