// The fault and sensor lamps beside the graph and the bit display on it.
#include <algorithm>
#include <optional>

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

// The whole offset from the window's first sample at which the marker marks
// sample i, if the window holds it.
std::optional<double> OffsetOf(const chart::TimeWindow& w, long i) {
  double pos = text::RoundHalfEven(i - w.yStart);
  if (chart::SampleIndex(w.yStart + pos) < i) ++pos;
  if (chart::SampleIndex(w.yStart + pos) > i) --pos;
  const bool held = pos >= 0 && pos < w.MarkerLimit() && chart::SampleIndex(w.yStart + pos) == i;
  return held ? std::optional<double>(pos) : std::nullopt;
}

}  // namespace

void UserPage::FaultRed_Click(int lamp) {
  if (lamp < 0 || lamp >= status::kLampCount || faultSpans_[lamp].count == 0) return;
  // A fault that only an unpaired last frame reports is shown at the last sample.
  const long target = std::min<long>(faultSpans_[lamp].first, log_.sampleCount - 1);
  const int k = SelectedWindow();
  if (target < 1 || k < 0) return;
  // Pages start at whole multiples of the window's length, as paging moves them.
  const int length = tables_.Minutes(k);
  double start = 0;
  while (length > 0) {
    const auto w = chart::TimeWindow::Of(log_.sampleCount, vars_.file.tripMins, length, start,
                                         vars_.file.samplesPerMinute);
    if (OffsetOf(w, target) || !w.hasNext) break;
    start += length;
  }
  vars_.window.startMins = start;
  EvalYStart();
  DisplayRefresh();
  const auto pos = OffsetOf(vars_.window, target);
  if (!pos) return;
  BeginMarkerMove();
  vars_.marker.pos = *pos;
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
