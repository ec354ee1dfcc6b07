#include "app/gui/task_modal_box.h"

#include <QPushButton>

#include "app/gui/artwork.h"
#include "app/gui/qt_text.h"

namespace panscout {

QMessageBox::StandardButton TaskModalBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons);
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowIcon(ProductIcon());
  if (auto* ok = box.button(QMessageBox::Ok)) ok->setText(Ui("确定"));
  if (auto* cancel = box.button(QMessageBox::Cancel)) cancel->setText(Ui("取消"));
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace panscout
