// The pictures of the window, drawn by our own code: the paging arrows, the
// fault lamps, the bit dots, the About picture and the window icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <array>

#include "form/control.h"

namespace zelk::app {

// The picture an image control or picture box shows, drawn at `scale` times
// its design size; a null pixmap for Art::None.
QPixmap ArtPixmap(form::Art art, double scale = 1);

// The sizes the program's icon is drawn at, for the window and for the
// desktop's icon theme.
inline constexpr std::array<int, 7> kIconSizes{16, 24, 32, 48, 64, 128, 256};

// The program's icon at `size` x `size` pixels: a rounded dark-green face
// with a light-green trace, on a transparent ground. A null image for a
// size below one.
QImage IconImage(int size);

QIcon WindowIcon();

}  // namespace zelk::app
