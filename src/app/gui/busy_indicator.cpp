#include "app/gui/busy_indicator.h"

#include <QPainter>

namespace panscout {

namespace {
constexpr int kSpokes = 12;
constexpr int kFrameMilliseconds = 80;
}  // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kSpokes;
    update();
  });
}

void BusyIndicator::showEvent(QShowEvent*) { timer_.start(kFrameMilliseconds); }
void BusyIndicator::hideEvent(QHideEvent*) { timer_.stop(); }

void BusyIndicator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF card = QRectF(rect()).adjusted(4, 4, -4, -4);
  p.setPen(QPen(QColor(0, 0, 0, 30), 1));
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawRoundedRect(card, 12, 12);

  p.translate(card.center());
  double outer = card.width() * 0.34, inner = outer * 0.5;
  for (int i = 0; i < kSpokes; ++i) {
    // The spoke at the current frame is darkest; the trail behind it fades.
    int age = (frame_ - i + kSpokes) % kSpokes;
    QColor spoke(41, 121, 255);
    spoke.setAlphaF(1.0 - age / double(kSpokes) * 0.85);
    p.setPen(QPen(spoke, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -inner), QPointF(0, -outer));
    p.rotate(360.0 / kSpokes);
  }
}

}  // namespace panscout
