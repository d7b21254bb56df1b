// A double as its 15 significant decimal digits: what the number texts lay
// out and what a Decimal is made from.
#pragma once

namespace zelk::text {

inline constexpr int kSignificant = 15;

// A double rounded to 15 significant digits: digits[0] is the leading digit,
// worth 10^exp; trailing zeros are trimmed, so count is 1..15. Zero (of either
// sign) has count 0 and is never negative.
struct Sig15 {
  bool negative = false;
  int count = 0;
  int exp = 0;
  char digits[kSignificant] = {};
};

// The digits of a finite value rounded to 15 significant digits.
Sig15 Decompose(double value);

}  // namespace zelk::text
