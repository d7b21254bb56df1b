// The Channels window's stack: the strips the page's Channels view draws,
// painted straight onto the widget with the marker over them, and the same
// as a picture for a saved file or a batch run.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "form/channels_view.h"
#include "form/user_event.h"

class QPainter;

namespace zelk::app {

// Paints lines recorded in twips, a pixel for every `twips`, with a pen of
// their colour one pixel narrower than their width (at least one): the
// strips' lines and the marker's, on the widget and in its picture.
void PaintLines(QPainter& painter, const std::vector<chart::Line>& lines, double twips = 15);

// The view's stack as a picture of its size, texts in `font`.
QImage StackImage(const form::ChannelsView& view, const QFont& font);

// The painted stack: the strips as the view drew them, with the marker's
// line and the texts over them. Clicks, drags and the wheel become the
// view's user events.
class StackWidget : public QWidget {
  Q_OBJECT

 public:
  StackWidget(form::ChannelsView& view, std::function<void(const form::UserEvent&)> forward,
              QWidget* parent);
  // Twips of the view for a pixel of the widget at scale 1.
  static constexpr double kTwipsPerPixel = 15;
  // The stack drawn `scale` times its size, as the form and the window's
  // font are: its margins, gaps and texts grow, its lines stay thin.
  void SetScale(double scale);
  // Asks for the repaint of what the view's last change changed.
  void Changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The pixels the marker's lines and texts cover as the view now draws them.
  QRegion MarkerRegion() const;
  // The strips' lines by the columns of pixels their pens cross.
  void IndexColumns();
  void LinesWithin(const QRect& part, std::vector<chart::Line>& within);
  static constexpr int kColumnWidth = 32;

  form::ChannelsView& view_;
  std::function<void(const form::UserEvent&)> forward_;
  double twips_ = kTwipsPerPixel;  // the view's twips for a pixel
  long painted_ = -1;     // the view's drawing last asked to be painted
  QRegion markerShown_;   // where the marker was when last asked to be painted
  std::vector<std::vector<size_t>> columns_;  // line numbers, kColumnWidth pixels a column
  long indexed_ = -1;                         // the drawing they index
  std::optional<QPointF> pressed_;
};

}  // namespace zelk::app
