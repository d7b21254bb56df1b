#include "app/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "app/colours.h"

namespace zelk::app {
namespace {

const QColor kPaper(Qt::white);
constexpr double kTwipsPerPixel = 15.0;

void PaintRange(QImage& image, qreal ratio, const chart::Line* begin, const chart::Line* end) {
  if (begin == end) return;
  const double scale = ratio / kTwipsPerPixel;
  QPainter p(&image);
  uint32_t colour = ~begin->colour;
  int width = -1;
  for (const chart::Line* line = begin; line != end; ++line) {
    const chart::Line& d = *line;
    if (d.colour != colour || d.width != width) {
      colour = d.colour;
      width = d.width;
      QPen pen(FromBgr(colour), qRound(width * ratio));
      pen.setCapStyle(Qt::SquareCap);
      p.setPen(pen);
    }
    // Each end lands on a whole device pixel, so lines stay as crisp as the
    // dots of a plotted trace should be.
    p.drawLine(QPointF(qRound(d.x1 * scale), qRound(d.y1 * scale)),
               QPointF(qRound(d.x2 * scale), qRound(d.y2 * scale)));
  }
}

}  // namespace

void PaintLines(QImage& image, qreal ratio, const std::vector<chart::Line>& lines) {
  PaintRange(image, ratio, lines.data(), lines.data() + lines.size());
}

QImage PaintedLines(QSize size, qreal ratio, const std::vector<chart::Line>& lines) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(kPaper);
  PaintLines(image, ratio, lines);
  return image;
}

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::EnsureImage() {
  const qreal ratio = devicePixelRatioF();
  const QSize wanted = (size() * ratio).expandedTo(QSize(1, 1));
  if (image_.size() == wanted && ratio_ == ratio) return;
  image_ = QImage(wanted, QImage::Format_RGB32);
  image_.fill(kPaper);
  ratio_ = ratio;
  painted_ = batch_ = 0;
}

void CanvasWidget::SetScale(double scale) {
  if (scale == scale_) return;
  scale_ = scale;
  image_ = QImage();
  update();
}

QPointF CanvasWidget::Twips(QPointF pixels) const { return pixels * kTwipsPerPixel / scale_; }

void CanvasWidget::Clear() {
  EnsureImage();
  kept_.clear();
  painted_ = batch_ = 0;
  image_.fill(kPaper);
  update();
}

void CanvasWidget::SetLineWidth(int pixels) { lineWidth_ = pixels < 1 ? 1 : pixels; }

// Lines are collected and drawn with one painter when the widget paints: a
// graph of ten thousand segments then costs one painter, not ten thousand.
void CanvasWidget::DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) {
  kept_.push_back({x1, y1, x2, y2, colour, lineWidth_});
  update();
}

// Each marker move draws the same series again over the graph. Solid lines
// painted over themselves change no pixel, so a batch that repeats the one
// painted last is neither painted nor kept: the lines kept stay as many as
// one graph and one redraw, however often the marker moves.
void CanvasWidget::Flush() {
  EnsureImage();
  const size_t last = painted_ - batch_;
  while (painted_ > 0 && kept_.size() - painted_ >= last && last > 0 &&
         std::equal(kept_.begin() + static_cast<std::ptrdiff_t>(batch_),
                    kept_.begin() + static_cast<std::ptrdiff_t>(painted_),
                    kept_.begin() + static_cast<std::ptrdiff_t>(painted_))) {
    kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(painted_),
                kept_.begin() + static_cast<std::ptrdiff_t>(painted_ + last));
  }
  if (painted_ == kept_.size()) return;
  PaintRange(image_, ratio_ * scale_, kept_.data() + painted_, kept_.data() + kept_.size());
  if (painted_ > 0) batch_ = painted_;
  painted_ = kept_.size();
}

const QImage& CanvasWidget::image() {
  Flush();
  return image_;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  emit leftPressed(Twips(event->position()));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
  EnsureImage();
  QWidget::resizeEvent(event);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  Flush();
  QPainter p(this);
  // The image holds device pixels: one logical pixel is ratio_ of them.
  p.drawImage(QRectF(0, 0, image_.width() / ratio_, image_.height() / ratio_), image_);
}

}  // namespace zelk::app
