#pragma once
// The small dialog of a 115 hit: resolves the hit's real address when it
// opens and offers the direct download and the hit's own page.

#include <QDialog>

#include "app/open_with_shell.h"
#include "app/real_address.h"
#include "results/result_list.h"

class QPlainTextEdit;
class QPushButton;

namespace panscout {

class RealAddressDialog : public QDialog {
  Q_OBJECT
 public:
  // `markers` are those of the source the hit comes from.
  RealAddressDialog(const ResultList& results, ShellOpener& shell, HitPageDownload& download,
                    Text& realAddress, RealAddressMarkers markers, QWidget* parent = nullptr);

  // Shows the dialog, resolves the selected hit's address, and runs modally
  // until the user closes it.
  void Run();

 private:
  void Resolve();

  const ResultList& results_;
  ShellOpener& shell_;
  HitPageDownload& download_;
  Text& realAddress_;
  RealAddressMarkers markers_;
  QPlainTextEdit* message_;
  QPushButton* directButton_;
  QPushButton* pageButton_;
};

}  // namespace panscout
