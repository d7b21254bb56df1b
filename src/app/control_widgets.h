// Small widgets for the kinds of control that Qt has no exact match for.
#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace zelk::app {

// A label that reports a click of the left mouse button, for image controls.
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The time caption under the graph: each of the caption's times centred on
// the place on the canvas whose time it gives, kept within the label, so
// that every time stands under the sample of that time.
class TimeCaption : public QLabel {
  Q_OBJECT

 public:
  // `leftTwips`: where the label's left edge lies on the canvas.
  TimeCaption(QWidget* parent, double leftTwips);
  // The form is drawn `scale` times its design size.
  void setScale(double scale);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double leftTwips_;
  double scale_ = 1;
};

// A picture box: a plain surface in one colour, with an optional picture at
// its top-left corner, that may hold other controls. It reports clicks.
class Panel : public QFrame {
  Q_OBJECT

 public:
  explicit Panel(QWidget* parent = nullptr);
  void setFill(const QColor& colour);  // invalid: no fill, the parent shows
  void setPicture(const QPixmap& picture);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor fill_;
  QPixmap picture_;
};

// A list of the log browser. Only the keys and the left mouse button move its
// highlight, and only onto an entry: a click beside the entries, another
// button's click, or Ctrl with a click or Space on the highlighted entry
// changes nothing.
class BrowserList : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
};

// The file list: choosing a file with the arrow keys picks it as a click
// does.
class FileListWidget : public BrowserList {
  Q_OBJECT

 public:
  using BrowserList::BrowserList;

 signals:
  void rowPicked(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zelk::app
