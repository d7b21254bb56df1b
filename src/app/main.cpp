#include <QApplication>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZelkScope"));
  zelk::app::MainWindow window(QCoreApplication::applicationDirPath());
  window.show();
  return app.exec();
}
