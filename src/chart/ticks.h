// Round values to label a value axis with: a few, evenly apart, each a
// round number, none written twice.
#pragma once

#include <vector>

namespace zelk::chart {

// At most `most` values from 0 up to `top`, `step` apart, the step the
// smallest round one that keeps them to `most`: 1, 2 or 5 times a power of
// ten, or with `wholePowersOfTwo` a whole power of two (for bytes, which are
// read in hexadecimal). Only 0 for a top that is not above 0.
struct Ticks {
  double step = 0;
  std::vector<double> values;
};
Ticks RoundTicks(double top, int most, bool wholePowersOfTwo);

// At most `most` round values from `low` up to `high`, for an axis that need
// not start at 0: the multiples within it of the smallest round step (as
// RoundTicks's) that leaves no more than `most` of them. 780 to 3200, at
// most 3: 1000, 2000, 3000. None where high is not above low.
Ticks RoundTicksBetween(double low, double high, int most, bool wholePowersOfTwo);

}  // namespace zelk::chart
