// The channel buttons and the graph: the chosen channel drawn over the
// session's window, with its title, labels, listing and average.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "channels/channels.h"
#include "chart/canvas.h"
#include "form/controls.h"
#include "form/focus.h"
#include "form/selectors.h"
#include "session/session.h"

namespace zelk::form {

// What the last channel draw left for the marker's redraw and the readouts.
struct GraphState : channels::DrawnGraph {
  channels::ChannelId channel = channels::ChannelId::None;  // the channel on screen
  std::string rawText;                                      // the listing's entries
  double averageSum = 0;
  int16_t stftExcluded = 0;
  long secondLines = 0;  // segments drawn for a second log compared with the first
};

class Graph {
 public:
  Graph(Controls& controls, session::Session& session, chart::Canvas& canvas, Focus& focus,
        Selectors& selectors)
      : controls_(controls),
        session_(session),
        canvas_(canvas),
        focus_(focus),
        selectors_(selectors) {}

  // A click on a channel's button.
  void ButtonClick(channels::ChannelId id) { session_.ChooseChannel(id); }
  // Draws the session's channel afresh (nothing before one is chosen): its
  // button lit, the others and the panels reset, what it shows put onto the
  // controls. False where no channel is chosen.
  bool Show();
  const GraphState& state() const { return state_; }
  void Restart() { state_ = {}; }

 private:
  void ResetButtons();
  void ApplyView(channels::View view);
  void DoLabel(int index, std::string_view caption, int top);
  // A second log's marker: a dashed upright line at its sample's time.
  void DrawSecondMarker();

  Controls& controls_;
  session::Session& session_;
  chart::Canvas& canvas_;
  Focus& focus_;
  Selectors& selectors_;
  GraphState state_;
};

}  // namespace zelk::form
