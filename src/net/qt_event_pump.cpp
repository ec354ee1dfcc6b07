#include "net/qt_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace panscout {
namespace {

// Counts what the application delivers while one wait sleeps, except the
// wait's own alarm. Qt lets it watch the main thread only.
class DeliveryCounter : public QObject {
 public:
  explicit DeliveryCounter(const QObject* alarm) : alarm_(alarm) {
    auto* app = QCoreApplication::instance();
    watching_ = app && app->thread() == QThread::currentThread();
    if (watching_) app->installEventFilter(this);
  }
  bool watching() const { return watching_; }
  int deliveries() const { return deliveries_; }

  bool eventFilter(QObject* watched, QEvent*) override {
    if (watched != alarm_) ++deliveries_;
    return false;
  }

 private:
  const QObject* alarm_;
  bool watching_;
  int deliveries_ = 0;
};

}  // namespace

EventPump::WaitResult QtEventPump::Wait(const std::shared_ptr<Completion>& done,
                                        std::chrono::milliseconds timeout) {
  if (done->IsSignalled()) return WaitResult::kSignalled;
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!dispatcher) return done->WaitFor(timeout) ? WaitResult::kSignalled : WaitResult::kTimeout;

  QTimer alarm;
  alarm.setSingleShot(true);
  alarm.setTimerType(Qt::PreciseTimer);
  bool expired = false;
  QObject::connect(&alarm, &QTimer::timeout, [&expired] { expired = true; });
  alarm.start(std::min(timeout, std::chrono::milliseconds(INT_MAX)));
  DeliveryCounter counter(&alarm);

  done->SetWaker([dispatcher] { dispatcher->wakeUp(); });
  WaitResult result = WaitResult::kTimeout;
  while (result == WaitResult::kTimeout && !expired) {
    bool woken = dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (done->IsSignalled())
      result = WaitResult::kSignalled;
    else if (counter.watching() ? counter.deliveries() > 0 : woken && !expired)
      result = WaitResult::kInput;
  }
  done->SetWaker(nullptr);
  return result;
}

void QtEventPump::DispatchPending() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace panscout
