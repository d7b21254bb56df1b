// The "Values at Marker" panel: every channel's quantities at the marked
// sample, opened and closed from the View menu.
#pragma once

#include <string>
#include <vector>

#include "channels/comparison.h"
#include "channels/values.h"
#include "form/controls.h"
#include "session/session.h"

namespace zelk::form {

// What the panel shows: whether it is open, a heading naming the marked
// sample and its time (or saying that none is marked), and every channel's
// quantities at that sample.
struct ValuesView {
  bool shown = false;
  std::string heading;
  std::vector<channels::ValueRow> rows;
  // While a second log is compared: a heading naming it, its offset, and
  // its sample nearest the marker's time with that sample's own time (or
  // that it has none then); and every quantity in both logs with their
  // difference, in the order of `rows`.
  std::string secondHeading;
  std::vector<channels::ComparedValue> compared;
  bool operator==(const ValuesView&) const = default;
};

// The second log's number as the panel shows it: with its unit after it
// where that is not the first log's ("0.42 V" beside "12 °"), else alone.
std::string SecondText(const channels::ComparedValue& value);

class ValuesPanel {
 public:
  ValuesPanel(Controls& controls, session::Session& session)
      : controls_(controls), session_(session) {}

  void ValuesMenu_Click();
  // The panel as it stands, from the channels the session decoded once for
  // the loaded log (the user-defined one again for another byte).
  ValuesView View();

 private:
  Controls& controls_;
  session::Session& session_;
};

}  // namespace zelk::form
