// The number-to-text and text-to-number rules that every part of the program
// shares. Nothing else formats or parses a number on its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelk::text {

// Decimal text with at most 15 significant digits, a leading blank for values
// of 0 or more and "-" for negative ones, no 0 before the decimal point, no
// trailing zeros: 12.6 -> " 12.6", 13 -> " 13", 0.435 -> " .435", -3 -> "-3".
// Never an exponent, however large or small: 1.5e16 -> " 15000000000000000",
// -2.5e-7 -> "-.00000025". NaN and infinities are kept off the screen by the
// callers; should one arrive it reads " 0".
std::string BlankSigned(double value);

// As BlankSigned without the leading blank and with "0" before the point of a
// value below 1: 35 -> "35", 0.435 -> "0.435", -0.5 -> "-0.5". NaN and
// infinities read "0".
std::string Plain(double value);

// Nearest whole number, an exact half going to the even neighbour.
double RoundHalfEven(double value);

// RoundHalfEven converted to a signed 16-bit integer; nothing when the value
// is not finite or lies outside -32768..32767.
std::optional<int16_t> ToInt16(double value);

// The leading-number reading of a stored text: leading blanks skipped, an
// optional sign, digits and one decimal point, up to the first character that
// cannot continue the number; no exponent. A text without a number reads as
// 0; one too long for a double reads as an infinity.
double LeadingNumber(std::string_view text);

// A whole text read as a decimal number, blanks around it ignored: an optional
// sign, digits with at most one point, an optional exponent. Nothing when the
// text is anything else.
std::optional<double> ReadDecimal(std::string_view text);

// Strict hexadecimal reading of "&H" + digits as a signed 16-bit integer: one
// to four hexadecimal digits (either case); four digits 8000..FFFF give
// -32768..-1. A longer text is taken as a larger number and must be 0..7FFF
// after its leading zeros ("00001" -> 1, "08000" -> nothing). Empty text or any
// other character gives nothing.
std::optional<int16_t> HexStrict(std::string_view digits);

// Tolerant hexadecimal reading: digits up to the first character that is not
// one; no digits gives 0. After any leading zeros at most 8 digits are read,
// so the value stays within 0..FFFFFFFF.
long HexTolerant(std::string_view digits);

// A whole number of 0 or more in upper-case hexadecimal, at least two digits:
// 10 -> "0A", 255 -> "FF", 4096 -> "1000". Negative numbers read "00".
std::string HexText(long value);

// A value rounded to `digits` significant digits, halves away from zero:
// (1234.5, 3) -> 1230, (0.0123456, 3) -> 0.0123. Zero and non-finite values
// stay as they are.
double RoundSignificant(double value, int digits);

// A number laid out by a pattern of the "##0.0" family: at least `minIntDigits`
// digits before the point, exactly `decimals` after it, rounded half away from
// zero on the number's 15-significant-digit decimal form, then `suffix`.
// "##0.0" and "#0.0" are (1, 1); "#0.0°" is (1, 1, "°"). A result that rounds
// to zero never carries a minus sign. NaN and infinities are laid out as 0.
std::string FormatFixed(double value, int decimals, int minIntDigits = 1,
                        std::string_view suffix = {});

// A time of `minutes` as minutes, seconds and tenths, "m:ss.s", rounded to
// the nearest tenth of a second: 0.5 -> "0:30.0", 61.0 / 60 -> "1:01.0",
// 125.99 -> "125:59.4". Negative, NaN and infinite times read "0:00.0".
std::string ClockText(double minutes);

// A decimal value with exact addition, for positions that add up a step many
// times without drifting. Holds 18 digits after the point; a value converted
// from a double first keeps its 15 significant digits, and magnitudes clamp at
// 1e20 (NaN and infinities give 0). Sums saturate instead of overflowing.
class Decimal {
 public:
  constexpr Decimal() = default;
  static Decimal FromDouble(double value);  // 15 significant digits
  static Decimal FromInt(long long value);

  Decimal operator+(Decimal other) const;
  Decimal& operator+=(Decimal other);
  bool operator==(const Decimal&) const = default;

  double ToDouble() const;  // correctly rounded
  float ToFloat() const;    // correctly rounded to single precision
  // Exact text laid out as Plain() but never with an exponent or a digit
  // limit: "550", "10.5210420841683", "-0.000001".
  std::string ToText() const;

 private:
  __int128 scaled_ = 0;  // value × 10^18
};

}  // namespace zelk::text
