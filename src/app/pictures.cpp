#include "app/pictures.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace zelk::app {
namespace {

using form::Art;

// The window's green, behind the lamps.
const QColor kLampGround(128, 255, 128);

QPixmap Blank(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A solid arrow with its point at the left (`pointsLeft`) or the right.
QPixmap Arrow(int width, int height, bool pointsLeft) {
  QPixmap pixmap = Blank(width, height);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = width - 1, h = height - 1, mid = h / 2, neck = w * 0.45;
  QPolygonF shape{{0, mid},      {neck, 0},        {neck, h * 0.28}, {w, h * 0.28},
                  {w, h * 0.72}, {neck, h * 0.72}, {neck, h}};
  if (!pointsLeft) {
    for (QPointF& point : shape) point.setX(w - point.x());
  }
  p.setPen(QPen(QColor(0, 0, 96), 1));
  p.setBrush(QColor(0, 0, 200));
  p.drawPolygon(shape);
  return pixmap;
}

// A round lamp on a square of the window's green.
QPixmap Lamp(const QColor& lit) {
  constexpr int kSize = 30;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(kLampGround);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(QPointF(11, 11), 14);
  glow.setColorAt(0, lit.lighter(170));
  glow.setColorAt(1, lit);
  p.setPen(QPen(lit.darker(200), 1.5));
  p.setBrush(glow);
  p.drawEllipse(QRectF(4, 4, kSize - 8, kSize - 8));
  return pixmap;
}

QPixmap Bit(bool set) {
  constexpr int kSize = 12;
  QPixmap pixmap = Blank(kSize, kSize);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (set) {
    p.setPen(QPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(230, 0, 0));
    p.drawEllipse(QRectF(2, 2, 8, 8));
  } else {
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 8, 8));
  }
  return pixmap;
}

// A few periods of a trace, as on a scope's screen.
void DrawTrace(QPainter& p, const QRectF& area, const QColor& colour, double width) {
  QPainterPath path;
  const int steps = 120;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double x = area.left() + t * area.width();
    const double wave = std::sin(t * 12.0) * 0.6 + std::sin(t * 31.0) * 0.25;
    const double y = area.center().y() - wave * area.height() / 2;
    if (i == 0) {
      path.moveTo(x, y);
    } else {
      path.lineTo(x, y);
    }
  }
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

QPixmap About() {
  constexpr int kWidth = 500, kHeight = 320;
  QPixmap pixmap(kWidth, kHeight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(24, 32, 72));
  sky.setColorAt(1, QColor(60, 70, 140));
  p.fillRect(pixmap.rect(), sky);

  // A scope screen with a trace across it.
  const QRectF screen(30, 150, kWidth - 60, 90);
  p.setPen(QPen(QColor(90, 200, 90), 1));
  p.setBrush(QColor(8, 30, 12));
  p.drawRoundedRect(screen, 6, 6);
  p.setPen(QPen(QColor(30, 80, 36), 1));
  for (int i = 1; i < 8; ++i) {
    const double x = screen.left() + screen.width() * i / 8;
    p.drawLine(QPointF(x, screen.top() + 4), QPointF(x, screen.bottom() - 4));
  }
  p.drawLine(QPointF(screen.left() + 4, screen.center().y()),
             QPointF(screen.right() - 4, screen.center().y()));
  DrawTrace(p, screen.adjusted(10, 14, -10, -14), QColor(128, 255, 128), 2.0);

  QFont title("Liberation Serif");
  title.setPixelSize(56);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(128, 255, 128));
  p.drawText(QRectF(0, 24, kWidth, 70), Qt::AlignCenter, QStringLiteral("ZelkScope"));

  QFont line("Liberation Sans");
  line.setPixelSize(17);
  p.setFont(line);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 96, kWidth, 26), Qt::AlignCenter, QStringLiteral("Engine log viewer"));

  line.setPixelSize(13);
  p.setFont(line);
  p.setPen(QColor(210, 215, 255));
  p.drawText(QRectF(0, 252, kWidth, 20), Qt::AlignCenter,
             QStringLiteral("Engine speed, temperatures, fuel trims and fault codes, "
                            "sample by sample"));
  p.drawText(QRectF(0, 272, kWidth, 20), Qt::AlignCenter,
             QStringLiteral("Written by the ZelkScope developers for everyone who "
                            "tunes their own engine"));
  p.setPen(QColor(160, 170, 230));
  p.drawText(QRectF(0, 294, kWidth, 20), Qt::AlignCenter,
             QStringLiteral("Click the picture to close it"));
  return pixmap;
}

}  // namespace

QPixmap ArtPixmap(form::Art art) {
  switch (art) {
    case Art::None:
      return {};
    case Art::LeftArrow:
      return Arrow(26, 24, true);
    case Art::RightArrow:
      return Arrow(25, 24, false);
    case Art::LampRed:
      return Lamp(QColor(220, 0, 0));
    case Art::LampGreen:
      return Lamp(QColor(0, 150, 0));
    case Art::BitSet:
      return Bit(true);
    case Art::BitClear:
      return Bit(false);
    case Art::About:
      return About();
  }
  return {};
}

QImage IconImage(int size) {
  if (size <= 0) return {};
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF face(0.5, 0.5, size - 1, size - 1);
  p.setPen(QPen(QColor(20, 60, 20), size / 16.0));
  p.setBrush(QColor(10, 36, 14));
  p.drawRoundedRect(face, size / 6.0, size / 6.0);
  DrawTrace(p, face.adjusted(size / 8.0, size / 4.0, -size / 8.0, -size / 4.0),
            QColor(128, 255, 128), std::max(1.0, size / 14.0));
  return image;
}

QIcon WindowIcon() {
  QIcon icon;
  for (int size : kIconSizes) icon.addPixmap(QPixmap::fromImage(IconImage(size)));
  return icon;
}

}  // namespace zelk::app
