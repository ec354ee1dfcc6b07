#pragma once

#include <QTimer>
#include <QWidget>

namespace panscout {

// The animated busy picture: a ring of fading spokes that turns while shown.
class BusyIndicator : public QWidget {
  Q_OBJECT
 public:
  explicit BusyIndicator(QWidget* parent = nullptr);
  int frame() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTimer timer_;
  int frame_ = 0;
};

}  // namespace panscout
