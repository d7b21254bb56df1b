// The graph canvas: a widget that shows an image into which the program
// draws through the chart::Canvas interface. The labels, bit dots and the
// marker strip are child widgets over it.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <vector>

#include "chart/canvas.h"

namespace zelk::app {

// Paints `lines` (canvas twips) into `image`, whose device pixels stand
// `ratio` to a pixel of the screen: the one way the graph is painted.
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
  // Draws the lines asked for since the last call into the image.
  void Flush();

 signals:
  // The left mouse button went down on the graph, or on what lies over it,
  // at `twips` from the canvas's top-left corner.
  void leftPressed(QPointF twips);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void EnsureImage();

  QImage image_;
  std::vector<chart::Line> pending_;  // drawn into the image at the next paint
  qreal ratio_ = 1;
  int lineWidth_ = 1;
};

}  // namespace zelk::app
