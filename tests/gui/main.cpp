// The window tests run in one QApplication, on the offscreen platform unless
// told otherwise (test discovery runs this without the test environment).

#include <QApplication>
#include <gtest/gtest.h>

#include "gui/gui_test_support.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  // No window of the tests reads or writes the user's own history.
  panscout::testing::ScopedConfigHome configHome;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
