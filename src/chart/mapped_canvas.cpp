#include "chart/mapped_canvas.h"

namespace zelk::chart {

double MapX(const Rect& into, double plotX) {
  return into.left + (plotX - kPlotArea.left) * into.Width() / kPlotArea.Width();
}

double MapY(const Rect& into, double plotY) {
  return into.top + (plotY - kPlotArea.top) * into.Height() / kPlotArea.Height();
}

double PlotXOf(const Rect& into, double x) {
  if (!(into.Width() != 0)) return kPlotArea.left;
  return kPlotArea.left + (x - into.left) * kPlotArea.Width() / into.Width();
}

void MappedCanvas::DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) {
  ++lines_;
  target_.DrawLine(static_cast<float>(MapX(into_, x1)), static_cast<float>(MapY(into_, y1)),
                   static_cast<float>(MapX(into_, x2)), static_cast<float>(MapY(into_, y2)),
                   colour);
}

}  // namespace zelk::chart
