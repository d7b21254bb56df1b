#include "app/stack_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/colours.h"
#include "app/key_codes.h"
#include "chart/zoom.h"

namespace zelk::app {
namespace {

constexpr double kTwips = StackWidget::kTwipsPerPixel;

QPointF PixelPoint(double x, double y, double twips) { return {x / twips, y / twips}; }

// A place on the graph in whole twips and a share of the strips' width to a
// ten-thousandth, as a driver's script writes them, so that the event the
// window runs and the line recorded for it are the same.
double WholeTwips(double x) { return std::round(x); }
double Share(double fraction) { return std::round(fraction * 1e4) / 1e4; }

}  // namespace

// The lines are batched by colour and width so that a stack of ten long
// strips is a handful of calls; the batches go in the order of their colour
// and width. One opaque colour covers the union of its lines' pixels
// whatever their order, so a level run of segments end to end (a steady
// value over many samples) is stroked as one line from the run's start to
// its end: the same pixels, a fraction of the strokes.
void PaintLines(QPainter& painter, const std::vector<chart::Line>& lines, double twips) {
  struct Batch {
    std::pair<uint32_t, int> style;
    std::vector<QLineF> lines;
  };
  std::vector<Batch> batches;  // few: the strips use a handful of colours
  Batch* batch = nullptr;
  for (const chart::Line& line : lines) {
    const std::pair<uint32_t, int> style{line.colour, line.width};
    if (!batch || batch->style != style) {
      const auto same = [&style](const Batch& b) { return b.style == style; };
      auto found = std::find_if(batches.begin(), batches.end(), same);
      if (found == batches.end()) {
        batches.push_back({style, {}});
        found = batches.end() - 1;
      }
      batch = &*found;
    }
    // Compared exactly: QPointF's own == is fuzzy.
    const QPointF from = PixelPoint(line.x1, line.y1, twips), to = PixelPoint(line.x2, line.y2, twips);
    if (from.y() == to.y() && from.x() != to.x() && !batch->lines.empty()) {
      QLineF& last = batch->lines.back();
      // The same row, from where the last ended, the same way along.
      if (last.y1() == last.y2() && last.y2() == from.y() && last.x2() == from.x() &&
          last.x1() != last.x2() && (last.x2() > last.x1()) == (to.x() > from.x())) {
        last.setP2(to);
        continue;
      }
    }
    batch->lines.emplace_back(from, to);
  }
  std::sort(batches.begin(), batches.end(),
            [](const Batch& a, const Batch& b) { return a.style < b.style; });
  for (const Batch& b : batches) {
    painter.setPen(QPen(FromBgr(b.style.first), std::max(1, b.style.second - 1)));
    painter.drawLines(b.lines.data(), static_cast<int>(b.lines.size()));
  }
}

namespace {

// Where a text lands, in pixels: its box as PaintTexts puts it.
QRectF TextBox(const QFontMetricsF& metrics, const channels::TextAt& text, double twips,
               QString& words) {
  words = QString::fromStdString(text.text);
  const QPointF at = PixelPoint(text.x, text.y, twips);
  const double width = metrics.horizontalAdvance(words);
  const double left = text.align == channels::TextAt::Align::Left    ? at.x()
                      : text.align == channels::TextAt::Align::Right ? at.x() - width
                                                                     : at.x() - width / 2;
  const double baseline = at.y() + (metrics.ascent() - metrics.descent()) / 2;
  return {left, baseline - metrics.ascent(), width, metrics.height()};
}

// The texts, or those whose box meets `within`.
void PaintTexts(QPainter& painter, const std::vector<channels::TextAt>& texts, double twips,
                std::optional<QRectF> within = std::nullopt) {
  const QFontMetricsF metrics(painter.font());
  QString words;
  for (const channels::TextAt& text : texts) {
    const QRectF box = TextBox(metrics, text, twips, words);
    if (within && !box.intersects(*within)) continue;
    painter.setPen(FromBgr(text.colour));
    painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), words);
  }
}

// The pixels a line covers with its pen, and a pixel about them.
QRect LineBox(const chart::Line& line, double twips) {
  const int pad = std::max(1, line.width) + 1;
  const auto [left, right] = std::minmax(line.x1, line.x2);
  const auto [top, bottom] = std::minmax(line.y1, line.y2);
  return QRect(QPoint(static_cast<int>(left / twips) - pad, static_cast<int>(top / twips) - pad),
               QPoint(static_cast<int>(right / twips) + pad, static_cast<int>(bottom / twips) + pad));
}

}  // namespace

