// The time window: the window list's pages, and the zooms into any stretch
// of the log with the way back through them.
#include <algorithm>

#include "chart/zoom.h"
#include "session/session.h"

namespace zelk::session {

void Session::EvalWindow() {
  if (!lengthMinutes_) return;
  window_ = chart::TimeWindow::Of(log_.sampleCount, file_.tripMins, *lengthMinutes_,
                                  window_.startMins, file_.samplesPerMinute);
}

void Session::SetWindowLength(std::optional<int> minutes) {
  lengthMinutes_ = minutes;
  if (!minutes) return;  // a list with no entry chosen leaves the window as it is
  const chart::TimeWindow before = window_;
  LeaveZoom();
  EvalWindow();
  KeepMarkedSample(before);
  Notify(kWindowChanged | kMarkerChanged);
}

bool Session::Page(int direction) {
  if (zoomed()) {
    const auto page = chart::PageSpan(window_, direction);
    if (!page) return false;
    window_ = *page;
  } else {
    if (!lengthMinutes_ || !(direction > 0 ? window_.hasNext : window_.hasPrevious)) return false;
    window_.startMins = std::max(window_.startMins + direction * *lengthMinutes_, 0.0);
    EvalWindow();
  }
  marker_.pos = 0;
  CheckMarker();
  Notify(kWindowChanged | kMarkerChanged | kPageTurned);
  return true;
}

void Session::Drag(double x1, double x2) { ZoomTo(chart::DragSpan(window_, x1, x2), true); }

void Session::Wheel(double x, int steps) { ZoomTo(chart::WheelZoom(window_, x, steps), true); }

// A pan is no zoom of its own: going back skips the windows panned through,
// but a pan of the list's own window is remembered, so that back returns to it.
void Session::Pan(int steps) { ZoomTo(chart::Pan(window_, steps), false); }

bool Session::Back() {
  if (zoomBack_.empty()) return false;
  const chart::TimeWindow previous = zoomBack_.back();
  zoomBack_.pop_back();
  SwitchWindow(previous);
  return true;
}

void Session::ZoomTo(std::optional<chart::TimeWindow> window, bool remember) {
  if (!window) return;
  // Zooming out onto the window before the last zoom goes back to it.
  if (!zoomBack_.empty() && zoomBack_.back().yStart == window->yStart &&
      zoomBack_.back().yEnd == window->yEnd) {
    Back();
    return;
  }
  if (remember || zoomBack_.empty()) zoomBack_.push_back(window_);
  // A long session of wheel turns keeps its latest zooms, and always the
  // window list's own window at the bottom.
  if (zoomBack_.size() > kMostZoomsKept) zoomBack_.erase(zoomBack_.begin() + 1);
  SwitchWindow(*window);
}

// The window list's own window comes back with its start, which the zoomed
// windows moved to minutes between its pages.
void Session::LeaveZoom() {
  if (zoomBack_.empty()) return;
  window_.startMins = zoomBack_.front().startMins;
  zoomBack_.clear();
}

void Session::SwitchWindow(const chart::TimeWindow& window) {
  const chart::TimeWindow before = window_;
  window_ = window;
  KeepMarkedSample(before);
  Notify(kWindowChanged | kMarkerChanged);
}

void Session::PageHolding(long i) {
  if (!lengthMinutes_) return;
  // Pages start at whole multiples of the window's length, as paging moves them.
  const int length = *lengthMinutes_;
  double start = 0;
  while (length > 0) {
    const auto w = chart::TimeWindow::Of(log_.sampleCount, file_.tripMins, length, start,
                                         file_.samplesPerMinute);
    if (i <= w.yEnd || !w.hasNext) break;
    start += length;
  }
  zoomBack_.clear();
  window_.startMins = start;
  EvalWindow();
  CheckMarker();
  Notify(kWindowChanged | kMarkerChanged);
}

// A marker left before the new window's start takes an offset that no
// sample has, so that the check puts it away.
void Session::KeepMarkedSample(const chart::TimeWindow& before) {
  if (marker_.shown) {
    const long marked = before.yStart + static_cast<long>(marker_.pos);
    marker_.pos = static_cast<double>(std::max<long>(marked - window_.yStart, -1));
  }
  CheckMarker();
}

}  // namespace zelk::session
