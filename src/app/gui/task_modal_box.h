#pragma once
// The program's message boxes: no owner, and the whole program waits for them.

#include <QMessageBox>

namespace panscout {

QMessageBox::StandardButton TaskModalBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons);

}  // namespace panscout