QImage StackImage(const form::ChannelsView& view, const QFont& font) {
  QImage image(static_cast<int>(view.width() / kTwips), static_cast<int>(view.height() / kTwips),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  PaintLines(painter, view.strips().lines(), kTwips);
  PaintTexts(painter, view.texts(), kTwips);
  PaintLines(painter, view.marker().lines(), kTwips);
  PaintTexts(painter, view.markerTexts(), kTwips);
  return image;
}

StackWidget::StackWidget(form::ChannelsView& view,
                         std::function<void(const form::UserEvent&)> forward, QWidget* parent)
    : QWidget(parent), view_(view), forward_(std::move(forward)) {
  setMinimumSize(400, 300);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void StackWidget::SetScale(double scale) {
  if (!(scale > 0) || kTwips / scale == twips_) return;
  twips_ = kTwips / scale;
  view_.SetSize(width() * twips_, height() * twips_);
  update();
}

void StackWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  view_.SetSize(width() * twips_, height() * twips_);
}

// The texts of one alignment go in one box, so that the region is a few
// rectangles: the marker's column, its time, and the values beside the strips.
QRegion StackWidget::MarkerRegion() const {
  QRect column, boxes[3];
  for (const chart::Line& line : view_.marker().lines()) column |= LineBox(line, twips_);
  const QFontMetricsF metrics(font());
  QString words;
  for (const channels::TextAt& text : view_.markerTexts()) {
    boxes[static_cast<int>(text.align)] |=
        TextBox(metrics, text, twips_, words).toAlignedRect().adjusted(-2, -2, 2, 2);
  }
  QRegion region(column);
  for (const QRect& box : boxes) region += box;
  return region;
}

// A new drawing of the strips repaints the whole stack; a marker that moved
// over the same strips repaints only where it stood and where it stands, so
// that a step costs the pixels it changes rather than a screen's worth.
void StackWidget::Changed() {
  const QRegion marker = MarkerRegion();
  if (painted_ != view_.generation()) {
    painted_ = view_.generation();
    update();
  } else {
    update(marker + markerShown_);
  }
  markerShown_ = marker;
}

void StackWidget::IndexColumns() {
  indexed_ = view_.generation();
  columns_.assign(static_cast<size_t>(width() / kColumnWidth + 1), {});
  const std::vector<chart::Line>& lines = view_.strips().lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    const QRect box = LineBox(lines[i], twips_);
    const int first = std::max(0, box.left() / kColumnWidth);
    const int last = std::min(static_cast<int>(columns_.size()) - 1, box.right() / kColumnWidth);
    for (int c = first; c <= last; ++c) columns_[static_cast<size_t>(c)].push_back(i);
  }
}

// The strips' lines that reach into a narrow `part`, in their drawing order.
void StackWidget::LinesWithin(const QRect& part, std::vector<chart::Line>& within) {
  const std::vector<chart::Line>& lines = view_.strips().lines();
  within.clear();
  if (indexed_ != view_.generation() ||
      columns_.size() != static_cast<size_t>(width() / kColumnWidth + 1)) {
    IndexColumns();
  }
  std::vector<size_t> found;
  const int first = std::max(0, part.left() / kColumnWidth);
  const int last = std::min(static_cast<int>(columns_.size()) - 1, part.right() / kColumnWidth);
  for (int c = first; c <= last; ++c) {
    const std::vector<size_t>& column = columns_[static_cast<size_t>(c)];
    found.insert(found.end(), column.begin(), column.end());
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  for (const size_t i : found) {
    if (LineBox(lines[i], twips_).intersects(part)) within.push_back(lines[i]);
  }
}

// Each part of the region to paint gets the strips' lines and texts that
// reach into it, clipped to it, and the marker over them: a narrow column's
// lines are found by the columns they cross, a small share of a long log's.
void StackWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setFont(font());
  std::vector<chart::Line> within;
  for (const QRect& part : event->region()) {
    painter.setClipRect(part);
    painter.fillRect(part, Qt::white);
    // A wide part takes every line, clipped: finding them costs more.
    if (part.width() * 4 > width()) {
      PaintLines(painter, view_.strips().lines(), twips_);
    } else {
      LinesWithin(part, within);
      PaintLines(painter, within, twips_);
    }
    PaintTexts(painter, view_.texts(), twips_, part);
    PaintLines(painter, view_.marker().lines(), twips_);
    PaintTexts(painter, view_.markerTexts(), twips_, part);
  }
}

// A left click marks the nearest sample in the strip under it (with Shift,
// the second log's sample, while one is compared); a drag across
// the strips zooms into the span, as on the graph; the right button goes
// back to the window before the last zoom.
void StackWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    forward_(form::UserEvent::Key(VirtualKeyCode(Qt::Key_Backspace)));
    return;
  }
  if (event->button() == Qt::LeftButton) pressed_ = event->position();
}

void StackWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  const double x1 = pressed_->x() * twips_, x2 = event->position().x() * twips_;
  const double y = pressed_->y() * twips_;
  pressed_.reset();
  if (std::abs(x2 - x1) >= chart::kMinDragTwips) {
    forward_(form::UserEvent::Drag(WholeTwips(view_.GraphX(x1)), WholeTwips(view_.GraphX(x2))));
    return;
  }
  if (const auto strip = view_.StripAt(y)) {
    forward_(form::UserEvent::StripClick(static_cast<int>(*strip), Share(view_.FractionAt(x1)),
                                         HeldKeys(event->modifiers())));
  }
}

// The wheel zooms about the pointer, with Shift it pans, as on the graph.
void StackWidget::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps == 0) return;
  if (event->modifiers() & Qt::ShiftModifier) {
    forward_(form::UserEvent::Pan(-steps));
  } else {
    forward_(
        form::UserEvent::Wheel(WholeTwips(view_.GraphX(event->position().x() * twips_)), steps));
  }
  event->accept();
}

}  // namespace zelk::app
