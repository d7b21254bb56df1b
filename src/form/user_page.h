// The program's one window as plain data and handlers: every control's state,
// the module-level variables, the loaded log and the channel tables. Each
// user event is an ordinary member function that reads and writes this state;
// the Qt window forwards events here and copies the state back to its widgets.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "channels/channels.h"
#include "channels/values.h"
#include "chart/canvas.h"
#include "chart/time_window.h"
#include "form/control_names.h"
#include "form/controls.h"
#include "status/fault_lamps.h"
#include "store/log_store.h"
#include "store/startup_tables.h"
#include "text/number_text.h"

namespace zelk::form {

struct UserEvent;

// A message box the window is asked to show (answered OK at once).
struct Message {
  std::string title;
  std::string text;
  bool operator==(const Message&) const = default;
};

inline constexpr const char* kProgramTitle = "ZelkScope";
// The largest marker step that can be typed: the most a 16-bit step holds.
inline constexpr int kLargestStep = INT16_MAX;
// The program that records new logs, started by the "Log" button where the
// user has chosen no other in File > Options.
inline constexpr const char* kExternalReader = "C:\\Readzelk.exe";

// A file the user asked to save: the window asks where, proposing
// `proposedPath`, and writes the graph as on screen or the data table.
struct SaveRequest {
  enum class What { Graph, Data };
  What what = What::Graph;
  std::string proposedPath;
  bool operator==(const SaveRequest&) const = default;
};

// What the window knows of the folders a file may be saved to: whether a
// folder can be written, and the user's own folder, proposed when the log's
// folder cannot be. Without them every folder counts as writable.
struct SaveFolders {
  std::function<bool(const std::string& folder)> writable;
  std::string home;
};

// The log on screen: where it came from and the time base its kind gives.
struct LoadedFile {
  std::string path, name;
  int16_t samplesPerMinute = 0;
  int16_t tripMins = 0;     // its length in whole minutes
  bool everLoaded = false;  // a log was loaded once: later loads keep the channel
};

// What the last channel draw left for the marker's redraw and the readouts.
struct GraphState : channels::DrawnGraph {
  channels::ChannelId channel = channels::ChannelId::None;  // the channel on screen
  std::string rawText;                                      // the listing's entries
  double averageSum = 0;
  int16_t stftExcluded = 0;
};

// The marker: its offset from the window's first sample, in samples, and the
// step it moves by (a number, or the step box's text once typed there).
struct MarkerState {
  double pos = 0;
  std::variant<int16_t, std::string> step = int16_t{10};
};

// What the "Values at Marker" panel shows: whether it is open, a heading
// naming the marked sample and its time (or saying that none is marked), and
// every channel's quantities at that sample.
struct ValuesView {
  bool shown = false;
  std::string heading;
  std::vector<channels::ValueRow> rows;
  bool operator==(const ValuesView&) const = default;
};

// The program's variables, each group owned by one concern.
struct ProgramVars {
  LoadedFile file;
  chart::TimeWindow window;
  GraphState graph;
  MarkerState marker;
  // The windows to go back to, one for each zoom: the window list's own
  // first. Empty while the window is the list's.
  std::vector<chart::TimeWindow> zoomBack;
  // False while the program itself sets the page selector, whose click it
  // then swallows.
  bool pageSelectReady = false;
};

class UserPage {
 public:
  // `programDir` is the folder of the running program, where `logs` is looked for.
  UserPage(chart::Canvas& canvas, std::string programDir);

  // Start-up and the log browser.
  void Form_Load();
  void OpenMenu_Click();
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  // The user picks an entry of a browser list (moves the drive, enters a
  // folder, selects a file).
  void PickDrive(int index);
  void PickFolder(int index);
  void PickFile(int index);
  // The user picks the file at `path`: the browser moves to its folder and the
  // file is selected. True when the log was loaded.
  bool OpenPath(const std::string& path);
  // Moves the browser to `folder` (its drive, the folder list and the file
  // list), as where the user last left it in an earlier run.
  void ShowFolder(const std::string& folder);

  // Channels: a click on a channel button shows its channel; a refresh
  // draws the channel on screen again.
  void DisplayRefresh();

