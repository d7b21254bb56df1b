// Writes the program's icon into an icon-theme folder, one PNG a size:
// OUT/<N>x<N>/apps/zelkscope.png. Runs at build time, so it draws on the
// offscreen platform and needs no display.
#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "app/pictures.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zelk-icons OUTPUT_FOLDER\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QDir out(QString::fromLocal8Bit(argv[1]));
  for (int size : zelk::app::kIconSizes) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = out.filePath(folder + QStringLiteral("/zelkscope.png"));
    if (!out.mkpath(folder) || !zelk::app::IconImage(size).save(file, "PNG")) {
      std::fprintf(stderr, "zelk-icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
