// The "Channels" window: the strips the page's Channels view draws, stacked
// over one time axis with the marker through them, a list to choose the
// strips and their order, and a menu to save the stack and its table. Every
// user action goes back to the main window as the user event it stands for,
// so that both windows show one session.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QRegion>
#include <functional>
#include <optional>
#include <vector>

#include "form/user_event.h"
#include "form/user_page.h"

class QListWidget;
class QPainter;
class QAction;
class QComboBox;

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

class ChannelsWindow : public QMainWindow {
  Q_OBJECT

 public:
  using Forward = std::function<void(const form::UserEvent&)>;
  // `forward` runs a user event on the page, as the main window does.
  ChannelsWindow(form::UserPage& page, Forward forward, QWidget* parent);

  // Shows or hides itself as the page's Channels view says, and shows its
  // strips and marker as they now stand.
  void Sync();
  // Grows with the form: its texts in `font`, its stack `scale` times its size.
  void SetScale(double scale, const QFont& font);
  // The stack as on screen, in device pixels.
  QImage StackImage();
  StackWidget* stack() const { return stack_; }
  QListWidget* list() const { return list_; }
  QAction* fixedAxes() const { return fixedAxes_; }
  // Where the stack is saved and the table exported: a path chosen for a
  // title, proposed path and filter, or empty for none.
  using FileChooser =
      std::function<QString(const QString& title, const QString& proposed, const QString& filter)>;
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

 signals:
  // A write failed, with the reason.
  void writeFailed(const QString& path, const QString& why);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void FillList();
  void FitList(const QFont& font);
  void SyncWindowList();
  void PlaceBesideMain();
  void ListChanged();
  QString AskWhere(const QString& title, const QString& extension, const QString& filter);
  void SaveStack();
  void ExportTable();

  form::UserPage& page_;
  Forward forward_;
  StackWidget* stack_;
  QListWidget* list_;
  QAction* fixedAxes_;
  // The window list and the paging arrows, as on the main window.
  QComboBox* lengths_;
  QAction* previous_;
  QAction* next_;
  FileChooser chooseFile_;
  bool filling_ = false;
  bool placed_ = false;  // placed beside the main window once
};

}  // namespace zelk::app
