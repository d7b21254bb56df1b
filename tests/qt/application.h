// The one QApplication of the Qt tests, made off-screen unless a platform is
// asked for, living as long as the test program.
#pragma once

#include <QApplication>

namespace zelk::app {

inline void EnsureApplication() {
  if (qApp) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zelk-qt-tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace zelk::app
