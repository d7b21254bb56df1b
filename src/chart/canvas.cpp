#include "chart/canvas.h"

namespace zelk::chart {

void RecordingCanvas::Clear() {
  lines_.clear();
  if (next_) next_->Clear();
}

void RecordingCanvas::SetLineWidth(int pixels) {
  width_ = pixels;
  if (next_) next_->SetLineWidth(pixels);
}

void RecordingCanvas::DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) {
  if (keep_) lines_.push_back({x1, y1, x2, y2, colour, width_});
  if (next_) next_->DrawLine(x1, y1, x2, y2, colour);
}

}  // namespace zelk::chart
