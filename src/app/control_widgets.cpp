#include "app/control_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/window_helpers.h"
#include "chart/time_window.h"

namespace zelk::app {

TimeCaption::TimeCaption(QWidget* parent, double leftTwips)
    : QLabel(parent), leftTwips_(leftTwips) {}

void TimeCaption::setScale(double scale) {
  scale_ = scale;
  update();
}

void TimeCaption::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics metrics(font());
  const QStringList times = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (int i = 0; i < times.size(); ++i) {
    const int width = metrics.horizontalAdvance(times[i]);
    const int centre = Pixels(chart::TimeWindow::CaptionX(i) - leftTwips_, scale_);
    const int left = std::clamp(centre - width / 2, 0, std::max(0, this->width() - width));
    painter.drawText(left, metrics.ascent(), times[i]);
  }
}
namespace {

bool IsClick(const QWidget* widget, const QMouseEvent* event) {
  return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

}  // namespace

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (IsClick(this, event)) emit clicked();
}

Panel::Panel(QWidget* parent) : QFrame(parent) {}

void Panel::setFill(const QColor& colour) {
  fill_ = colour;
  update();
}

void Panel::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void Panel::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    if (fill_.isValid()) p.fillRect(rect(), fill_);
    if (!picture_.isNull()) p.drawPixmap(contentsRect().topLeft(), picture_);
  }
  QFrame::paintEvent(event);
}

void Panel::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (IsClick(this, event)) emit clicked();
}

QItemSelectionModel::SelectionFlags BrowserList::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
  const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
  if (!index.isValid() || (mouse && mouse->buttons() != Qt::LeftButton)) {
    return QItemSelectionModel::NoUpdate;
  }
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (command.testFlag(QItemSelectionModel::Deselect)) return QItemSelectionModel::ClearAndSelect;
  return command;
}

void FileListWidget::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  BrowserList::keyPressEvent(event);
  const int after = currentRow();
  if (after != before && after >= 0) emit rowPicked(after);
}

}  // namespace zelk::app
