// The plotting rule that every channel and the marker use to turn a series of
// sample texts into connected line segments on the canvas.
#pragma once

#include <cstdint>
#include <optional>

#include "chart/canvas.h"
#include "text/number_text.h"

namespace zelk::chart {

// Canvas geometry shared by every graph, in twips.
inline constexpr int kAxisX = 550;
inline constexpr int kAxisTop = 100;
inline constexpr int kAxisBottom = 4000;
inline constexpr int kAxisRight = 11200;

// Colours, 0x00BBGGRR.
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kGreen = 0x00FF00;
inline constexpr uint32_t kMagenta = 0xFF00FF;

// The frame of every graph: clears the canvas and draws the two axes in blue
// at width 1, then leaves the width at 2 for what follows.
void DrawGraphFrame(Canvas& canvas);
// The value axis alone, as the marker draws it again.
void DrawValueAxis(Canvas& canvas);

// A window position as a sample index: rounded to the nearest whole number,
// halves to even, and kept within what a 16-bit index can hold.
int SampleIndex(double position);

// The samples a draw walks and how far apart they stand. A channel's draw
// counts whole samples from the rounded window start to the rounded window
// end; the marker's redraw counts from the unrounded start and rounds each
// step to a sample.
struct Window {
  double start = 0;
  long count = 0;  // samples walked; 0 or less walks none
  bool roundsEachStep = false;
  text::Decimal xStep;
  int Sample(long n) const {
    return roundsEachStep ? SampleIndex(start + n) : static_cast<int>(start) + static_cast<int>(n);
  }
};
Window WindowOf(double yStart, double yEnd, text::Decimal xStep);
Window MarkerWindowOf(double yStart, double yEnd, text::Decimal xStep);

// A canvas coordinate in single precision. Values far off the canvas are
// pulled in to a distance that still lies far off it, so that no drawn
// coordinate is infinite or not a number.
float ToCanvas(double twips);

// The y of a value: baseLine - value × valueScale + yOffset.
struct YMap {
  double valueScale = 0;
  double baseLine = 0;
  double yOffset = 0;
  double operator()(double value) const { return baseLine - value * valueScale + yOffset; }
};

// The x of the value axis and of `count` steps of `step` twips along from
// it, each accumulated exactly and rounded to single precision. Every
// series of a graph and each redraw at the marker walks the same steps, so
// the last step's positions are kept and only ever extended.
const float* XPositions(const text::Decimal& step, long count);

// Draws one series from `startY`: a first segment to the first sample's y,
// then one segment per sample, x accumulated exactly by the decimal step from
// the value axis and each coordinate rounded to single precision as it is
// drawn. `value(j)` gives sample j's number; `visit(j)` runs for each sample
// in order before its segment (the channels build their listing there). With
// `minEndY`, a segment whose end lies at or above that height is left out,
// though the next one still starts from it. An empty step draws nothing but
// still visits the samples.
template <class Value, class Visit>
void DrawSeries(Canvas& canvas, const Window& w, const YMap& map, uint32_t colour, double startY,
                Value value, Visit visit, std::optional<double> minEndY = std::nullopt) {
  const bool draw = !(w.xStep == text::Decimal());
  const float* const x = XPositions(draw ? w.xStep : text::Decimal(), draw ? w.count : 0);
  float previous = ToCanvas(startY);
  for (long n = 0; n < w.count; ++n) {
    const int j = w.Sample(n);
    visit(j);
    const double yExact = map(value(j));
    const float y = ToCanvas(yExact);
    if (draw && (!minEndY || yExact > *minEndY)) {
      canvas.DrawLine(x[n], previous, x[n + 1], y, colour);
    }
    previous = y;
  }
}

// The plotting rule of a channel's draw: the series starts level with its
// first sample. Returns that start y, which the marker's redraw uses again.
template <class Value, class Visit>
double PlotSeries(Canvas& canvas, const Window& w, const YMap& map, uint32_t colour, Value value,
                  Visit visit, std::optional<double> minEndY = std::nullopt) {
  const double startY = map(value(w.Sample(0)));
  DrawSeries(canvas, w, map, colour, startY, value, visit, minEndY);
  return startY;
}

}  // namespace zelk::chart
