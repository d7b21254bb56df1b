// The marker: one sample of the window, moved by its step, by the ends of
// the window or by a click on the graph.
#include <algorithm>

#include "session/session.h"
#include "text/number_text.h"

namespace zelk::session {

double Session::StepValue() const {
  if (const auto* number = std::get_if<int16_t>(&marker_.step)) return *number;
  return text::ReadDecimal(std::get<std::string>(marker_.step)).value_or(0);
}

bool Session::Step(int direction) {
  marker_.pos += direction * StepValue();
  if (marker_.pos < 0) {
    HideMarker();
    return true;
  }
  // A step past the window's end, or the log's, stops on its last sample.
  const long last = window_.MarkerLast();
  if (last < 0) {
    marker_.pos = 0;
    return false;
  }
  return Mark(std::min(marker_.pos, static_cast<double>(last)));
}

bool Session::MarkOffset(long offset) {
  const long last = window_.MarkerLast();
  if (last < 0) return false;
  return Mark(static_cast<double>(std::clamp(offset, 0L, last)));
}

bool Session::MarkEnd(bool last) { return MarkOffset(last ? window_.MarkerLast() : 0); }

bool Session::MarkAt(double x) {
  const auto offset = window_.OffsetAt(x);
  return offset && MarkOffset(*offset);
}

bool Session::Mark(double pos) {
  marker_.pos = pos;
  marker_.shown = true;
  Notify(kMarkerChanged);
  return true;
}

void Session::HideMarker() {
  marker_.pos = 0;
  marker_.shown = false;
  Notify(kMarkerChanged);
}

void Session::CheckMarker() {
  if (!marker_.shown) return;
  if (marker_.pos >= 0 && marker_.pos <= window_.MarkerLast()) return;
  marker_.pos = 0;
  marker_.shown = false;
}

}  // namespace zelk::session
