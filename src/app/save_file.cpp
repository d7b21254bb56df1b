#include "app/save_file.h"

#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cstdint>
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
    problem = file.error() != QFileDevice::NoError
                  ? file.errorString()
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

// The picture with an 8-bit palette of its colours, or a null image when it
// has more than 256. Colours are found through a small open-addressed table,
// since the text's shades change from pixel to pixel.
QImage WithPalette(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return {};
  constexpr uint32_t kSlots = 1024;  // a power of two, well above 256: short probes
  std::array<QRgb, kSlots> keys{};
  std::array<int, kSlots> entries;
  entries.fill(-1);
  QList<QRgb> colours;
  QImage paletted(image.size(), QImage::Format_Indexed8);
  const int width = image.width(), height = image.height();
  for (int y = 0; y < height; ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* out = paletted.scanLine(y);
    QRgb last = in[0];
    int entry = -1;
    for (int x = 0; x < width; ++x) {
      const QRgb colour = in[x];
      if (colour != last || entry < 0) {
        uint32_t slot = (colour * 2654435761u) >> 22;
        while (entries[slot] >= 0 && keys[slot] != colour) slot = (slot + 1) & (kSlots - 1);
        if (entries[slot] < 0) {
          if (colours.size() == 256) return {};
          keys[slot] = colour;
          entries[slot] = static_cast<int>(colours.size());
          colours.push_back(colour | 0xFF000000u);
        }
        last = colour;
        entry = entries[slot];
      }
      out[x] = static_cast<uchar>(entry);
    }
  }
  paletted.setColorTable(colours);
  return paletted;
}

}  // namespace

bool WritePng(const QImage& image, QIODevice& device, PngSettings settings) {
  QImageWriter writer(&device, "png");
  const QImage paletted =
      settings.palette && !image.hasAlphaChannel() ? WithPalette(image) : QImage();
  if (settings.palette && paletted.isNull()) return writer.write(image);
  // Qt's PNG quality q gives zlib level (100 - q) × 9 / 91.
  if (settings.level >= 0) writer.setQuality(100 - (std::min(settings.level, 9) * 91 + 8) / 9);
  return writer.write(settings.palette ? paletted : image);
}

bool SaveBytes(const QString& path, const QByteArray& bytes, QString& problem) {
  return Save(
      path, [&](QSaveFile& file) { return file.write(bytes) == bytes.size(); }, problem);
}

bool SavePng(const QString& path, const QImage& image, QString& problem) {
  return Save(
      path, [&](QSaveFile& file) { return WritePng(image, file); }, problem);
}

}  // namespace zelk::app
