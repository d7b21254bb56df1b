#include "app/canvas_widget.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "app/colours.h"
#include "chart/zoom.h"

namespace zelk::app {
namespace {

const QColor kPaper(Qt::white);
const QColor kBand(0, 120, 215, 48);  // a light see-through blue
constexpr double kTwipsPerPixel = 15.0;
constexpr int kNotchAngle = 120;  // eighths of a degree in one wheel notch

// A block of pixels, its edges included.
struct Block {
  int left, top, right, bottom;

  bool Within(int width, int height) const {
    return left >= 0 && top >= 0 && right < width && bottom < height;
  }
  // Whether this block and `b` together make a block: they share their rows
  // or their columns, and touch or overlap along them.
  bool JoinsWith(const Block& b) const {
    if (top == b.top && bottom == b.bottom) return b.left <= right + 1 && left <= b.right + 1;
    if (left == b.left && right == b.right) return b.top <= bottom + 1 && top <= b.bottom + 1;
    return false;
  }
  void Take(const Block& b) {
    left = std::min(left, b.left);
    top = std::min(top, b.top);
    right = std::max(right, b.right);
    bottom = std::max(bottom, b.bottom);
  }
};

// Fills `block` of 32-bit pixels, rows `stride` bytes apart, with `rgb`.
void FillBlock(uchar* bits, qsizetype stride, const Block& block, QRgb rgb) {
  for (int y = block.top; y <= block.bottom; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(row + block.left, row + block.right + 1, rgb);
  }
}

void PaintRange(QImage& image, qreal ratio, const chart::Line* begin, const chart::Line* end) {
  if (begin == end) return;
  const double scale = ratio / kTwipsPerPixel;
  // Blocks are written straight into the image's 32-bit pixels.
  Q_ASSERT(image.depth() == 32);
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const int across = image.width(), down = image.height();
  QPainter p(&image);
  uint32_t colour = ~begin->colour;
  int width = -1, pixels = 1;
  QRgb ink = 0;
  // Level runs of a slow-moving trace are many short segments end to end,
  // each a block overlapping the last: they are joined and each pixel of
  // the run is written once, when a line that does not join comes.
  Block run{};
  bool running = false;
  QRgb runInk = 0;
  for (const chart::Line* line = begin; line != end; ++line) {
    const chart::Line& d = *line;
    if (d.colour != colour || d.width != width) {
      colour = d.colour;
      width = d.width;
      ink = FromBgr(colour).rgb();
      pixels = std::max(qRound(width * ratio), 1);
      QPen pen(FromBgr(colour), pixels);
      pen.setCapStyle(Qt::SquareCap);
      p.setPen(pen);
    }
    // Each end lands on a whole device pixel, so lines stay as crisp as the
    // dots of a plotted trace should be.
    const int x1 = qRound(d.x1 * scale), y1 = qRound(d.y1 * scale);
    const int x2 = qRound(d.x2 * scale), y2 = qRound(d.y2 * scale);
    // A level or upright line with square ends covers just a block of
    // pixels, and a block fills many times faster than a line strokes: most
    // segments of a slow-moving trace are level. At even widths the block
    // is the stroke's own pixels; at odd ones, whose edges run through
    // pixel middles, it takes the row or column above or left of the line,
    // where the stroke's choice wavers along the canvas. Where the line
    // leaves the image, the stroke's clipping decides.
    const int left = std::min(x1, x2) - pixels / 2, top = std::min(y1, y2) - pixels / 2;
    const Block block{left, top, left + std::abs(x2 - x1) + pixels - 1,
                      top + std::abs(y2 - y1) + pixels - 1};
    const bool isBlock = (x1 == x2 || y1 == y2) && block.Within(across, down);
    if (isBlock && running && ink == runInk && run.JoinsWith(block)) {
      run.Take(block);
      continue;
    }
    if (running) FillBlock(bits, stride, run, runInk);
    running = isBlock;
    if (isBlock) {
      run = block;
      runInk = ink;
    } else {
      p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
  }
  if (running) FillBlock(bits, stride, run, runInk);
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
  stale_ = true;  // not yet paper
  ratio_ = ratio;
  shown_ = batch_ = inImage_ = 0;
}

void CanvasWidget::SetScale(double scale) {
  if (scale == scale_) return;
  scale_ = scale;
  image_ = QImage();
  update();
}

QPointF CanvasWidget::Twips(QPointF pixels) const { return pixels * kTwipsPerPixel / scale_; }

// The image is cleared when next it is wanted: a new graph that fills the
// widget is painted straight onto the window, and the image may not be
// wanted before the next Clear.
void CanvasWidget::Clear() {
  EnsureImage();
  stale_ = stale_ || inImage_ > 0;
  kept_.clear();
  shown_ = batch_ = inImage_ = 0;
  AskRepaint();
}

// The repaint is asked for once the window has put the event's other
// changes on its widgets (or, failing that, when the event loop next runs):
// the captions over the graph, set after it, then join the graph's repaint
// instead of having their strip of it painted again on its own.
void CanvasWidget::AskRepaint() {
  if (repaintAsked_) return;
  repaintAsked_ = true;
  QMetaObject::invokeMethod(
      this, [this] { RepaintIfAsked(); }, Qt::QueuedConnection);
}

void CanvasWidget::RepaintIfAsked() {
  if (!repaintAsked_) return;
  repaintAsked_ = false;
  update();
}

void CanvasWidget::SetLineWidth(int pixels) { lineWidth_ = pixels < 1 ? 1 : pixels; }

// Lines are collected and drawn with one painter when the widget paints: a
// graph of ten thousand segments then costs one painter and one update
// request, not ten thousand.
void CanvasWidget::DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) {
  kept_.push_back({x1, y1, x2, y2, colour, lineWidth_});
  if (kept_.size() == shown_ + 1) AskRepaint();
}

// Each marker move draws the same series again over the graph. Solid lines
// painted over themselves change no pixel, so a batch that repeats the one
// shown last is neither painted nor kept: the lines kept stay as many as
// one graph and one redraw, however often the marker moves.
void CanvasWidget::TakeNewLines() {
  const size_t last = shown_ - batch_;
  while (shown_ > 0 && kept_.size() - shown_ >= last && last > 0 &&
         std::equal(kept_.begin() + static_cast<std::ptrdiff_t>(batch_),
                    kept_.begin() + static_cast<std::ptrdiff_t>(shown_),
                    kept_.begin() + static_cast<std::ptrdiff_t>(shown_))) {
    kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(shown_),
                kept_.begin() + static_cast<std::ptrdiff_t>(shown_ + last));
  }
  if (shown_ == kept_.size()) return;
  if (shown_ > 0) batch_ = shown_;
  shown_ = kept_.size();
}

void CanvasWidget::Flush() {
  EnsureImage();
  TakeNewLines();
  if (stale_) image_.fill(kPaper);
  stale_ = false;
  if (inImage_ == kept_.size()) return;
  PaintRange(image_, ratio_ * scale_, kept_.data() + inImage_, kept_.data() + kept_.size());
  inImage_ = kept_.size();
}

// A new graph that fills the whole widget is painted straight onto the
// window's own pixels: first sheet then copy would move every pixel twice.
// The lines go through an image that starts at the widget's top-left
// corner and is the image's size, so every line covers the same pixels as
// it does in the image. Anywhere else (a part of the widget, another kind
// of surface, a turned or scaled one, a clip) the image is used.
bool CanvasWidget::PaintOnWindow(QPainter& painter, const QRegion& region) {
  if (region != QRegion(rect())) return false;
  QPaintEngine* engine = painter.paintEngine();
  const QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  if (!device || device->devType() != QInternal::Image) return false;
  const auto* window = static_cast<const QImage*>(device);
  const QImage::Format format = window->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied) {
    return false;
  }
  const QTransform place = painter.deviceTransform();
  const QRect target(QPoint(qRound(place.dx()), qRound(place.dy())), image_.size());
  if (place.type() > QTransform::TxScale || place.m11() != ratio_ || place.m22() != ratio_ ||
      place.dx() != target.x() || place.dy() != target.y() || !window->rect().contains(target) ||
      engine->systemClip() != QRegion(target)) {
    return false;
  }
  // The painter on the window writes to these same pixels as it paints.
  uchar* const corner = const_cast<uchar*>(window->constBits()) +
                        target.y() * window->bytesPerLine() + target.x() * 4;
  QImage sheet(corner, target.width(), target.height(), window->bytesPerLine(),
               QImage::Format_RGB32);
  sheet.fill(kPaper);
  PaintRange(sheet, ratio_ * scale_, kept_.data(), kept_.data() + kept_.size());
  return true;
}

