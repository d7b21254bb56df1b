#include "app/save_file.h"

#include <png.h>

#include <QList>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <csetjmp>
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
// has more than 256. PNG libraries write a palette they are given but build
// none, so it is built here. Colours are found through a small
// open-addressed table, since the text's shades change from pixel to pixel.
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

// What libpng writes goes to the end of a QByteArray in memory.
void AppendTo(png_structp png, png_bytep data, size_t length) {
  static_cast<QByteArray*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}
void NothingToFlush(png_structp) {}
// An error ends the encoding: back to the setjmp in WriteOrFail.
[[noreturn]] void Failed(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void NoWarnings(png_structp, png_const_charp) {}

// What one picture is written from.
struct PngJob {
  const QImage& rows;  // palette indices, or 32-bit pixels
  const QList<png_color>& colours;
  bool palette, alpha;
  int level;
};

// The picture's header, its palette if any and its rows, through libpng. An
// opaque picture goes with its palette where it has one, each row unfiltered
// (a palette index is no quantity that a filter could predict), else in
// 24-bit colour; a picture with an alpha channel in 32-bit colour, its alpha
// kept as it is. The colour rows take the Up filter alone, since a graph's
// rows are mostly their neighbours and trying every filter on every row,
// libpng's default, is what makes a default PNG writer slow. libpng reads
// the colour rows as Qt holds them (32 bits a pixel, blue first in memory on
// a little-endian machine) and drops or reorders the bytes itself, so no
// converted copy of the picture is made. All rows go through one deflate
// stream at the job's level.
void WriteRows(png_structp png, png_infop info, const PngJob& job) {
  png_set_IHDR(png, info, static_cast<png_uint_32>(job.rows.width()),
               static_cast<png_uint_32>(job.rows.height()), 8,
               job.palette ? PNG_COLOR_TYPE_PALETTE
               : job.alpha ? PNG_COLOR_TYPE_RGB_ALPHA
                           : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (job.palette) {
    png_set_PLTE(png, info, job.colours.constData(), static_cast<int>(job.colours.size()));
    // Every index was made from this palette: libpng need not check each
    // byte of every row against its length.
    png_set_check_for_invalid_index(png, 0);
  }
  png_set_compression_level(png, job.level);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, job.palette ? PNG_FILTER_NONE : PNG_FILTER_UP);
  png_write_info(png, info);
  if (!job.palette) {
    // Each pixel a 32-bit ARGB word: B, G, R, A in memory on a little-endian
    // machine, A, R, G, B on a big-endian one. The A of an opaque picture is
    // a filler byte that libpng drops.
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
      png_set_bgr(png);
      if (!job.alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else if (job.alpha) {
      png_set_swap_alpha(png);
    } else {
      png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
  }
  for (int y = 0; y < job.rows.height(); ++y) png_write_row(png, job.rows.constScanLine(y));
  png_write_end(png, nullptr);
}

// libpng reports an error by a longjmp back to the setjmp here: false then.
// The work is done in WriteRows, below this frame, so that nothing here
// changes between the setjmp and the longjmp.
bool WriteOrFail(png_structp png, png_infop info, const PngJob& job) {
  if (setjmp(png_jmpbuf(png))) return false;
  WriteRows(png, info, job);
  return true;
}

// The picture (32-bit pixels) as a PNG in `file`, with the palette of
// `paletted` where that is not null; false when libpng failed.
bool EncodePng(const QImage& image, const QImage& paletted, int level, QByteArray& file) {
  QList<png_color> colours;
  for (const QRgb colour : paletted.colorTable()) {
    colours.push_back({static_cast<png_byte>(qRed(colour)), static_cast<png_byte>(qGreen(colour)),
                       static_cast<png_byte>(qBlue(colour))});
  }
  const bool palette = !paletted.isNull();
  const PngJob job{palette ? paletted : image, colours, palette,
                   !palette && image.hasAlphaChannel(), level};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Failed, NoWarnings);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &file, AppendTo, NothingToFlush);
  const bool written = info && WriteOrFail(png, info, job);
  png_destroy_write_struct(&png, &info);
  return written;
}

}  // namespace

bool WritePng(const QImage& image, QIODevice& device, PngSettings settings) {
  if (image.isNull()) return false;
  const bool alpha = image.hasAlphaChannel();
  // 32-bit pixels: opaque, or with their alpha not premultiplied.
  const QImage colours =
      image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  QByteArray png;
  return EncodePng(colours, settings.palette && !alpha ? WithPalette(colours) : QImage(),
                   std::clamp(settings.level, 0, 9), png) &&
         device.write(png) == png.size();
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
