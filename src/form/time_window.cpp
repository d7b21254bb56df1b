// The time window: which samples the graph shows, how far apart, and the
// captions that describe it; paging, and the zoom into any stretch of it.
#include <algorithm>
#include <string>

#include "chart/plot.h"
#include "chart/zoom.h"
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
  ShowWindow();
}

// The paging arrows, the window box and the time caption for the window; a
// zoomed window gives its minutes to a tenth, since it starts and ends
// between whole minutes. The details stay the log's.
void UserPage::ShowWindow() {
  const chart::TimeWindow& w = vars_.window;
  const bool zoomed = !vars_.zoomBack.empty();
  controls_(ctl::PreviousImage).state.visible = w.hasPrevious;
  controls_(ctl::NextImage).state.visible = w.hasNext;
  const auto minutesText = [zoomed](double m) {
    return (zoomed ? text::FormatFixed(m, 1) : text::Plain(m)) + " mins";
  };
  controls_(ctl::Duration).state.caption =
      minutesText(w.startMins) + " to " + minutesText(w.endMins);
  controls_(ctl::YLabel).state.caption = w.Caption();
}

void UserPage::YAxis_Click() {
  const chart::TimeWindow before = vars_.window;
  if (SelectedWindow() >= 0) LeaveZoom();
  EvalYStart();
  KeepMarkedSample(before);
  DisplayRefresh();
}

void UserPage::NextImage_Click() { MovePage(+1); }
void UserPage::PreviousImage_Click() { MovePage(-1); }

// Moves the window by its own length and puts the marker at its start.
void UserPage::MovePage(int direction) {
  if (!vars_.zoomBack.empty()) {
    const auto page = chart::PageSpan(vars_.window, direction);
    if (!page) return;
    vars_.window = *page;
    ShowWindow();
  } else {
    const int k = SelectedWindow();
    if (k < 0) return;
    double& start = vars_.window.startMins;
    start = std::max(start + direction * tables_.Minutes(k), 0.0);
    EvalYStart();
  }
  vars_.marker.pos = 0;
  ShowMarkedSample(vars_.window.yStart);
  DisplayRefresh();
  controls_(ctl::Overlay).state.left = chart::kMarkerPageStart;
}

void UserPage::Picture1_Drag(double x1, double x2) {
  ZoomTo(chart::DragSpan(vars_.window, x1, x2), true);
}

void UserPage::Picture1_Wheel(double x, int steps) {
  ZoomTo(chart::WheelZoom(vars_.window, x, steps), true);
}

// A pan is no zoom of its own: going back skips the windows panned through.
void UserPage::Picture1_Pan(int steps) { ZoomTo(chart::Pan(vars_.window, steps), false); }

void UserPage::ZoomBack() {
  if (vars_.zoomBack.empty()) return;
  const chart::TimeWindow previous = vars_.zoomBack.back();
  vars_.zoomBack.pop_back();
  SwitchWindow(previous);
}

void UserPage::ZoomTo(std::optional<chart::TimeWindow> window, bool remember) {
  if (!window) return;
  // Zooming out onto the window before the last zoom goes back to it.
  if (!vars_.zoomBack.empty() && vars_.zoomBack.back().yStart == window->yStart &&
      vars_.zoomBack.back().yEnd == window->yEnd) {
    ZoomBack();
    return;
  }
  if (remember || vars_.zoomBack.empty()) vars_.zoomBack.push_back(vars_.window);
  // A long session of wheel turns keeps its latest zooms, and always the
  // window list's own window at the bottom.
  constexpr size_t kMostKept = 100;
  if (vars_.zoomBack.size() > kMostKept) vars_.zoomBack.erase(vars_.zoomBack.begin() + 1);
  SwitchWindow(*window);
}

// The window list's own window comes back with its start, which the zoomed
// windows moved to minutes between its pages.
void UserPage::LeaveZoom() {
  if (vars_.zoomBack.empty()) return;
  vars_.window.startMins = vars_.zoomBack.front().startMins;
  vars_.zoomBack.clear();
}

// Shows another window of the same log. The marker in use stays on the
// sample it marks where the new window shows it, and starts again where not.
void UserPage::SwitchWindow(const chart::TimeWindow& window) {
  const chart::TimeWindow before = vars_.window;
  vars_.window = window;
  KeepMarkedSample(before);
  ShowWindow();
  DisplayRefresh();
}

// A marker left before the new window's start takes an offset that no
// sample has, so that the redraw starts it again.
void UserPage::KeepMarkedSample(const chart::TimeWindow& before) {
  if (!controls_(ctl::DataPointText).state.visible) return;
  const long marked = before.yStart + static_cast<long>(vars_.marker.pos);
  vars_.marker.pos = static_cast<double>(std::max<long>(marked - vars_.window.yStart, -1));
}

}  // namespace zelk::form