const QImage& CanvasWidget::image() {
  Flush();
  return image_;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightPressed();
  } else if (event->button() == Qt::LeftButton) {
    pressedAt_ = event->position();
    dragging_ = false;
  } else {
    QWidget::mousePressEvent(event);
  }
}

// The band is painted over the kept image: a move repaints only the strip
// it grew or shrank by, and the graph is not drawn again.
void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!pressedAt_ || !(event->buttons() & Qt::LeftButton)) return;
  const double x = event->position().x();
  // A press moved less far across than the core takes for a drag is a
  // click, at any scale.
  dragging_ |= std::abs(Twips({x, 0}).x() - Twips(*pressedAt_).x()) >= chart::kMinDragTwips;
  if (!dragging_) return;
  update(BandRect(bandEnd_).united(BandRect(x)));
  bandEnd_ = x;
}

// The release of a click goes on to the picture box as well, whose click it
// also is; that of a drag ends here.
void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!(event->button() == Qt::LeftButton && dragging_)) QWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !pressedAt_) return;
  const QPointF from = *pressedAt_;
  if (dragging_) update(BandRect(bandEnd_));
  pressedAt_.reset();
  if (!dragging_) {
    emit leftPressed(Twips(from), event->modifiers());
    return;
  }
  dragging_ = false;
  emit dragged(Twips(from).x(), Twips(event->position()).x());
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  // Some systems turn the wheel sideways while Shift is held.
  const QPoint angle = event->angleDelta();
  wheelAngle_ += angle.y() != 0 ? angle.y() : angle.x();
  const int steps = wheelAngle_ / kNotchAngle;
  event->accept();
  if (steps == 0) return;
  wheelAngle_ -= steps * kNotchAngle;
  // Turning the wheel down goes on through the log, as it does through a page.
  if (event->modifiers() & Qt::ShiftModifier) {
    emit panned(-steps);
  } else {
    emit wheeled(Twips(event->position()).x(), steps);
  }
}

QRect CanvasWidget::BandRect(double x) const {
  if (!pressedAt_) return {};
  const int left = static_cast<int>(std::min(x, pressedAt_->x()));
  const int right = static_cast<int>(std::max(x, pressedAt_->x()));
  return QRect(left, 0, right - left + 2, height());
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
  EnsureImage();
  QWidget::resizeEvent(event);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  EnsureImage();
  const bool fresh = shown_ == 0;
  TakeNewLines();
  QPainter p(this);
  if (!(fresh && PaintOnWindow(p, event->region()))) {
    Flush();
    // The image holds device pixels: one logical pixel is ratio_ of them.
    p.drawImage(QRectF(0, 0, image_.width() / ratio_, image_.height() / ratio_), image_);
  }
  if (dragging_) p.fillRect(BandRect(bandEnd_), kBand);
}

}  // namespace zelk::app
