// Writing a file whole or not at all: the text goes to a temporary file
// beside the target, which replaces the target only once it is complete.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zelk::app {

// Each gives false and the system's reason in `problem` when nothing was
// written; the target is then as it was.
bool SaveBytes(const QString& path, const QByteArray& bytes, QString& problem);
bool SavePng(const QString& path, const QImage& image, QString& problem);

}  // namespace zelk::app
