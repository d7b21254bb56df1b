#include "app/colours.h"

#include "form/control.h"

namespace zelk::app {

QColor Resolve(uint32_t colour, const QPalette& palette) {
  switch (colour) {
    case form::kTitleBar:
      return palette.color(QPalette::Active, QPalette::Highlight);
    case form::kButtonFace:
      return palette.color(QPalette::Active, QPalette::Button);
    default:
      return FromBgr(colour);
  }
}

}  // namespace zelk::app
