// The earlier hand-written PNG writer, as it was in src/app/save_file.cpp.
#ifdef ZELK_WITH_WINDOW
#include "previous_png.h"

#include <zlib.h>

#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zelk::bench {
namespace {

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

void PutU32(QByteArray& out, uint32_t value) {
  const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
  out.append(bytes, 4);
}

// One chunk of a PNG: its length, type and data, and the CRC of type and data.
void PutChunk(QByteArray& out, const char* type, const QByteArray& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const qsizetype start = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* from = reinterpret_cast<const Bytef*>(out.constData() + start);
  PutU32(out, static_cast<uint32_t>(crc32(0, from, static_cast<uInt>(out.size() - start))));
}

// The picture (RGB32) as a PNG, written here rather than through libpng,
// whose search for the best filter of each row took most of the time: with
// the palette of `paletted` where that is not null, each row unfiltered,
// else in 24-bit colour, each row with the Up filter (a graph's rows are
// mostly their neighbours). All rows go through one deflate stream at
// `level`. Empty when zlib fails.
QByteArray EncodePng(const QImage& image, const QImage& paletted, int level) {
  const bool palette = !paletted.isNull();
  const int width = image.width(), height = image.height();
  const size_t rowBytes = static_cast<size_t>(width) * (palette ? 1 : 3);
  QByteArray header;
  PutU32(header, static_cast<uint32_t>(width));
  PutU32(header, static_cast<uint32_t>(height));
  // 8 bits a sample, palette or colour; deflate, per-row filters, no interlace.
  header.append(palette ? "\x08\x03\x00\x00\x00" : "\x08\x02\x00\x00\x00", 5);

  z_stream z{};
  if (deflateInit(&z, level) != Z_OK) return {};
  QByteArray data(static_cast<qsizetype>(deflateBound(&z, (rowBytes + 1) * height)),
                  Qt::Uninitialized);
  z.next_out = reinterpret_cast<Bytef*>(data.data());
  z.avail_out = static_cast<uInt>(data.size());
  std::vector<Bytef> row(rowBytes + 1), raw(rowBytes), above(rowBytes, 0);
  row[0] = palette ? 0 : 2;  // the filter: none, or Up
  bool ok = true;
  for (int y = 0; y < height && ok; ++y) {
    if (palette) {
      std::memcpy(row.data() + 1, paletted.constScanLine(y), rowBytes);
    } else {
      const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < width; ++x) {
        raw[3 * x] = static_cast<Bytef>(qRed(in[x]));
        raw[3 * x + 1] = static_cast<Bytef>(qGreen(in[x]));
        raw[3 * x + 2] = static_cast<Bytef>(qBlue(in[x]));
      }
      for (size_t i = 0; i < rowBytes; ++i) row[i + 1] = static_cast<Bytef>(raw[i] - above[i]);
      raw.swap(above);
    }
    z.next_in = row.data();
    z.avail_in = static_cast<uInt>(row.size());
    const int status = deflate(&z, y + 1 == height ? Z_FINISH : Z_NO_FLUSH);
    ok = y + 1 == height ? status == Z_STREAM_END : status == Z_OK;
  }
  data.resize(static_cast<qsizetype>(z.total_out));
  deflateEnd(&z);
  if (!ok) return {};

  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  if (palette) {
    QByteArray colours;
    for (const QRgb colour : paletted.colorTable()) {
      const char rgb[3] = {char(qRed(colour)), char(qGreen(colour)), char(qBlue(colour))};
      colours.append(rgb, 3);
    }
    PutChunk(png, "PLTE", colours);
  }
  PutChunk(png, "IDAT", data);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

bool PreviousWritePng(const QImage& image, QIODevice& device, app::PngSettings settings) {
  if (image.hasAlphaChannel() || image.isNull()) {
    QImageWriter writer(&device, "png");
    return writer.write(image);
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const QByteArray png = EncodePng(rgb, settings.palette ? WithPalette(rgb) : QImage(),
                                   std::clamp(settings.level, 0, 9));
  return !png.isEmpty() && device.write(png) == png.size();
}

}  // namespace zelk::bench
#endif
