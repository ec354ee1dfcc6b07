// panscout: the desktop window.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

#include "app/gui/application_proxy.h"
#include "app/gui/artwork.h"
#include "app/gui/desktop_program.h"
#include "app/gui/first_paint_probe.h"
#include "app/gui/window_options.h"
#include "app/gui/qt_shell_opener.h"
#include "search/source_catalog.h"

namespace {

// Broken definition files are skipped; the user learns which and why.
void ReportSkippedSources(const std::vector<std::string>& errors) {
  if (errors.empty()) return;
  QString text = QString::fromUtf8("这些来源定义有错，已跳过：\n");
  for (const std::string& error : errors) {
    std::fprintf(stderr, "panscout: %s\n", error.c_str());
    text += "\n" + QString::fromStdString(error);
  }
  QMessageBox box(QMessageBox::Warning, "Panscout", text, QMessageBox::Ok);
  box.button(QMessageBox::Ok)->setText(QString::fromUtf8("确定"));
  box.exec();
}

int RunWindow(int argc, char* argv[]) {
  // Qt WebEngine shares its GL contexts with the widgets.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Panscout");
  QApplication::setWindowIcon(panscout::ProductIcon());
  panscout::InstallFirstPaintProbe(app);

  panscout::WindowOptions options;
  options.sourceDirs.push_back(panscout::UserSourcesDirectory());
  if (auto error = panscout::ReadWindowOptions(QApplication::arguments(), options)) {
    std::fprintf(stderr, "panscout: %s\n", error->c_str());
    QMessageBox::critical(nullptr, "Panscout", QString::fromStdString(*error));
    return 2;
  }

  panscout::UseProxyForWebViews(options.proxy);

  panscout::QtShellOpener shell;
  // The run's state goes with the program, before the application object.
  auto program = std::make_unique<panscout::DesktopProgram>(
      std::move(options.hosts), shell, panscout::TempDirectory::ForUser(), options.sourceDirs,
      std::move(options.network), panscout::UserCookieFile(), panscout::LinkCachePath());
  ReportSkippedSources(program->sourceErrors());
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
