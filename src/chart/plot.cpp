#include "chart/plot.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelk::chart {

void DrawGraphFrame(Canvas& canvas) {
  canvas.Clear();
  canvas.SetLineWidth(1);
  DrawValueAxis(canvas);
  canvas.DrawLine(kAxisX, kAxisBottom, kAxisRight, kAxisBottom, kBlue);
  canvas.SetLineWidth(2);
}

void DrawValueAxis(Canvas& canvas) {
  canvas.DrawLine(kAxisX, kAxisTop, kAxisX, kAxisBottom, kBlue);
}

int SampleIndex(double position) {
  if (std::isnan(position)) return 0;
  const double rounded = text::RoundHalfEven(position);
  if (rounded < -32768) return -32768;
  if (rounded > 32767) return 32767;
  return static_cast<int>(rounded);
}

float ToCanvas(double twips) {
  constexpr double kFar = 1e9;
  if (std::isnan(twips)) return 0;
  return static_cast<float>(std::clamp(twips, -kFar, kFar));
}

const float* XPositions(const text::Decimal& step, long count) {
  thread_local text::Decimal keptStep, last;
  thread_local std::vector<float> x;
  if (x.empty() || !(keptStep == step)) {
    keptStep = step;
    last = text::Decimal::FromInt(kAxisX);
    x.assign(1, last.ToFloat());
  }
  while (static_cast<long>(x.size()) <= count) {
    last += step;
    x.push_back(last.ToFloat());
  }
  return x.data();
}

Window WindowOf(double yStart, double yEnd, text::Decimal xStep) {
  const int first = SampleIndex(yStart);
  return {static_cast<double>(first), SampleIndex(yEnd) - first + 1L, false, xStep};
}

Window MarkerWindowOf(double yStart, double yEnd, text::Decimal xStep) {
  const double span = yEnd - yStart;
  const long count = std::isfinite(span) && span >= 0 ? static_cast<long>(std::floor(span)) + 1 : 0;
  return {yStart, count, true, xStep};
}

}  // namespace zelk::chart
