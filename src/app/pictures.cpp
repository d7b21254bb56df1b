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

// A picture drawn at `scale` times its design size of `width` x `height`
// pixels: `draw` paints in design pixels on a painter scaled to match, so the
// picture is drawn at its new size rather than stretched.
template <class Draw>
QPixmap Drawn(int width, int height, double scale, const QColor& ground, Draw draw) {
  QPixmap pixmap(qMax(1, qRound(width * scale)), qMax(1, qRound(height * scale)));
  pixmap.fill(ground);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (scale != 1) p.scale(double(pixmap.width()) / width, double(pixmap.height()) / height);
  draw(p);
  return pixmap;
}

// A solid arrow with its point at the left (`pointsLeft`) or the right.
QPixmap Arrow(int width, int height, bool pointsLeft, double scale) {
  return Drawn(width, height, scale, Qt::transparent, [=](QPainter& p) {
    const double w = width - 1, h = height - 1, mid = h / 2, neck = w * 0.45;
    QPolygonF shape{{0, mid},      {neck, 0},        {neck, h * 0.28}, {w, h * 0.28},
                    {w, h * 0.72}, {neck, h * 0.72}, {neck, h}};
    if (!pointsLeft) {
      for (QPointF& point : shape) point.setX(w - point.x());
    }
    p.setPen(QPen(QColor(0, 0, 96), 1));
    p.setBrush(QColor(0, 0, 200));
    p.drawPolygon(shape);
  });
}

// A round lamp on a square of the window's green.
QPixmap Lamp(const QColor& lit, double scale) {
  constexpr int kSize = 30;
  return Drawn(kSize, kSize, scale, kLampGround, [&](QPainter& p) {
    QRadialGradient glow(QPointF(11, 11), 14);
    glow.setColorAt(0, lit.lighter(170));
    glow.setColorAt(1, lit);
    p.setPen(QPen(lit.darker(200), 1.5));
    p.setBrush(glow);
    p.drawEllipse(QRectF(4, 4, kSize - 8, kSize - 8));
  });
}

QPixmap Bit(bool set, double scale) {
  constexpr int kSize = 12;
  return Drawn(kSize, kSize, scale, Qt::transparent, [=](QPainter& p) {
    if (set) {
      p.setPen(QPen(QColor(128, 0, 0), 1));
      p.setBrush(QColor(230, 0, 0));
    } else {
      p.setPen(QPen(Qt::black, 1.2));
      p.setBrush(Qt::NoBrush);
    }
    p.drawEllipse(QRectF(2, 2, 8, 8));
  });
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

constexpr int kAboutWidth = 500, kAboutHeight = 320;

void PaintAbout(QPainter& p) {
  constexpr int kWidth = kAboutWidth, kHeight = kAboutHeight;
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(24, 32, 72));
  sky.setColorAt(1, QColor(60, 70, 140));
  p.fillRect(QRect(0, 0, kWidth, kHeight), sky);

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
}

}  // namespace

QPixmap ArtPixmap(form::Art art, double scale) {
  switch (art) {
    case Art::None:
      return {};
    case Art::LeftArrow:
      return Arrow(26, 24, true, scale);
    case Art::RightArrow:
      return Arrow(25, 24, false, scale);
    case Art::LampRed:
      return Lamp(QColor(220, 0, 0), scale);
    case Art::LampGreen:
      return Lamp(QColor(0, 150, 0), scale);
    case Art::BitSet:
      return Bit(true, scale);
    case Art::BitClear:
      return Bit(false, scale);
    case Art::About:
      return Drawn(kAboutWidth, kAboutHeight, scale, Qt::black, PaintAbout);
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
