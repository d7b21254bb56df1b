// The marker panel: the red strip over the graph at the marked sample, the
// sample's number, time and value, and the step box and bar that set how far
// the arrow keys move it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "chart/canvas.h"
#include "form/controls.h"
#include "form/focus.h"
#include "form/graph.h"
#include "form/selectors.h"
#include "session/session.h"

namespace zelk::form {

// The largest marker step that can be typed: the most a 16-bit step holds.
inline constexpr int kLargestStep = INT16_MAX;

class MarkerPanel {
 public:
  MarkerPanel(Controls& controls, session::Session& session, chart::Canvas& canvas, Focus& focus,
              Selectors& selectors, const Graph& graph);

  // The user's moves: an arrow key (-1 left, +1 right), Home or End, a left
  // click on the graph at canvas x. False where the key does nothing.
  void Arrow(int direction);
  bool MarkEnd(bool last);
  void Click(double x);
  // Marks sample i, where the window shows it (else the nearest end).
  void MarkSample(long i);
  // The user types `text` into the step box, or moves the step bar.
  void TypeStep(std::string text);
  void MarkerStepScroll_Change();

  // The panel after the marker moved.
  void Show();
  // The panel after the graph was drawn afresh: the marker in use reads the
  // new graph, or goes away with the instructions in its place.
  void Follow();
  // A new log opened: a panel in use reads the new log at the sample it
  // named, before the graph is drawn afresh and the marker follows it.
  void LogOpened();
  // After a page turn: the panel names the page's first sample and the strip
  // waits over it.
  void PageTurned();
  // The strip off the graph's right edge, where it marks nothing.
  void ParkStrip();

 private:
  void SetMarkerLabels(bool shown);
  // What every marker move does first: the step box shows the step in use
  // again and the keyboard goes back to the graph.
  void BeginMarkerMove();
  void ShowStepInUse();
  void SetStepText(std::string text);
  void MarkerStepValueText_Change();
  const channels::ChannelRow* ReadMarker();
  // The panel's number, times and value of sample i.
  const channels::ChannelRow* ReadSample(long i);
  void ShowMarkedSample(long i);

  Controls& controls_;
  session::Session& session_;
  chart::Canvas& canvas_;
  Focus& focus_;
  Selectors& selectors_;
  const Graph& graph_;
  long lastRead_ = 0;  // the sample the panel last read
  // The step in use before the user began typing in the step box.
  std::optional<std::variant<int16_t, std::string>> stepBeforeTyping_;
};

}  // namespace zelk::form
