#include "form/lamps.h"

#include <algorithm>

#include "status/fault_lamps.h"

namespace zelk::form {

void Lamps::Show() {
  const auto& spans = session_.faultSpans();
  for (int i = 0; i < status::kLampCount; ++i) {
    const bool red = spans[i].count > 0;
    controls_(ctl::FaultGreen, i).state.visible = !red;
    ControlState& lamp = controls_(ctl::FaultRed, i).state;
    lamp.visible = red;
    lamp.toolTip = status::FaultToolTip(spans[i], session_.log().format);
  }
}

void Lamps::FaultRed_Click(int lamp) {
  const auto& spans = session_.faultSpans();
  if (lamp < 0 || lamp >= status::kLampCount || spans[lamp].count == 0) return;
  // A fault first reported in an unpaired last frame, past the log's last
  // sample, is marked on that sample.
  const long target = std::min<long>(spans[lamp].first, session_.log().sampleCount - 1);
  if (target < 1 || !session_.lengthMinutes()) return;
  session_.PageHolding(target);
  marker_.MarkSample(target);
}

}  // namespace zelk::form
