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

// The samples a draw walks and how far apart they stand: `count` samples
// from `first`, the n-th (from 0) at x = 550 + n x xStep, so that the
// window's first sample stands on the value axis.
struct Window {
  long first = 0;
  long count = 0;  // samples walked; 0 or less walks none
  text::Decimal xStep;
  long Sample(long n) const { return first + n; }
};

// The y of a value: baseLine - value x valueScale.
struct YMap {
  double valueScale = 0;
  double baseLine = 0;
  double operator()(double value) const { return baseLine - value * valueScale; }
};

// The x of the value axis and of `count` steps of `step` twips along from
// it, each accumulated exactly and rounded to single precision. Every
// series of a graph and each redraw at the marker walks the same steps, so
// the last step's positions are kept and only ever extended.
const float* XPositions(const text::Decimal& step, long count);

// A colour halfway to white: a stretch of a series held at the plot's edge
// is drawn in it, so that the user sees the values went beyond.
constexpr uint32_t Paler(uint32_t colour) {
  uint32_t paler = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = colour >> shift & 0xFF;
    paler |= (c + (255 - c + 1) / 2) << shift;
  }
  return paler;
}

// Draws the segment from (x1, y1) to (x2, y2) within the plot, between the
// value axis's top and the time axis: a stretch that lies beyond either is
// held at that edge and drawn in the paler colour.
void DrawHeldSlow(Canvas& canvas, float x1, double y1, float x2, double y2, uint32_t colour);
inline void DrawHeld(Canvas& canvas, float x1, double y1, float x2, double y2, uint32_t colour) {
  if (y1 >= kAxisTop && y1 <= kAxisBottom && y2 >= kAxisTop && y2 <= kAxisBottom) {
    canvas.DrawLine(x1, static_cast<float>(y1), x2, static_cast<float>(y2), colour);
  } else {
    DrawHeldSlow(canvas, x1, y1, x2, y2, colour);
  }
}

// Draws one series: a segment from each sample's point to the next one's, x
// accumulated exactly by the decimal step from the value axis and each
// coordinate rounded to single precision as it is drawn, every stretch held
// within the plot. `value(j)` gives sample j's number; `visit(j)` runs for
// each sample in order (the channels build their listing there). An empty
// step draws nothing but still visits the samples.
template <class Value, class Visit>
void DrawSeries(Canvas& canvas, const Window& w, const YMap& map, uint32_t colour, Value value,
                Visit visit) {
  const bool draw = !(w.xStep == text::Decimal());
  const float* const x = XPositions(draw ? w.xStep : text::Decimal(), draw ? w.count : 0);
  double previous = 0;
  for (long n = 0; n < w.count; ++n) {
    const long j = w.Sample(n);
    visit(j);
    const double y = map(value(j));
    if (draw && n > 0) DrawHeld(canvas, x[n - 1], previous, x[n], y, colour);
    previous = y;
  }
}

// The plotting rule of a channel's draw. Returns the y of the window's first
// sample, where the series starts.
template <class Value, class Visit>
double PlotSeries(Canvas& canvas, const Window& w, const YMap& map, uint32_t colour, Value value,
                  Visit visit) {
  DrawSeries(canvas, w, map, colour, value, visit);
  return map(value(w.Sample(0)));
}

}  // namespace zelk::chart
