#include "app/gui/first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/gui/start_window.h"

namespace panscout {
namespace {

class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe(long long launchNs, QObject* parent) : QObject(parent), launchNs_(launchNs) {
    // The first paint comes while the start-up question's dialog runs its own
    // loop, before the application's: exit each loop until that one ends too.
    // (quit() would ask the windows to close, which the dialog refuses.)
    quitter_.setInterval(10);
    connect(&quitter_, &QTimer::timeout, [] { QCoreApplication::exit(0); });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = event->type() == QEvent::Paint ? qobject_cast<QWidget*>(watched) : nullptr;
    if (!done_ && widget && qobject_cast<StartWindow*>(widget->window())) {
      done_ = true;
      auto now = std::chrono::system_clock::now().time_since_epoch();
      double ms = static_cast<double>(std::chrono::nanoseconds(now).count() - launchNs_) / 1e6;
      std::printf("first paint %.1f ms after launch\n", ms);
      std::fflush(stdout);
      quitter_.start();
    }
    return false;
  }

 private:
  long long launchNs_;
  bool done_ = false;
  QTimer quitter_;
};

}  // namespace

void InstallFirstPaintProbe(QApplication& app) {
  const char* launch = std::getenv("PANSCOUT_EXIT_AFTER_FIRST_PAINT");
  if (!launch) return;
  app.installEventFilter(new FirstPaintProbe(std::atoll(launch), &app));
}

}  // namespace panscout
