// The program's window: one widget per control of the layout table. User
// events go to the UserPage; after each, the widgets are brought up to date
// from the page's control state and its requests (message boxes, programs to
// start, exit) are carried out.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form/user_event.h"
#include "form/user_page.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QMenu;
class QSettings;

namespace zelk::app {

class CanvasWidget;
class ChannelsWindow;
class ValuesWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `programDir`: where the program's `logs` folder is looked for.
  explicit MainWindow(const QString& programDir, QWidget* parent = nullptr);
  ~MainWindow() override;

  form::UserPage& page() { return *page_; }
  // The widget of a control by key ("RPMButton", "Label(3)"); nullptr for
  // none or for a menu item.
  QWidget* widget(const QString& key) const;
  QAction* menuAction(const QString& key) const;
  // The graph as drawn, in device pixels.
  const QImage& canvasImage() const;
  // The "Values at Marker" tool window.
  ValuesWindow* valuesWindow() const { return values_; }
  // The "Channels" window of stacked strips.
  ChannelsWindow* channelsWindow() const { return channels_; }
  // From now on keeps the lines the program draws on the graph, those since
  // it was last cleared, so that what the canvas shows can be held against
  // them.
  void KeepDrawing() { drawing_->Keep(); }
  const std::vector<chart::Line>& drawnLines() const { return drawing_->lines(); }

  // Copies every control's state onto its widget, and the title; or only
  // the state of what lies over the graph, which is all a picture of the
  // graph needs.
  void Sync();
  void SyncGraph();

  // Opens the log at `path` as if the user had picked it in the browser.
  void OpenLog(const QString& path);
  // Opens the log at `path` as a second log over the loaded one.
  void CompareLog(const QString& path);

  // How many times its design size the form is drawn: it grows with the
  // window to fill it (keeping its proportions, centred) and never shrinks
  // below 1.
  double scale() const { return scale_; }

  // From now on keeps in `settings` the window's place, size and state, the
  // browser's folder, the logs opened lately and the reader program chosen,
  // starting from what it already holds. Without it the window keeps nothing
  // beyond its run.
  void Remember(std::shared_ptr<QSettings> settings);
  // File > Recent Files: the logs opened lately, the latest first; and the
  // same logs to compare with the loaded one.
  QMenu* recentMenu() const { return recentMenu_; }
  QMenu* compareRecentMenu() const { return compareRecentMenu_; }
  // The graph as it stands on screen, with what lies over it (title, value
  // labels, time axis, marker strip), in device pixels.
  QImage GraphImage();

  // How the file to save to is asked for: given a dialog title, the path
  // proposed and a file-name filter, the path chosen, or empty for none. By
  // default a file dialog.
  using FileChooser =
      std::function<QString(const QString& title, const QString& proposed, const QString& filter)>;
  // The Channels window asks the same way.
  void setFileChooser(FileChooser chooser);

  // How a message box is shown; by default a modal QMessageBox.
  using MessageShower = std::function<void(const QString& title, const QString& text)>;
  void setMessageShower(MessageShower shower) { showMessage_ = std::move(shower); }

  // How File > Options asks for the reader program: given the one chosen so
  // far (empty for none), the one chosen now, or nothing when the user
  // cancelled. By default the Options dialog.
  using OptionsEditor = std::function<std::optional<QString>(const QString& readerProgram)>;
  void setOptionsEditor(OptionsEditor editor) { editOptions_ = std::move(editor); }

  // How File > Set Offset... asks for the second log's offset: given the
  // text proposed, the text typed, or nothing when the user cancelled. By
  // default an input dialog.
  using TextAsker = std::function<std::optional<QString>(const QString& proposed)>;
  void setOffsetAsker(TextAsker asker) { askOffset_ = std::move(asker); }

  // Where each user event that reaches the page is reported, before it runs,
  // as the driver's script line that runs the same event ("click RPMButton",
  // "select YAxis 2", "clickat 1500 900"); none by default.
  using EventRecorder = std::function<void(const std::string& line)>;
  void setEventRecorder(EventRecorder recorder) { recordEvent_ = std::move(recorder); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Whether a key is one of the menus' shortcuts.
  bool IsMenuKey(const QKeyEvent& key) const;
  // What the window keeps for each control, in layout order.
  struct Bound {
    QWidget* widget = nullptr;                  // null for menus and menu items
    QAction* action = nullptr;                  // menus and menu items
    std::vector<std::string> items;             // list entries last shown
    int index = -2;                             // list row last shown; never a real one at first
    std::string text;                           // listing text last shown
    uint32_t backColour = form::kNoColour - 1;  // last applied; never a real value at first
    form::Font font;                            // as designed, before scaling
    std::string toolTip;                        // tool tip last shown
  };

  void Build();
  QWidget* MakeWidget(const form::ControlSpec& design, QWidget* parent);
  QWidget* MakeLabel(const form::ControlSpec& design, QWidget* parent);
  QWidget* MakePicture(const form::ControlSpec& design, const std::string& key, QWidget* parent);
  void StackLabelsBelow();
  // Reports a user event to the recorder and runs it on the page, then brings
  // the window up to date and carries out what the page asked for.
  void Forward(const form::UserEvent& event);
  void ForwardClick(const std::string& key);
  void SyncControl(const form::Control& control, Bound& bound);
  // What SyncControl sets that differs by kind of control: its text, items,
  // value and colour.
  void SyncContent(const form::Control& control, Bound& bound, bool newColour);
  void SyncList(const form::Control& control, Bound& bound);
  void ApplyFocus();
  void CarryOutRequests();
  void SaveAsked(const form::SaveRequest& request);
  void OptionsAsked();
  void OffsetAsked(const QString& proposed);
  // The form's scale and place follow the central area's size.
  void Rescale();
  void ApplyScale(double scale);
  // The menus, dialogs and windows beside the form at the window's scale,
  // and their font.
  void ScalePanels();
  QFont PanelFont() const;
  void ToggleFullScreen();
  // After a log was opened: it goes to the front of the recent logs.
  void NoteOpened();
  void FillRecentMenu();
  // Compare With Recent is offered as Compare With... is.
  void SyncCompareRecent();

  std::unique_ptr<form::UserPage> page_;
  CanvasWidget* canvas_ = nullptr;
  ValuesWindow* values_ = nullptr;
  ChannelsWindow* channels_ = nullptr;
  // What the page draws goes through here to the canvas.
  std::unique_ptr<chart::RecordingCanvas> drawing_;
  QWidget* stage_ = nullptr;   // the central area
  QWidget* client_ = nullptr;  // the form, centred in it
  double scale_ = 1;
  double panelScale_ = 1;
  std::shared_ptr<QSettings> settings_;
  QMenu* recentMenu_ = nullptr;
  QMenu* compareRecentMenu_ = nullptr;
  std::vector<std::string> recent_;
  std::vector<Bound> bound_;             // parallel to the layout table
  QHash<QString, int> byKey_;            // key to index in bound_
  QHash<QString, QWidget*> containers_;  // where a container's controls go
  QHash<QString, QMenu*> menus_;
  MessageShower showMessage_;
  FileChooser chooseFile_;
  OptionsEditor editOptions_;
  TextAsker askOffset_;
  EventRecorder recordEvent_;
  bool closing_ = false;
};

}  // namespace zelk::app
