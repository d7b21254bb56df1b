// Small helpers that the window's construction, its syncing from the page
// and its forwarding of events share.
#pragma once

#include <QColor>
#include <QPalette>
#include <QSize>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <string>

namespace zelk::app {

// The graph's picture box, whose canvas holds the controls drawn over it.
inline constexpr const char* kCanvasName = "Picture1";

inline constexpr double kTwipsPerPixel = 15;
// The pixels of `twips` on the form drawn `scale` times its design size.
inline int Pixels(double twips, double scale) { return qRound(twips * scale / kTwipsPerPixel); }

// How many times its design size the form is drawn in `available` pixels:
// as large as fits both ways, never below the design size.
inline double FitScale(QSize available, QSize design) {
  const double across = static_cast<double>(available.width()) / design.width();
  const double down = static_cast<double>(available.height()) / design.height();
  return qMax(1.0, qMin(across, down));
}

inline QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Puts a panel window beside the main window, never over it: to its right,
// made narrower to fit the screen where it must, else below it, else where
// it stands.
void PlaceBeside(QWidget& panel, const QWidget& main);

inline void SetPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  if (palette.color(role) == colour) return;
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace zelk::app
