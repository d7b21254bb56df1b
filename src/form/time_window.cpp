// The time window: which samples the graph shows, how far apart, and the
// captions that describe it.
#include <algorithm>
#include <string>

#include "chart/plot.h"
#include "form/user_page.h"

namespace zelk::form {

int UserPage::SelectedWindow() const {
  const ControlState& list = controls_(ctl::YAxis).state;
  return list.index < static_cast<int>(list.items.size()) ? list.index : -1;
}

void UserPage::EvalYStart() {
  const int k = SelectedWindow();
  // With no window length chosen the window stays as it is.
  if (k < 0) return;
  chart::TimeWindow& w = vars_.window;
  w = chart::TimeWindow::Of(log_.sampleCount, vars_.file.tripMins, tables_.Minutes(k), w.startMins,
                            vars_.file.samplesPerMinute);
  controls_(ctl::PreviousImage).state.visible = w.hasPrevious;
  controls_(ctl::NextImage).state.visible = w.hasNext;
  const auto minutesText = [](double m) { return text::Plain(m) + " mins"; };
  controls_(ctl::Duration).state.caption =
      minutesText(w.startMins) + " to " + minutesText(w.endMins);
  controls_(ctl::YLabel).state.caption = w.Caption();
}

void UserPage::YAxis_Click() {
  EvalYStart();
  DisplayRefresh();
}

void UserPage::NextImage_Click() { MovePage(+1); }
void UserPage::PreviousImage_Click() { MovePage(-1); }

// Moves the window by its own length and puts the marker at its start.
void UserPage::MovePage(int direction) {
  const int k = SelectedWindow();
  if (k < 0) return;
  double& start = vars_.window.startMins;
  start = std::max(start + direction * tables_.Minutes(k), 0.0);
  EvalYStart();
  vars_.marker.pos = 0;
  ShowMarkedSample(chart::SampleIndex(vars_.window.yStart));
  DisplayRefresh();
  controls_(ctl::Overlay).state.left = chart::kMarkerPageStart;
}

}  // namespace zelk::form
