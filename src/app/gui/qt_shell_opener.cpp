#include "app/gui/qt_shell_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace panscout {

void QtShellOpener::OpenUrl(const std::string& utf8Url) {
  QUrl url(QString::fromStdString(utf8Url));
  // OpenWithShell lets only web addresses through; the parsed form must agree.
  if (url.scheme() != "http" && url.scheme() != "https") return;
  QDesktopServices::openUrl(url);
}

}  // namespace panscout
