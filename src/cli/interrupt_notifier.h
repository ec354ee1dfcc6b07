#pragma once

#include <QObject>

class QSocketNotifier;

namespace panscout {

// Turns Ctrl-C into a Qt signal on the event loop; a second Ctrl-C ends the
// process at once.
class InterruptNotifier : public QObject {
  Q_OBJECT
 public:
  explicit InterruptNotifier(QObject* parent = nullptr);

 signals:
  void interrupted();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace panscout
