#include "app/gui/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace panscout {

namespace {

// Every picture is drawn on a 64 × 64 canvas and scaled by the icon engine.
QIcon Draw(const std::function<void(QPainter&)>& paint) {
  QIcon icon;
  for (int size : {16, 24, 32, 40, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    paint(p);
    icon.addPixmap(pixmap);
  }
  return icon;
}

QLinearGradient Vertical(QColor top, QColor bottom) {
  QLinearGradient g(0, 0, 0, 64);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

QPainterPath Cloud(double x, double y, double scale) {
  QPainterPath path;
  path.addEllipse(QPointF(x + 18 * scale, y + 24 * scale), 12 * scale, 11 * scale);
  path.addEllipse(QPointF(x + 32 * scale, y + 17 * scale), 15 * scale, 15 * scale);
  path.addEllipse(QPointF(x + 46 * scale, y + 25 * scale), 11 * scale, 10 * scale);
  path.addRoundedRect(QRectF(x + 7 * scale, y + 22 * scale, 50 * scale, 14 * scale), 7 * scale,
                      7 * scale);
  return path.simplified();
}

void Magnifier(QPainter& p, QPointF centre, double radius, QColor colour) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(colour, radius * 0.38, Qt::SolidLine, Qt::RoundCap));
  p.drawEllipse(centre, radius, radius);
  QPointF handle = centre + QPointF(radius * 0.75, radius * 0.75);
  p.drawLine(handle, handle + QPointF(radius * 0.85, radius * 0.85));
}

}  // namespace

QIcon ProductIcon() {
  return Draw([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(QColor(66, 165, 245), QColor(21, 101, 192)));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawPath(Cloud(2, 6, 0.95));
    Magnifier(p, QPointF(27, 30), 11, Qt::white);
  });
}

QIcon NetDiskIcon() {
  return Draw([](QPainter& p) {
    p.setPen(QPen(QColor(21, 101, 192), 2));
    p.setBrush(Vertical(QColor(144, 202, 249), QColor(33, 150, 243)));
    p.drawPath(Cloud(0, 8, 1.0));
    Magnifier(p, QPointF(38, 40), 8, QColor(255, 143, 0));
  });
}

QIcon TorrentIcon() {
  return Draw([](QPainter& p) {
    p.setPen(QPen(QColor(46, 125, 50), 2));
    p.setBrush(Vertical(QColor(129, 199, 132), QColor(56, 142, 60)));
    p.drawEllipse(QRectF(6, 6, 52, 52));
    QPainterPath arrow;
    arrow.moveTo(26, 16);
    arrow.lineTo(38, 16);
    arrow.lineTo(38, 32);
    arrow.lineTo(46, 32);
    arrow.lineTo(32, 48);
    arrow.lineTo(18, 32);
    arrow.lineTo(26, 32);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
  });
}

QIcon BlogIcon() {
  return Draw([](QPainter& p) {
    p.setPen(QPen(QColor(120, 120, 120), 2));
    p.setBrush(Vertical(Qt::white, QColor(236, 239, 241)));
    p.drawRoundedRect(QRectF(10, 6, 40, 52), 4, 4);
    p.setPen(QPen(QColor(144, 164, 174), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y : {18, 27, 36, 45}) p.drawLine(18, y, y == 45 ? 32 : 42, y);
    p.setPen(QPen(QColor(230, 81, 0), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(54, 30), QPointF(36, 52));
  });
}

QIcon AuthorIcon() {
  return Draw([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(QColor(255, 202, 40), QColor(255, 143, 0)));
    p.drawEllipse(QRectF(2, 2, 60, 60));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(32, 24), 10, 10);
    p.drawChord(QRectF(14, 36, 36, 32), 0, 180 * 16);
  });
}

QIcon SourceIcon() {
  return Draw([](QPainter& p) {
    // A stack of disks: one source of shared files.
    p.setPen(QPen(QColor(69, 90, 100), 2));
    for (int i = 2; i >= 0; --i) {
      double top = 10 + i * 14;
      p.setBrush(Vertical(QColor(176, 190, 197), QColor(96, 125, 139)));
      p.drawRoundedRect(QRectF(8, top, 48, 18), 8, 8);
      p.setBrush(QColor(0, 230, 118));
      p.drawEllipse(QPointF(46, top + 9), 3, 3);
    }
  });
}

QIcon BusyMark() {
  return Draw([](QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 210, 222), 9));
    p.drawEllipse(QPointF(32, 32), 22, 22);
    p.setPen(QPen(QColor(30, 136, 229), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(10, 10, 44, 44), 90 * 16, -120 * 16);
  });
}

QIcon LockMark() {
  return Draw([](QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 94, 30), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(18, 6, 28, 32), 0, 180 * 16);
    p.drawLine(QPointF(18, 22), QPointF(18, 30));
    p.drawLine(QPointF(46, 22), QPointF(46, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(QColor(255, 202, 40), QColor(230, 150, 0)));
    p.drawRoundedRect(QRectF(10, 28, 44, 32), 6, 6);
    p.setBrush(QColor(120, 94, 30));
    p.drawEllipse(QPointF(32, 42), 5, 5);
    p.drawRect(QRectF(30, 44, 4, 9));
  });
}

}  // namespace panscout
