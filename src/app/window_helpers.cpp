#include "app/window_helpers.h"

#include <QScreen>
#include <algorithm>

namespace zelk::app {

void PlaceBeside(QWidget& panel, const QWidget& main) {
  const QRect frame = main.frameGeometry();
  const QRect screen = main.screen()->availableGeometry();
  const int right = screen.right() - frame.right() - 8,
            below = screen.bottom() - frame.bottom() - 8;
  const QSize least = panel.minimumSizeHint().expandedTo(panel.minimumSize());
  if (right >= least.width()) {
    panel.resize(std::min(panel.width(), right), std::min(panel.height(), screen.height()));
    panel.move(frame.right() + 8, frame.top());
  } else if (below >= least.height()) {
    panel.resize(std::min(panel.width(), screen.width()), std::min(panel.height(), below));
    panel.move(frame.left(), frame.bottom() + 8);
  }
}

}  // namespace zelk::app
