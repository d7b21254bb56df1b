#include "chart/plot.h"

#include <algorithm>
#include <array>
#include <utility>
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

void DrawHeldSlow(Canvas& canvas, float x1, double y1, float x2, double y2, uint32_t colour) {
  // Far values as far as a canvas coordinate goes; a value that is no
  // number lies on the time axis.
  const auto finite = [](double y) {
    return std::isnan(y) ? double{kAxisBottom} : std::clamp(y, -1e9, 1e9);
  };
  y1 = finite(y1);
  y2 = finite(y2);
  // Where along the segment (0 at its start, 1 at its end) it crosses the
  // plot's top or bottom, in order: at most three stretches.
  std::array<double, 4> cuts{0, 1, 1, 1};
  int n = 1;
  for (const double edge : {double{kAxisTop}, double{kAxisBottom}}) {
    if ((y1 - edge) * (y2 - edge) < 0) cuts[n++] = (edge - y1) / (y2 - y1);
  }
  if (n == 3 && cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
  cuts[n++] = 1;
  const double dx = static_cast<double>(x2) - x1, dy = y2 - y1;
  for (int k = 0; k + 1 < n; ++k) {
    const double t0 = cuts[k], t1 = cuts[k + 1];
    const auto xa = static_cast<float>(x1 + dx * t0), xb = static_cast<float>(x1 + dx * t1);
    const double ya = y1 + dy * t0, yb = y1 + dy * t1;
    const double middle = (ya + yb) / 2;
    if (middle < kAxisTop || middle > kAxisBottom) {
      const auto edge = static_cast<float>(middle < kAxisTop ? kAxisTop : kAxisBottom);
      canvas.DrawLine(xa, edge, xb, edge, Paler(colour));
    } else {
      const auto in = [](double y) {
        return static_cast<float>(std::clamp(y, double{kAxisTop}, double{kAxisBottom}));
      };
      canvas.DrawLine(xa, in(ya), xb, in(yb), colour);
    }
  }
}

}  // namespace zelk::chart
