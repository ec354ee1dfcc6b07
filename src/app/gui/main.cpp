// panscout: the desktop window.

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

#include "app/gui/artwork.h"
#include "app/gui/desktop_program.h"
#include "app/gui/first_paint_probe.h"
#include "app/gui/hosts_option.h"
#include "app/gui/qt_shell_opener.h"

namespace {

int RunWindow(int argc, char* argv[]) {
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
  // The run's state goes with the program, before the application object.
  auto program = std::make_unique<panscout::DesktopProgram>(std::move(hosts), shell,
                                                            panscout::TempDirectory::ForUser());
  program->Start();
  int code = QApplication::exec();
  program.reset();
  return code;
}

}  // namespace

int main(int argc, char* argv[]) {
  int code = RunWindow(argc, argv);
  // The announcement thread is never waited for and may still be fetching:
  // end without the static destructors it could otherwise run into.
  std::fflush(nullptr);
  std::quick_exit(code);
}
