// Writes the product icon as PNG files of the hicolor theme sizes, so the
// desktop shows the same picture the window draws.

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "app/gui/artwork.h"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: panscout-icon-export OUTPUT_DIR\n", stderr);
    return 2;
  }
  const QIcon icon = panscout::ProductIcon();
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    QString dir = QString("%1/%2x%2/apps").arg(argv[1]).arg(size);
    QPixmap pixmap = icon.pixmap(size, size);
    if (!QDir().mkpath(dir) || pixmap.isNull() ||
        !pixmap.scaled(size, size).save(dir + "/panscout.png", "PNG")) {
      std::fprintf(stderr, "cannot write the %dx%d icon\n", size, size);
      return 1;
    }
  }
  return 0;
}
