// Looking at a log: the loaded log and its identity, every channel decoded
// from it (once per log and byte, shared by every view), the time window with
// its zoom history, the marker, the chosen channel and byte, and the fault
// spans. It is plain data with the operations a user performs on it, and it
// tells its views what changed; it knows no control and no place on a form.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "channels/channels.h"
#include "channels/comparison.h"
#include "channels/values.h"
#include "chart/time_window.h"
#include "status/fault_lamps.h"
#include "store/log_alignment.h"
#include "store/log_store.h"
#include "store/startup_tables.h"

namespace zelk::session {

// The log being looked at: where it came from and the time base its kind gives.
struct LoadedFile {
  std::string path, name;
  int16_t samplesPerMinute = 0;
  int16_t tripMins = 0;     // its length in whole minutes
  bool everLoaded = false;  // a log was loaded once
};

// The marker: its offset from the window's first sample, in samples, whether
// it marks a sample at all, and the step it moves by (a number, or the text
// the user typed for it).
struct Marker {
  double pos = 0;
  bool shown = false;
  std::variant<int16_t, std::string> step = int16_t{10};
};

// What an operation changed, as a set; a view redraws what it shows of them.
enum Change : unsigned {
  kLogChanged = 1u << 0,
  kWindowChanged = 1u << 1,
  kMarkerChanged = 1u << 2,
  kChannelChanged = 1u << 3,
  kByteChanged = 1u << 4,
  kPageTurned = 1u << 5,  // the window moved by a page: the marker is on its first sample
  // A second log was opened or closed, moved in time, or its marker moved.
  kComparisonChanged = 1u << 6,
};

// A second log compared with the loaded one: the log, where it came from,
// its channels decoded with the byte chosen for the first, its times on the
// first log's axis, and its own marker (one of its samples, or none).
struct Comparison {
  store::LogData log;
  std::string path, name;
  unsigned long logId = 0;
  channels::ByteChoice byte;
  channels::DecodedChannels decoded;
  store::LogAlignment alignment;
  std::optional<long> marker;
};

// The most zooms a long session of wheel turns keeps to go back through.
inline constexpr size_t kMostZoomsKept = 100;

// What opening a log came to: whether it was accepted, and what the user is
// told (why it was refused, or that it was cut short).
struct Opened {
  bool accepted = false;
  std::vector<std::string> messages;
};
// Reads the log at `path` into `into`, with what the user is told of it:
// why it was refused, or that it was cut short.
Opened ReadLog(const std::string& path, const std::string& name, store::LogData& into);

class Session {
 public:
  Session();

  using Listener = std::function<void(unsigned changes)>;
  // Views are told of each change in the order they began to listen.
  void Listen(Listener listener) { listeners_.push_back(std::move(listener)); }

  // ---- The log ----
  // Reads the log at `path`. An accepted log replaces the loaded one whole:
  // a new identity, the window list's window from minute 0 without zooms,
  // its fault spans. A refused one changes nothing.
  Opened Open(const std::string& path, const std::string& name);
  const store::LogData& log() const { return log_; }
  const LoadedFile& file() const { return file_; }
  unsigned long logId() const { return logId_; }  // tells the logs opened apart
  const store::StartupTables& tables() const { return tables_; }
  const std::array<status::FaultSpan, status::kLampCount>& faultSpans() const {
    return faultSpans_;
  }

  // ---- A second log compared with it ----
  // Reads the log at `path` as a second log over the loaded one, starting
  // with it. A refused one is told with the messages Open gives and changes
  // nothing, neither log nor a comparison already open; so is any log while
  // no first log is loaded. Opening another first log ends the comparison.
  Opened Compare(const std::string& path, const std::string& name);
  void CloseComparison();
  // The comparison, or null.
  const Comparison* comparison() const { return comparison_.get(); }
  // The second log as the channels draw and compare it; none without one.
  std::optional<channels::SecondLog> SecondLog();
  // Moves the second log by the marker's step in the first log's samples
  // (`direction` +1 later, -1 earlier); sets its offset (held within the
  // alignment's limit). False without a second log.
  bool MoveOffset(int direction);
  bool SetOffset(store::Ticks offset);
  // Puts the second log's marked sample at the time of the first log's
  // marked sample. Both markers must be placed: without either, nothing
  // changes and it returns false, so that the second log never jumps to a
  // sample the user did not choose.
  bool AlignAtMarkers();
  // Moves the second marker by the marker's step in its own samples, held
  // within its log. Where it is not placed yet, the first move places it,
  // without stepping, on the second log's sample nearest the first marker's
  // time, or on the first it shows in the window when no marker is placed.
  bool StepSecondMarker(int direction);
  // The second marker at canvas x of the main graph: the second log's
  // sample nearest the time there, held within its log. False without a
  // second log or for an x the window gives no place.
  bool MarkSecondAt(double x);
  // The time on the first log's axis that canvas x of the main graph stands for.
  std::optional<store::Ticks> TimeAt(double x) const;

