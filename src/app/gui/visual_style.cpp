#include "app/gui/visual_style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace panscout {

void ApplyVisualStyle() {
  QApplication::setStyle(QStyleFactory::create("Fusion"));

  QPalette palette;
  palette.setColor(QPalette::Window, QColor(243, 245, 248));
  palette.setColor(QPalette::WindowText, QColor(33, 37, 41));
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, QColor(245, 248, 252));
  palette.setColor(QPalette::Text, QColor(33, 37, 41));
  palette.setColor(QPalette::Button, QColor(248, 249, 251));
  palette.setColor(QPalette::ButtonText, QColor(33, 37, 41));
  palette.setColor(QPalette::Highlight, QColor(30, 136, 229));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Link, QColor(21, 101, 192));
  palette.setColor(QPalette::ToolTipBase, QColor(255, 253, 231));
  palette.setColor(QPalette::ToolTipText, QColor(33, 37, 41));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 155, 160));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 155, 160));
  QApplication::setPalette(palette);

  QFont font("Noto Sans CJK SC");
  font.setPointSizeF(9);
  font.setStyleHint(QFont::SansSerif);
  QApplication::setFont(font);
}

}  // namespace panscout
