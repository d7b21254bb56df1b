// The PNG writer the program had before it wrote through libpng: chunks,
// CRC and deflate by hand over zlib. Kept here only so that the benchmarks
// can measure the library's writer against it in the same run.
#pragma once

#include <QIODevice>
#include <QImage>

#include "app/save_file.h"

namespace zelk::bench {

// As app::WritePng did: an 8-bit palette of the picture's own colours where
// it has 256 or fewer (rows unfiltered), else 24-bit colour (rows with the Up
// filter), one deflate stream at the settings' level; a picture with an alpha
// channel went through Qt's own writer.
bool PreviousWritePng(const QImage& image, QIODevice& device, app::PngSettings settings = {});

}  // namespace zelk::bench
