#include "chart/ticks.h"

#include <cmath>

namespace zelk::chart {

Ticks RoundTicks(double top, int most, bool wholePowersOfTwo) {
  Ticks ticks;
  ticks.values.push_back(0);
  if (!(top > 0) || !std::isfinite(top) || most < 2) return ticks;
  // The smallest round step that leaves no more than `most` values in
  // 0..top: first a guess from the top's size, then the next rounder steps.
  const double least = top / (most - 1);
  double step = 0;
  if (wholePowersOfTwo) {
    step = std::max(1.0, std::exp2(std::ceil(std::log2(least))));
  } else {
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
      step = m * power;
      if (step >= least * (1 - 1e-12)) break;
    }
  }
  ticks.step = step;
  for (int k = 1; k < most; ++k) {
    const double value = k * step;
    if (value > top * (1 + 1e-12)) break;
    ticks.values.push_back(value);
  }
  return ticks;
}

}  // namespace zelk::chart
