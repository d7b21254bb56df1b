// A second log compared with the loaded one: its menu items, its legend over
// the graph, its offset typed or moved by the keys, its own marker, and the
// two logs lined up at their markers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "form/controls.h"
#include "form/focus.h"
#include "session/session.h"

namespace zelk::form {

// The comparison as the driver's dump shows it.
struct ComparisonState {
  std::string file;   // the second log's file name
  double offset = 0;  // seconds, positive when the second log starts later
  // The second log's sample nearest the marker's time, and its text there
  // for the channel on screen; none and "" without a marker or a sample then.
  std::optional<long> sample;
  std::string value;
  long lines = 0;              // segments the graph drew for it
  std::optional<long> marker;  // the second log's own marker
};

class Comparing {
 public:
  Comparing(Controls& controls, session::Session& session, Focus& focus, Messages& messages)
      : controls_(controls), session_(session), focus_(focus), messages_(messages) {}

  void CloseComparisonMenu_Click() { session_.CloseComparison(); }
  // Lines the logs up at the two markers; where either is not placed, the
  // user is told how to place them.
  void AlignMenu_Click();
  // File > Set Offset... asks the window for an offset in seconds,
  // proposing the one in use (TakeOffsetRequest); the window passes what the
  // user typed back to TypeOffset, which takes it or says why not.
  void OffsetMenu_Click();
  std::optional<std::string> TakeOffsetRequest() { return std::exchange(offsetRequest_, {}); }
  void TypeOffset(std::string_view typed);
  // Ctrl with an arrow key moves the second log by the marker's step;
  // Shift with one moves its marker; Shift with a click on the graph puts
  // its marker there. False where no second log is open.
  bool MoveOffset(int direction);
  bool StepSecondMarker(int direction);
  bool MarkSecondAt(double x);

  // The menu items and the legend after the logs changed.
  void Show();
  // The comparison with the channel on screen and the segments drawn for
  // it; none while no second log is open.
  std::optional<ComparisonState> State(channels::ChannelId channel, long lines) const;

 private:
  Controls& controls_;
  session::Session& session_;
  Focus& focus_;
  Messages& messages_;
  std::optional<std::string> offsetRequest_;
};

}  // namespace zelk::form
