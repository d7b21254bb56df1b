// The exact decimal value that graph positions add up in.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "text/number_text.h"
#include "text/significant.h"

namespace zelk::text {
namespace {

// --- Decimal helpers -------------------------------------------------------

using u128 = unsigned __int128;

constexpr int kScaleDigits = 18;
constexpr uint64_t kTen18 = 1'000'000'000'000'000'000ULL;

constexpr __int128 Pow10(int n) {
  __int128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

constexpr __int128 kScale = Pow10(kScaleDigits);
// 1e20 scaled: FromDouble clamps there, leaving headroom below the 1.7e38
// limit of __int128 for sums.
constexpr __int128 kClamp = Pow10(38);
constexpr __int128 kMax = std::numeric_limits<__int128>::max();
constexpr __int128 kMin = std::numeric_limits<__int128>::min();

// "-int.frac" with up to 21 integer digits and 18 fraction digits.
constexpr size_t kDecimalTextMax = 48;

// Writes value (below 10^18) as exactly 18 digits with leading zeros.
char* Write18Digits(char* p, uint64_t value) {
  char tmp[kScaleDigits];
  const char* t = std::to_chars(tmp, tmp + sizeof tmp, value).ptr;
  const auto len = static_cast<size_t>(t - tmp);
  std::memset(p, '0', kScaleDigits - len);
  std::memcpy(p + (kScaleDigits - len), tmp, len);
  return p + kScaleDigits;
}

// Writes the exact value of scaled / 10^18 in plain notation: "-12.5", "0.25",
// "550" into buf (kDecimalTextMax chars). Returns the end of the text. No
// allocation: ToFloat runs this for every point of a graph.
char* WriteDecimal(char* buf, __int128 scaled) {
  char* p = buf;
  char* const end = buf + kDecimalTextMax;
  const bool negative = scaled < 0;
  // Unsigned negation so that the most negative value does not overflow.
  const u128 mag = negative ? u128(0) - u128(scaled) : u128(scaled);
  const u128 whole = mag / kTen18;
  const auto frac = static_cast<uint64_t>(mag % kTen18);
  if (negative) *p++ = '-';

  // The whole part can pass 2^64 (up to ~3.4e20), so print it in two pieces.
  const auto hi = static_cast<uint64_t>(whole / kTen18);
  const auto lo = static_cast<uint64_t>(whole % kTen18);
  if (hi != 0) {
    p = std::to_chars(p, end, hi).ptr;
    p = Write18Digits(p, lo);
  } else {
    p = std::to_chars(p, end, lo).ptr;
  }

  if (frac != 0) {
    *p++ = '.';
    p = Write18Digits(p, frac);
    while (p[-1] == '0') --p;
  }
  return p;
}

template <typename Float>
Float DecimalTo(__int128 scaled) {
  char buf[kDecimalTextMax];
  char* end = WriteDecimal(buf, scaled);
  Float value = 0;
  // The text is exact, so from_chars gives the correctly rounded value. Every
  // Decimal lies well inside the float range, so this cannot fail.
  std::from_chars(buf, end, value, std::chars_format::fixed);
  return value;
}

}  // namespace

// --- Decimal ---------------------------------------------------------------

Decimal Decimal::FromDouble(double value) {
  Decimal d;
  if (!std::isfinite(value)) return d;
  const Sig15 s = Decompose(value);
  if (s.count == 0) return d;

  if (s.exp >= 20) {
    d.scaled_ = s.negative ? -kClamp : kClamp;
    return d;
  }

  // All 15 digits as one whole number, worth 10^(exp - 14).
  __int128 whole = 0;
  for (int i = 0; i < kSignificant; ++i) {
    whole = whole * 10 + (i < s.count ? s.digits[i] - '0' : 0);
  }
  const int shift = s.exp - (kSignificant - 1) + kScaleDigits;
  __int128 mag = 0;
  if (shift >= 0) {
    mag = whole * Pow10(shift);  // shift <= 23, so at most 10^38
  } else if (shift > -(kSignificant + 1)) {
    // Below 10^-18: round half to even. A shift of 16 or more leaves less
    // than 0.1 of a unit, which always rounds to 0.
    const __int128 div = Pow10(-shift);
    mag = whole / div;
    const __int128 rem = whole % div;
    if (2 * rem > div || (2 * rem == div && mag % 2 != 0)) ++mag;
  }
  d.scaled_ = s.negative ? -mag : mag;
  return d;
}

Decimal Decimal::FromInt(long long value) {
  Decimal d;
  d.scaled_ = static_cast<__int128>(value) * kScale;
  return d;
}

Decimal Decimal::operator+(Decimal other) const {
  Decimal d = *this;
  d += other;
  return d;
}

Decimal& Decimal::operator+=(Decimal other) {
  // Saturate rather than overflow; only reachable by adding values near the
  // clamp many times over.
  const __int128 b = other.scaled_;
  if (b > 0 && scaled_ > kMax - b) {
    scaled_ = kMax;
  } else if (b < 0 && scaled_ < kMin - b) {
    scaled_ = kMin;
  } else {
    scaled_ += b;
  }
  return *this;
}

double Decimal::ToDouble() const { return DecimalTo<double>(scaled_); }

float Decimal::ToFloat() const {
  // Fast path: the quotient below lies within two units in the last place of
  // the exact value, so rounding it to single precision gives the correctly
  // rounded result unless it sits that close to a point halfway between two
  // floats. Only then is the exact text conversion needed. Graphs convert
  // every x this way.
  const double approx = static_cast<double>(scaled_) / 1e18;
  const float rounded = static_cast<float>(approx);
  if (std::isfinite(rounded) && rounded != 0) {
    // The floats either side, by the next bit pattern towards and away from zero.
    const auto bits = std::bit_cast<uint32_t>(rounded);
    const auto smaller = std::bit_cast<float>(bits - 1);
    const auto larger = std::bit_cast<float>(bits + 1);
    const double lower = (static_cast<double>(rounded) + (rounded > 0 ? smaller : larger)) / 2;
    const double upper = (static_cast<double>(rounded) + (rounded > 0 ? larger : smaller)) / 2;
    // At least four units in the last place of `approx`.
    const double margin = std::max(std::abs(approx) * 0x1p-50, 0x1p-1070);
    if (approx - lower > margin && upper - approx > margin) return rounded;
  }
  return DecimalTo<float>(scaled_);
}

std::string Decimal::ToText() const {
  char buf[kDecimalTextMax];
  return std::string(buf, WriteDecimal(buf, scaled_));
}
}  // namespace zelk::text
