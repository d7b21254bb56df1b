// The program's one window as plain data: the form's controls over a session
// of looking at a log, with one presenter for each panel. The page routes
// each user event to the presenter of the control it reaches; the presenter
// turns it into an operation on the session, and the session's change comes
// back to every panel that shows it. The Qt window forwards events here and
// copies the controls' state back to its widgets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/canvas.h"
#include "form/browser.h"
#include "form/channels_view.h"
#include "form/commands.h"
#include "form/comparing.h"
#include "form/controls.h"
#include "form/focus.h"
#include "form/graph.h"
#include "form/lamps.h"
#include "form/marker_panel.h"
#include "form/saving.h"
#include "form/selectors.h"
#include "form/values_panel.h"
#include "form/window_panel.h"
#include "session/session.h"

namespace zelk::form {

struct UserEvent;

class UserPage {
 public:
  // `programDir` is the folder of the running program, where `logs` is looked for.
  UserPage(chart::Canvas& canvas, std::string programDir);
  UserPage(const UserPage&) = delete;
  UserPage& operator=(const UserPage&) = delete;

  // Start-up: the browser on the logs folder, the whole log as the window.
  void Form_Load();
  // The form as at start-up over a session started again, then Form_Load.
  void Restart();

  // Runs a user event as the window passes it on; false where the event
  // cannot happen: no such control, a list entry or scroll value out of
  // range. A click on a control that takes none (a lamp, a label) does
  // nothing and is no fault.
  bool Apply(const UserEvent& event);
  // The same events by control key ("RPMButton", "YAxis"). A click on a
  // hidden control does nothing, as for a user. A pick in the browser's
  // lists moves the drive, enters a folder or opens a file.
  bool Click(std::string_view key);
  bool Select(std::string_view key, int index);
  // The user replaces a text box's text or moves a scroll bar; false when
  // there is no such control.
  bool Type(std::string_view key, std::string text);
  bool Scroll(std::string_view key, int value);
  // A key released anywhere in the window, with the keys held with it
  // (key::kShiftHeld, key::kCtrlHeld): while a second log is compared, Ctrl
  // with an arrow key moves it in time and Shift with one moves its marker.
  void Form_KeyUp(int keyCode, int held = 0);
  // A mouse button pressed on the graph at (x, y) twips; button 1 is the
  // left one, which marks the sample whose point lies nearest (with Shift
  // held, the second log's sample, while one is compared).
  void Picture1_MouseDown(int button, double x, double y, int held = 0);
  // A drag across the graph, `steps` wheel notches at x, a pan by tenths of
  // the window, back to the window before the last zoom.
  void Picture1_Drag(double x1, double x2) { session_.Drag(x1, x2); }
  void Picture1_Wheel(double x, int steps) { session_.Wheel(x, steps); }
  void Picture1_Pan(int steps) { session_.Pan(steps); }
  void ZoomBack() { session_.Back(); }
  // The user picks the file at `path`; true when the log was loaded.
  bool OpenPath(const std::string& path) { return browser_.OpenPath(path); }
  void ShowFolder(const std::string& folder) { browser_.ShowFolder(folder); }
  // The user picks the file at `path` as a second log over the loaded one
  // (a recent file, a file dropped with Ctrl held); true when accepted.
  bool ComparePath(const std::string& path) { return browser_.ComparePath(path); }
  // Puts the marker's strip off the graph, for a picture of the graph alone.
  void ParkMarkerStrip() { marker_.ParkStrip(); }
  // The Channels window on these strips, from the top; none closes it.
  void ShowStrips(std::vector<channels::ChannelId> channels);

  // What the window asks of the page and tells it.
  std::vector<Message> TakeMessages() { return messages_.Take(); }
  std::vector<std::string> TakeStarted() { return commands_.TakeStarted(); }
  bool exitRequested() const { return commands_.exitRequested(); }
  std::string TakeFocusRequest() { return focus_.TakeRequest(); }
  const std::string& focus() const { return focus_.control(); }
  bool TakeOptionsRequest() { return commands_.TakeOptionsRequest(); }
  // File > Set Offset... asks for the second log's offset in seconds,
  // proposing this text; the window passes the typed text back as
  // UserEvent::Offset.
  std::optional<std::string> TakeOffsetRequest() { return comparing_.TakeOffsetRequest(); }
  void SetReaderProgram(std::string path) { commands_.SetReaderProgram(std::move(path)); }
  const std::string& readerProgram() const { return commands_.readerProgram(); }
  void ProgramNotStarted(const std::string& program) { commands_.ProgramNotStarted(program); }
  std::optional<SaveRequest> TakeSaveRequest() { return saving_.TakeSaveRequest(); }
  void SetSaveFolders(SaveFolders folders) { saving_.SetSaveFolders(std::move(folders)); }
  void WriteFailed(const std::string& path, const std::string& why) {
    saving_.WriteFailed(path, why);
  }
  void Saved(const std::string& path) { saving_.Saved(path); }
  std::string ChannelName() const { return saving_.ChannelName(); }
  std::string ExportName() const { return saving_.ExportName(); }
  std::string DataCsv() const { return saving_.DataCsv(); }
  std::string WindowTitle() const { return browser_.WindowTitle(); }
  ValuesView ValuesAtMarker() { return values_.View(); }

  // State
  Controls& controls() { return controls_; }
  const Controls& controls() const { return controls_; }
  session::Session& session() { return session_; }
  const session::Session& session() const { return session_; }
  const GraphState& graph() const { return graph_.state(); }
  std::optional<ComparisonState> comparison() const {
    return comparing_.State(graph_.state().channel, graph_.state().secondLines);
  }
  ChannelsView& channelsView() { return channelsView_; }
  // The strips the window opens on, as the user left them in an earlier run.
  void SetLastStrips(std::vector<channels::ChannelId> channels) {
    if (!channels.empty()) lastStrips_ = std::move(channels);
  }
  const std::vector<channels::ChannelId>& lastStrips() const { return lastStrips_; }
  const ChannelsView& channelsView() const { return channelsView_; }

 private:
  // Shows what a session operation changed, panel by panel.
  void Refresh(unsigned changes);
  bool ClickButton(std::string_view key);
  // The keys every window knows; true when the key did something.
  bool UsualKey(int keyCode);
  // The Channels window's strips by the names on their buttons (any case);
  // false for a name that is no channel's.
  bool ShowStrips(std::string_view names);
  // View > Channels opens the window on the strips last shown, or closes it.
  void ChannelsMenu_Click();
  bool ClickStrip(int strip, double fraction, int held = 0);

  chart::Canvas& canvas_;
  Controls controls_;
  session::Session session_;
  Focus focus_;
  Messages messages_;
  Selectors selectors_;
  Graph graph_;
  MarkerPanel marker_;
  WindowPanel window_;
  Lamps lamps_;
  Browser browser_;
  Saving saving_;
  ValuesPanel values_;
  Commands commands_;
  Comparing comparing_;
  ChannelsView channelsView_;
  std::vector<channels::ChannelId> lastStrips_;  // the strips the window last showed
};

}  // namespace zelk::form
