// The graph canvas: a widget that shows an image into which the program
// draws through the chart::Canvas interface. The labels, bit dots and the
// marker strip are child widgets over it.
#pragma once

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <vector>
#include <QWidget>

#include "chart/canvas.h"

namespace zelk::app {

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

  struct Pending {
    QLineF line;
    uint32_t colour;
    int width;
  };
  QImage image_;
  std::vector<Pending> pending_;  // drawn into the image at the next paint
  qreal ratio_ = 1;
  int lineWidth_ = 1;
};

}  // namespace zelk::app
