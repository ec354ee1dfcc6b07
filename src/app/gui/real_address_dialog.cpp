#include "app/gui/real_address_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "app/gui/qt_text.h"
#include "app/result_actions.h"

namespace panscout {

namespace {
constexpr int kRealAddressKind = 1;  // the 115 net disk's page layout
}

RealAddressDialog::RealAddressDialog(const ResultList& results, ShellOpener& shell,
                                     HitPageDownload& download, Text& realAddress, RealAddressMarkers markers,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                          Qt::WindowTitleHint),
      results_(results),
      shell_(shell),
      download_(download),
      realAddress_(realAddress),
      markers_(std::move(markers)),
      message_(new QPlainTextEdit(Ui("请点击下面地址直接下载"), this)),
      directButton_(new QPushButton(Ui("直接下载"), this)),
      pageButton_(new QPushButton(Ui("不信？打开网页看看"), this)) {
  setObjectName("真实地址窗口");
  setModal(true);
  setFixedSize(299, 128);
  move(50, 50);
  message_->setObjectName("提示框");
  message_->setReadOnly(true);
  message_->setGeometry(8, 8, 280, 56);
  directButton_->setObjectName("直接下载");
  directButton_->setGeometry(16, 72, 112, 24);
  pageButton_->setObjectName("打开网页");
  pageButton_->setGeometry(152, 72, 128, 24);
  pageButton_->setAutoDefault(false);
  directButton_->setAutoDefault(false);

  connect(directButton_, &QPushButton::clicked, this,
          [this] { OpenWithShell(shell_, JoinTexts({"http://", realAddress_})); });
  connect(pageButton_, &QPushButton::clicked, this,
          [this] { OpenWithShell(shell_, SelectedHitPage(results_)); });
}

void RealAddressDialog::Run() {
  show();
  Resolve();
  // The user may have closed the dialog while the page was downloading.
  if (isVisible()) exec();
}

void RealAddressDialog::Resolve() {
  // Nothing to press until the answer is known; the download keeps the
  // windows painted.
  directButton_->setEnabled(false);
  pageButton_->setEnabled(false);
  // The hit is taken before the wait: a running search may clear the list meanwhile.
  Text name = SelectedHitName(results_);
  // Closing the dialog gives up the download; a late answer is dropped.
  Text found = ResolveRealAddress(download_, SelectedHitPage(results_), kRealAddressKind, markers_,
                                  [this] { return !isVisible(); });
  if (!isVisible()) return;
  setWindowTitle(ToQString(name));
  pageButton_->setEnabled(true);
  if (found.empty()) {
    message_->setPlainText(Ui("没有搜索出真实地址，可能文件已经被删除！"));
    return;
  }
  realAddress_ = found;
  directButton_->setEnabled(true);
  pageButton_->setText(Ui("打开网页"));
}

}  // namespace panscout
