// The "Channels" window: the strips the page's Channels view draws, stacked
// over one time axis with the marker through them, a list to choose the
// strips and their order, and a menu to save the stack and its table. Every
// user action goes back to the main window as the user event it stands for,
// so that both windows show one session.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>

#include "app/stack_widget.h"
#include "form/user_event.h"
#include "form/user_page.h"

class QListWidget;
class QAction;
class QComboBox;

namespace zelk::app {

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
