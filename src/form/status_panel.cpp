// The fault and sensor lamps beside the graph and the bit display on it.
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/plot.h"
#include "form/user_page.h"
#include "status/bit_pattern.h"
#include "status/fault_lamps.h"

namespace zelk::form {

void UserPage::LoadFaultCodes() {
  faultSpans_ = status::FaultSpans(log_);
  for (int i = 0; i < status::kLampCount; ++i) {
    const bool red = faultSpans_[i].count > 0;
    controls_(ctl::FaultGreen, i).state.visible = !red;
    ControlState& lamp = controls_(ctl::FaultRed, i).state;
    lamp.visible = red;
    lamp.toolTip = status::FaultToolTip(faultSpans_[i], log_.format);
  }
}

namespace {

// The marker offset nearest to sample i among those the window's marker can
// take, and whether the marker there marks sample i itself.
std::pair<double, bool> OffsetOf(const chart::TimeWindow& w, long i) {
  const double last = std::max(std::ceil(w.MarkerLimit()) - 1, 0.0);
  double pos = std::clamp(text::RoundHalfEven(i - w.yStart), 0.0, last);
  if (pos < last && chart::SampleIndex(w.yStart + pos) < i) ++pos;
  if (pos > 0 && chart::SampleIndex(w.yStart + pos) > i) --pos;
  return {pos, chart::SampleIndex(w.yStart + pos) == i};
}

}  // namespace

void UserPage::FaultRed_Click(int lamp) {
  if (lamp < 0 || lamp >= status::kLampCount || faultSpans_[lamp].count == 0) return;
  // A fault first reported past the samples the graph shows (the log's last
  // frames) is marked on the last sample the marker reaches.
  const long target = std::min<long>(faultSpans_[lamp].first, log_.sampleCount - 1);
  const int k = SelectedWindow();
  if (target < 1 || k < 0) return;
  // Pages start at whole multiples of the window's length, as paging moves them.
  const int length = tables_.Minutes(k);
  double start = 0;
  while (length > 0) {
    const auto w = chart::TimeWindow::Of(log_.sampleCount, vars_.file.tripMins, length, start,
                                         vars_.file.samplesPerMinute);
    if (OffsetOf(w, target).second || !w.hasNext) break;
    start += length;
  }
  vars_.window.startMins = start;
  EvalYStart();
  DisplayRefresh();
  if (!(vars_.window.MarkerLimit() > 0)) return;  // a window without samples
  BeginMarkerMove();
  vars_.marker.pos = OffsetOf(vars_.window, target).first;
  MarkSample();
}

void UserPage::DoBits(std::string_view byteText) {
  const std::array<bool, 8> set = status::BitPattern(byteText);
  for (int k = 0; k < 8; ++k) {
    controls_(ctl::Bit, k).state.visible = set[k];
    controls_(ctl::BitClear, k).state.visible = !set[k];
  }
}

}  // namespace zelk::form
