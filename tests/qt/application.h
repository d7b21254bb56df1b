// The one QApplication of the window's tests, made off-screen unless a
// platform is asked for, living as long as the test program; and the check of
// the canvas against the program's drawing.
#pragma once

#include <QApplication>

#include "app/canvas_widget.h"
#include "app/main_window.h"

namespace zelk::app {

inline void EnsureApplication() {
  if (qApp) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zelk-qt-tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// Whether the window's canvas shows exactly the lines the program drew on it
// since it was last cleared, painted afresh on blank paper (the window keeps
// them once KeepDrawing was called).
inline bool CanvasShowsDrawing(MainWindow& window) {
  const QImage& shown = window.canvasImage();
  return shown == PaintedLines(shown.size(), window.devicePixelRatioF() * window.scale(),
                               window.drawnLines());
}

}  // namespace zelk::app