  // ---- Channels ----
  channels::ChannelId channel() const { return channel_; }
  void ChooseChannel(channels::ChannelId id);
  // The user-defined channel's byte: `byte` of page 0 (the 0x80 frame) or 1
  // (the 0x7D frame) of a frame log, or column `byte` + 1 of a column log.
  const channels::ByteChoice& byte() const { return byte_; }
  void ChooseByte(int page, int byte);
  // A channel's tables, decoded from the loaded log the first time a view
  // asks (the user-defined one again for each byte); `decodes` counts them.
  const channels::Tables& Decoded(const channels::ChannelRow& channel);
  long decodes() const { return decoded_.decodes(); }
  // The decoded tables as a source for a view that shows several channels.
  channels::TablesSource Decoding() { return decoded_.Source(log_, logId_, byte_); }
  // Every channel's quantities at sample i, as the exported tables give them.
  std::vector<channels::ValueRow> ValuesAt(long i);

  // ---- The time window ----
  const chart::TimeWindow& window() const { return window_; }
  // The window list's length in minutes (0 for the whole log); none while
  // no length is chosen, when the window stays as it is.
  std::optional<int> lengthMinutes() const { return lengthMinutes_; }
  bool zoomed() const { return !zoomBack_.empty(); }
  size_t zoomDepth() const { return zoomBack_.size(); }
  // Chooses a window length: the zoom is left and the window starts where
  // the list's window stood.
  void SetWindowLength(std::optional<int> minutes);
  // Moves the window by its length (a zoomed one by its span) and puts the
  // marker at its start; false where there is no page that way.
  bool Page(int direction);
  // A drag across the graph between two x's, `steps` wheel notches at x, a
  // pan by tenths of the span: each a zoom that Back undoes, a pan excepted.
  void Drag(double x1, double x2);
  void Wheel(double x, int steps);
  void Pan(int steps);
  bool Back();
  // The window list's page, at its length, that holds sample i (a fault's
  // first report), with the zoom left.
  void PageHolding(long i);

  // ---- The marker ----
  const Marker& marker() const { return marker_; }
  // The sample at the marker's offset.
  long MarkedSample() const { return window_.yStart + static_cast<long>(marker_.pos); }
  // The step as a number: the typed text's, 0 where it is none.
  double StepValue() const;
  void SetStep(std::variant<int16_t, std::string> step) { marker_.step = std::move(step); }
  // Moves the marker by the step (`direction` -1 or +1): before the window's
  // first sample it is put away, past the window's or the log's end it stops
  // on the last sample. False where the window shows no sample.
  bool Step(int direction);
  // Marks the window's sample at offset `offset` (clamped to the window);
  // false where the window shows none.
  bool MarkOffset(long offset);
  // Marks the window's first or last sample.
  bool MarkEnd(bool last);
  // The marker at canvas x: the sample whose point lies nearest.
  bool MarkAt(double x);
  // Puts the marker away: it marks nothing until it is moved again.
  void HideMarker();

  // Back to the state at start: no log shown, the window, the marker and the
  // choices as they begin. The log last read and its decoded tables stay in
  // memory, to be replaced by the next log opened.
  void Restart();

  // Tells the views of changes made outside an operation of the session.
  void Notify(unsigned changes);

 private:
  void ChooseByteQuietly(int page, int byte);
  // The window list's window at its length from the window's start minute.
  void EvalWindow();
  void ZoomTo(std::optional<chart::TimeWindow> window, bool remember);
  void SwitchWindow(const chart::TimeWindow& window);
  void LeaveZoom();
  // After the window changed from `before`, the marker in use stays on the
  // sample it marks where the new window shows it, and is put away where not.
  void KeepMarkedSample(const chart::TimeWindow& before);
  // A marker left where the window or the log holds no sample is put away.
  void CheckMarker();
  bool Mark(double pos);
  channels::ByteChoice ByteChoiceFor(store::LogFormat format, int page, int byte) const;
  void SetSecondMarker(long j);

  std::vector<Listener> listeners_;
  store::StartupTables tables_;
  store::LogData log_;
  LoadedFile file_;
  unsigned long logId_ = 0;
  std::array<status::FaultSpan, status::kLampCount> faultSpans_{};
  channels::ChannelId channel_ = channels::ChannelId::None;
  channels::ByteChoice byte_;
  channels::DecodedChannels decoded_;
  chart::TimeWindow window_;
  std::optional<int> lengthMinutes_;
  // The windows to go back to, one for each zoom: the window list's own
  // first. Empty while the window is the list's.
  std::vector<chart::TimeWindow> zoomBack_;
  Marker marker_;
  std::unique_ptr<Comparison> comparison_;
  unsigned long secondIds_ = 0;
};

}  // namespace zelk::session
