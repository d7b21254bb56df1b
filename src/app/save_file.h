// Writing a file whole or not at all: the text goes to a temporary file
// beside the target, which replaces the target only once it is complete.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

namespace zelk::app {

// Each gives false and the system's reason in `problem` when nothing was
// written; the target is then as it was.
bool SaveBytes(const QString& path, const QByteArray& bytes, QString& problem);
bool SavePng(const QString& path, const QImage& image, QString& problem);

// How a picture is encoded (by libpng): with an 8-bit palette of its own
// colours where it has 256 or fewer (a graph's few line colours and the grey
// shades of its text), else in 24-bit colour; and the zlib level, 0 (stored)
// to 9 (smallest). The default is what the program writes: about a sixth of
// the time of Qt's default PNG, and files about as large
// (docs/performance.md). The pixels are the picture's either way; a picture
// with an alpha channel is written in 32-bit colour, keeping its alpha. A
// null picture is not written.
struct PngSettings {
  bool palette = true;
  int level = 1;
};
bool WritePng(const QImage& image, QIODevice& device, PngSettings settings = {});

}  // namespace zelk::app
