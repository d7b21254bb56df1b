// A canvas that lays the main graph's plot area into any rectangle of
// another canvas, so that the plotting rule of plot.h draws a series there
// unchanged: a stacked strip is drawn by the same DrawSeries as the graph.
#pragma once

#include <cstddef>

#include "chart/canvas.h"
#include "chart/time_window.h"

namespace zelk::chart {

// A rectangle of a canvas, in twips; top above bottom (top < bottom).
struct Rect {
  double left = 0, top = 0, right = 0, bottom = 0;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// The main graph's plot area: the window's width from the value axis, the
// value axis from its top to the time axis.
inline constexpr Rect kPlotArea = {kAxisX, kAxisTop, kAxisX + kWindowWidth, kAxisBottom};

// Where a point of the plot area lands in `into`, linearly (a point beyond
// the plot area lands as far beyond `into`), and where a point of `into`
// stands in the plot area: MapX(into, PlotXOf(into, x)) == x.
double MapX(const Rect& into, double plotX);
double MapY(const Rect& into, double plotY);
double PlotXOf(const Rect& into, double x);

// Passes every line on to `target`, each end moved from where it stands in
// kPlotArea to the same place in `into`, linearly (a point beyond the plot
// area lands as far beyond `into`). It never clears the target, which holds
// other strips; the line width passes on as it is. It counts the lines it
// passes on (MapX, MapY).
class MappedCanvas : public Canvas {
 public:
  MappedCanvas(Canvas& target, const Rect& into) : target_(target), into_(into) {}
  void Clear() override {}
  void SetLineWidth(int pixels) override { target_.SetLineWidth(pixels); }
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) override;

  size_t lines() const { return lines_; }

 private:
  Canvas& target_;
  Rect into_;
  size_t lines_ = 0;
};

}  // namespace zelk::chart