  // Time window and paging
  void YAxis_Click();
  void NextImage_Click();
  void PreviousImage_Click();

  // User-defined byte selectors
  void UserPageSelect_Click();
  void UserByteSelect_Click();
  void UserLabel(std::string_view flag);

  // Menus and small commands
  void ExitMenu_Click();
  void AboutMenu_Click();
  void PictureAbout_Click();
  void Version_Click();
  // The "Log" button starts the reader program: the one chosen in File >
  // Options where it is a program this user may run (else a message names it
  // and says why not), or kExternalReader where none is chosen.
  void ShellButton_Click();
  // File > Options asks the window for its Options dialog, which holds the
  // reader program's path; the window gives back what the user chose.
  void OptionsMenu_Click();
  bool TakeOptionsRequest() { return std::exchange(optionsRequested_, false); }
  void SetReaderProgram(std::string path) { readerProgram_ = std::move(path); }
  const std::string& readerProgram() const { return readerProgram_; }
  // The View menu's "Values at Marker" opens or closes the panel.
  void ValuesMenu_Click();
  // The panel as it stands; while it is open, each channel is decoded once
  // for the loaded log (the user-defined one again for another byte).
  ValuesView ValuesAtMarker();
  // The window could not start `program` (asked for by ShellButton_Click):
  // the user is told, and the program goes on.
  void ProgramNotStarted(const std::string& program);

  // Saving what is on screen: each menu item asks the window for a file
  // (TakeSaveRequest); a write that failed is reported through WriteFailed,
  // one that succeeded through Saved. What is saved is proposed in the
  // folder last saved to in this run, else beside the log where that folder
  // can be written, else in the user's own folder.
  void SaveGraphMenu_Click();
  void ExportDataMenu_Click();
  void SetSaveFolders(SaveFolders folders) { saveFolders_ = std::move(folders); }
  void WriteFailed(const std::string& path, const std::string& reason);
  void Saved(const std::string& path);
  std::optional<SaveRequest> TakeSaveRequest() { return std::exchange(saveRequest_, {}); }
  // The channel on screen in a file name ("temperature"), and
  // "<log name>-<channel>", the name proposed for what is saved.
  std::string ChannelName() const;
  std::string ExportName() const;
  // The data table of the channel on screen over the window on screen.
  std::string DataCsv() const;
  // The window's title: the loaded log's file name, then the program's.
  std::string WindowTitle() const;

  // Generic user actions by control key ("RPMButton", "YAxis"); false when
  // there is no such control or it takes no such action. A click on a hidden
  // control does nothing, as for a user. A pick in the browser's lists moves
  // the drive, enters a folder or opens a file.
  bool Click(std::string_view key);
  bool Select(std::string_view key, int index);
  // Runs a user event as the window passes it on; false where the event
  // cannot happen: no such control, a list entry or scroll value out of
  // range. A click on a control that takes none (a lamp, a label) does
  // nothing and is no fault.
  bool Apply(const UserEvent& event);

  // A click on red lamp `lamp`: the window, at its length, goes to the page
  // holding the first sample that reports the lamp's fault, and the marker
  // marks that sample.
  void FaultRed_Click(int lamp);

  // Marker and keyboard
  void Form_KeyUp(int keyCode);
  // A mouse button pressed on the canvas at (x, y) twips; button 1 is the
  // left one. It moves the marker to the sample whose point lies nearest.
  void Picture1_MouseDown(int button, double x, double y);
  void MarkerStepValueText_Change();
  void MarkerStepScroll_Change();

  // Zoom: a left-button drag across the graph from x1 to x2 twips shows that
  // span; `steps` wheel notches at x zoom in (up) or out (down) about x; a
  // pan moves the window by `steps` tenths of its span. Each zoom can be
  // undone by ZoomBack; choosing a window length leaves the zoom.
  void Picture1_Drag(double x1, double x2);
  void Picture1_Wheel(double x, int steps);
  void Picture1_Pan(int steps);
  void ZoomBack();
  // The user replaces a text box's text or moves a scroll bar; false when
  // there is no such control.
  bool Type(std::string_view key, std::string text);
  bool Scroll(std::string_view key, int value);

