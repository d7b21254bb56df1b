// The graph canvas: a widget that shows an image into which the program
// draws through the chart::Canvas interface. The labels, bit dots and the
// marker strip are child widgets over it.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "chart/canvas.h"

class QPainter;

namespace zelk::app {

// Paints `lines` (canvas twips) into `image`, whose device pixels stand
// `ratio` to a pixel of the form at its design size (the screen's device
// ratio times the form's scale): the one way the graph is painted. Line
// widths grow with the ratio.
void PaintLines(QImage& image, qreal ratio, const std::vector<chart::Line>& lines);
// A fresh sheet of graph paper `size` device pixels large with `lines` on it.
QImage PaintedLines(QSize size, qreal ratio, const std::vector<chart::Line>& lines);

class CanvasWidget : public QWidget, public chart::Canvas {
  Q_OBJECT

 public:
  explicit CanvasWidget(QWidget* parent = nullptr);

  void Clear() override;
  void SetLineWidth(int pixels) override;
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) override;

  // What is drawn, in device pixels (devicePixelRatio of them to a pixel).
  const QImage& image();
  // The form is drawn `scale` times its design size: the graph is painted
  // afresh at that size from the lines kept since the last Clear.
  void SetScale(double scale);
  double scale() const { return scale_; }
  // A place on the widget, in pixels, as canvas twips.
  QPointF Twips(QPointF pixels) const;
  // Brings the image up to date with the lines asked for.
  void Flush();
  // Repaints the canvas if lines were drawn or it was cleared since; to be
  // called once the other widgets show the same event's changes.
  void RepaintIfAsked();

 signals:
  // A left click on the graph, or on what lies over it, at `twips` from the
  // canvas's top-left corner: the button went down and came up without
  // moving more than a few pixels across; with the keys held then.
  void leftPressed(QPointF twips, Qt::KeyboardModifiers modifiers);
  // The left button was dragged across the graph from x1 to x2 twips.
  void dragged(double x1, double x2);
  // The right button went down on the graph.
  void rightPressed();
  // Whole wheel notches turned over the graph at x twips (up is positive);
  // with Shift held, `panned` instead.
  void wheeled(double x, int steps);
  void panned(int steps);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void EnsureImage();
  // Keeps the lines drawn since the last paint, less a repeat of the last
  // batch, as shown.
  void TakeNewLines();
  void AskRepaint();
  bool PaintOnWindow(QPainter& painter, const QRegion& region);
  // The pixels between the press and `x` that the band covers.
  QRect BandRect(double x) const;

  // Where the left button went down, while it is down; and whether it has
  // moved far enough across to be a drag, whose band then ends at bandEnd_.
  std::optional<QPointF> pressedAt_;
  bool dragging_ = false;
  double bandEnd_ = 0;
  int wheelAngle_ = 0;  // eighths of a degree turned short of a notch

  QImage image_;
  bool stale_ = false;  // the image holds a graph cleared since
  // Every line since the last Clear, so that the graph can be painted again
  // at another size; the first `shown_` of them have been painted, on the
  // window or in the image, the last batch of them beginning at `batch_`;
  // the first `inImage_` are in the image.
  std::vector<chart::Line> kept_;
  size_t shown_ = 0, batch_ = 0, inImage_ = 0;
  qreal ratio_ = 1;
  double scale_ = 1;
  int lineWidth_ = 1;
  bool repaintAsked_ = false;
};

}  // namespace zelk::app
