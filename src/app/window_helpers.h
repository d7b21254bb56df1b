// Small helpers that the window's construction, its syncing from the page
// and its forwarding of events share.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <string>

namespace zelk::app {

// The graph's picture box, whose canvas holds the controls drawn over it.
inline constexpr const char* kCanvasName = "Picture1";

inline constexpr double kTwipsPerPixel = 15;
inline int Pixels(double twips) { return qRound(twips / kTwipsPerPixel); }

inline QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

inline void SetPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  if (palette.color(role) == colour) return;
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace zelk::app
