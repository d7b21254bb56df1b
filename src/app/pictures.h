// The pictures of the window, drawn by our own code: the paging arrows, the
// fault lamps, the bit dots, the About picture and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "form/control.h"

namespace zelk::app {

// The picture an image control or picture box shows; a null pixmap for
// Art::None.
QPixmap ArtPixmap(form::Art art);

QIcon WindowIcon();

}  // namespace zelk::app
