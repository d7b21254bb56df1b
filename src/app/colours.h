// The program's colour numbers as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace zelk::app {

// 0x00BBGGRR.
inline QColor FromBgr(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Resolves the two system colours the program uses from `palette`: the title
// bar's (the highlight) and the button face.
QColor Resolve(uint32_t colour, const QPalette& palette);

}  // namespace zelk::app
