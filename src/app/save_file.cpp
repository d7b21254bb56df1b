#include "app/save_file.h"

#include <QSaveFile>
#include <functional>

namespace zelk::app {
namespace {

bool Save(const QString& path, const std::function<bool(QSaveFile&)>& write, QString& problem) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    problem = file.errorString();
    return false;
  }
  if (!write(file)) {
    // What went wrong is the file's error when there is one.
    problem = file.error() != QFileDevice::NoError ? file.errorString()
                                                   : QStringLiteral("the data could not be encoded");
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    problem = file.errorString();
    return false;
  }
  return true;
}

}  // namespace

bool SaveBytes(const QString& path, const QByteArray& bytes, QString& problem) {
  return Save(path, [&](QSaveFile& file) { return file.write(bytes) == bytes.size(); }, problem);
}

bool SavePng(const QString& path, const QImage& image, QString& problem) {
  return Save(path, [&](QSaveFile& file) { return image.save(&file, "PNG"); }, problem);
}

}  // namespace zelk::app
