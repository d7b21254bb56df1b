// The Channels window over the session: several channels stacked as strips
// over the session's time window, with the one marker through them all. It
// draws the strips on a canvas of its own, in twips of the window's drawing
// area, and the marker on another, so that a marker move draws no strip.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "channels/strips.h"
#include "chart/canvas.h"
#include "session/session.h"

namespace zelk::form {

// A strip as the window shows it, for the driver's dump.
struct StripState {
  std::string channel;  // its button's caption
  long first = 1, last = 0;
  std::optional<long> marker;
  std::string value;  // its text at the marker
  double low = 0, high = 1;
  long lines = 0;  // segments drawn from one sample to the next
  // A second log's text at its sample nearest the marker's time, and the
  // segments drawn for it; "" and 0 without one.
  std::string secondValue;
  long secondLines = 0;
};

class ChannelsView {
 public:
  explicit ChannelsView(session::Session& session) : session_(session) {}

  // Shows the strips of `channels` from the top, in that order; none closes
  // the window.
  void Show(std::vector<channels::ChannelId> channels);
  bool shown() const { return !channels_.empty(); }
  const std::vector<channels::ChannelId>& channels() const { return channels_; }
  // Each strip's value axis fitted to the window's samples, or fixed at the
  // channel's own range.
  void SetAxis(channels::StripAxis axis);
  channels::StripAxis axis() const { return axis_; }
  // The window's drawing area in twips.
  void SetSize(double width, double height);
  double width() const { return width_; }
  double height() const { return height_; }

  // Draws what the session's change touched: every strip after a change of
  // the log, window, channel or byte, the marker alone after its move.
  void Refresh(unsigned changes);

  // The strips, with their texts; the marker's line, its time and each
  // strip's value beside it.
  const chart::RecordingCanvas& strips() const { return stripCanvas_; }
  const std::vector<channels::TextAt>& texts() const { return texts_; }
  const chart::RecordingCanvas& marker() const { return markerCanvas_; }
  const std::vector<channels::TextAt>& markerTexts() const { return markerTexts_; }
  std::vector<StripState> States() const;
  // The data table of every strip's columns over the window (with a second
  // log's compared columns after them, "_2" after each name), and the name
  // proposed for what is saved from the window ("drive-channels").
  std::string DataCsv() const;
  std::string ExportName() const;
  // Counts the drawings of the strips, so that a window paints them again
  // only when they changed.
  long generation() const { return generation_; }

  // The strip under y twips; nothing between or beyond them.
  std::optional<size_t> StripAt(double y) const;
  // The marker offset a click at `fraction` of the strips' width picks.
  std::optional<long> OffsetAt(double fraction) const;
  // The share of the strips' width at x twips (0 their left edge, 1 their
  // right), and the x on the main graph that stands for it, where a zoom
  // about it keeps the same sample under the pointer.
  double FractionAt(double x) const;
  double GraphX(double x) const;

 private:
  void DrawStrips();
  void DrawMarker();
  chart::Rect StackArea() const;

  session::Session& session_;
  std::vector<channels::ChannelId> channels_;
  channels::StripAxis axis_ = channels::StripAxis::Fitted;
  double width_ = 19200, height_ = 12000;
  std::vector<channels::Strip> strips_;
  std::vector<chart::Rect> rects_;
  std::vector<long> lines_, secondLines_;
  chart::RecordingCanvas stripCanvas_, markerCanvas_;
  std::vector<channels::TextAt> texts_, markerTexts_;
  long generation_ = 0;
};

}  // namespace zelk::form
