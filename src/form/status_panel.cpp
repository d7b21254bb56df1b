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

void UserPage::FaultRed_Click(int lamp) {
  if (lamp < 0 || lamp >= status::kLampCount || faultSpans_[lamp].count == 0) return;
  // A fault first reported in an unpaired last frame, past the log's last
  // sample, is marked on that sample.
  const long target = std::min<long>(faultSpans_[lamp].first, log_.sampleCount - 1);
  const int k = SelectedWindow();
  if (target < 1 || k < 0) return;
  // Pages start at whole multiples of the window's length, as paging moves them.
  const int length = tables_.Minutes(k);
  double start = 0;
  while (length > 0) {
    const auto w = chart::TimeWindow::Of(log_.sampleCount, vars_.file.tripMins, length, start,
                                         vars_.file.samplesPerMinute);
    if (target <= w.yEnd || !w.hasNext) break;
    start += length;
  }
  vars_.zoomBack.clear();
  vars_.window.startMins = start;
  EvalYStart();
  DisplayRefresh();
  const long last = vars_.window.MarkerLast();
  if (last < 0) return;  // a window without samples
  BeginMarkerMove();
  vars_.marker.pos = static_cast<double>(std::clamp(target - vars_.window.yStart, 0L, last));
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
