// The twelve fault and sensor lamps beside the graph: red where the log
// reports the fault, with the samples that report it in its tool tip; a
// click on a red lamp shows the first of them.
#pragma once

#include "form/controls.h"
#include "form/marker_panel.h"
#include "session/session.h"

namespace zelk::form {

class Lamps {
 public:
  Lamps(Controls& controls, session::Session& session, MarkerPanel& marker)
      : controls_(controls), session_(session), marker_(marker) {}

  // The lamps of the log just opened.
  void Show();
  // A click on red lamp `lamp`: the window, at its length, goes to the page
  // holding the first sample that reports the lamp's fault, and the marker
  // marks that sample.
  void FaultRed_Click(int lamp);

 private:
  Controls& controls_;
  session::Session& session_;
  MarkerPanel& marker_;
};

}  // namespace zelk::form
