// panscout: the desktop window.

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "app/gui/artwork.h"
#include "app/gui/desktop_program.h"
#include "app/gui/first_paint_probe.h"
#include "app/gui/hosts_option.h"
#include "app/gui/qt_shell_opener.h"

int main(int argc, char* argv[]) {
  // Qt WebEngine shares its GL contexts with the widgets.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Panscout");
  QApplication::setWindowIcon(panscout::ProductIcon());
  panscout::InstallFirstPaintProbe(app);

  panscout::Hosts hosts = panscout::Hosts::Defaults();
  if (auto error = panscout::ApplyHostsOption(QApplication::arguments(), hosts)) {
    std::fprintf(stderr, "panscout: %s\n", error->c_str());
    QMessageBox::critical(nullptr, "Panscout", QString::fromStdString(*error));
    return 2;
  }

  panscout::QtShellOpener shell;
  // Released before the application object; the announcement thread is
  // never waited for.
  auto program = std::make_unique<panscout::DesktopProgram>(std::move(hosts), shell);
  program->Start();
  int code = QApplication::exec();
  program.reset();
  return code;
}
