#include "chart/ticks.h"

#include <algorithm>
#include <cmath>

namespace zelk::chart {

namespace {

// The smallest round step of at least `least`: 1, 2 or 5 times a power of
// ten, or a whole power of two.
double RoundStepAtLeast(double least, bool wholePowersOfTwo) {
  if (wholePowersOfTwo) return std::max(1.0, std::exp2(std::ceil(std::log2(least))));
  const double power = std::pow(10.0, std::floor(std::log10(least)));
  double step = 0;
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    step = m * power;
    if (step >= least * (1 - 1e-12)) break;
  }
  return step;
}

}  // namespace

Ticks RoundTicks(double top, int most, bool wholePowersOfTwo) {
  Ticks ticks;
  ticks.values.push_back(0);
  if (!(top > 0) || !std::isfinite(top) || most < 2) return ticks;
  // The smallest round step that leaves no more than `most` values in
  // 0..top.
  const double step = RoundStepAtLeast(top / (most - 1), wholePowersOfTwo);
  ticks.step = step;
  for (int k = 1; k < most; ++k) {
    const double value = k * step;
    if (value > top * (1 + 1e-12)) break;
    ticks.values.push_back(value);
  }
  return ticks;
}

Ticks RoundTicksBetween(double low, double high, int most, bool wholePowersOfTwo) {
  Ticks ticks;
  const double span = high - low;
  if (!std::isfinite(span) || !(span > 0) || most < 1) return ticks;
  // The multiples of a step within low..high, a millionth of a step to
  // spare at either end so that an end that is a multiple counts.
  const auto first = [&](double step) { return std::ceil(low / step - 1e-6); };
  const auto count = [&](double step) { return std::floor(high / step + 1e-6) - first(step) + 1; };
  // The smallest round step that leaves no more than `most` of them: there
  // are at least span / step - 1, so none below span / (most + 1) will do.
  double step = RoundStepAtLeast(span / (most + 1), wholePowersOfTwo);
  while (count(step) > most) step = RoundStepAtLeast(step * (1 + 1e-9), wholePowersOfTwo);
  ticks.step = step;
  for (double k = first(step); static_cast<int>(ticks.values.size()) < most; ++k) {
    const double value = k * step;
    if (value > high + step * 1e-6) break;
    ticks.values.push_back(value == 0 ? 0 : value);  // no -0
  }
  return ticks;
}

}  // namespace zelk::chart