  // The load sequence: reads the file named by FilePath. False when the file
  // was rejected or could not be read, in which case nothing changed.
  bool LoadData();

  // State
  Controls& controls() { return controls_; }
  const Controls& controls() const { return controls_; }
  ProgramVars& vars() { return vars_; }
  const ProgramVars& vars() const { return vars_; }
  const store::LogData& log() const { return log_; }
  const store::StartupTables& tables() const { return tables_; }
  const std::string& focus() const { return focus_; }
  // The control the program last gave the keyboard focus to, if it did so
  // since the last call; empty otherwise.
  std::string TakeFocusRequest() { return std::exchange(focusRequest_, {}); }
  bool exitRequested() const { return exitRequested_; }
  // Message boxes and programs asked for since the last call.
  std::vector<Message> TakeMessages();
  std::vector<std::string> TakeStarted();

  // The tables the last channel decode filled: its own texts and the series
  // the marker draws again.
  const channels::Tables& ChannelTables() const { return channel_.tables(); }

 private:
  // Load sequence pieces
  // `evenGaps`: every frame byte number is followed by two blanks, as the
  // page selector's rebuild writes them (the load writes one after 0F).
  void FillByteSelector(bool evenGaps);
  void SetTrimReadout();
  void ShowDetails();
  // Fault lamps and the bit display
  void LoadFaultCodes();
  void DoBits(std::string_view byteText);
  // Time window
  void EvalYStart();
  int SelectedWindow() const;  // YAxis index, -1 for none
  void MovePage(int direction);
  void ZoomTo(std::optional<chart::TimeWindow> window, bool remember);
  void SwitchWindow(const chart::TimeWindow& window);
  void ShowWindow();
  void LeaveZoom();
  // Channel selection
  void Reset_Buttons();
  void ShowChannel(const channels::ChannelRow& channel);
  channels::ByteChoice UserByteChoice() const;
  void ApplyView(channels::View view);
  void DoLabel(int index, std::string_view caption, int left, int top);
  // Dialogs and focus
  void ShowMessage(std::string text);
  // Gives a control the keyboard focus; typing in the step box ends, and the
  // box shows the step in use.
  void SetFocus(ControlName control);
  // Sets a text box's text as the program does, raising its change event
  // when the text changes.
  void SetText(ControlName box, std::string text);
  void SetText(Control& box, std::string text);
  bool PickChosenFile();
  std::string ProposedPath(std::string_view extension) const;
  // Marker
  void SetMarkerLabels(bool shown);
  void BeginMarkerMove();
  void ShowStepInUse();
  // The sample at the marker's offset.
  long MarkedSample() const;
  // After the window changed from `before`: the marker in use stays on the
  // sample it marks where the new window shows it.
  void KeepMarkedSample(const chart::TimeWindow& before);
  void MarkSample();
  const channels::ChannelRow* ReadMarker();
  void FollowMarker();
  double MarkerStepValue() const;
  // Shows sample i's number and its time from the log's start.
  void ShowMarkedSample(long i);
  bool UsualKey(int keyCode);
  bool MarkWindowEnd(bool last);

  chart::Canvas& canvas_;
  std::string programDir_;
  Controls controls_;
  ProgramVars vars_;
  store::LogData log_;
  store::StartupTables tables_;
  channels::DecodedChannel channel_;
  std::vector<Message> messages_;
  std::vector<std::string> started_;
  std::vector<std::string> dirPaths_;  // the folder behind each entry of Dir1
  std::string focus_, focusRequest_;
  bool exitRequested_ = false;
  bool optionsRequested_ = false;
  std::string readerProgram_;  // empty: none chosen
  // The user typed into the step box, which keeps the keys that edit it, and
  // the step in use before the typing began.
  bool typing_ = false;
  std::optional<std::variant<int16_t, std::string>> stepBeforeTyping_;
  std::optional<SaveRequest> saveRequest_;
  SaveFolders saveFolders_;
  std::string lastSaveFolder_;  // empty until something is saved
  unsigned long logId_ = 0;     // counts the logs loaded, telling each apart
  std::array<status::FaultSpan, status::kLampCount> faultSpans_{};
  channels::DecodedChannels decoded_;  // for the values panel
};


}  // namespace zelk::form
