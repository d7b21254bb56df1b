#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

#include "text/significant.h"

namespace zelk::text {
namespace {

// Shared layout of BlankSigned and Plain.
std::string Layout(double value, bool blankForPositive, bool zeroBeforePoint) {
  // Callers check for these before anything reaches the screen; a quiet 0
  // keeps a stray one from turning into odd text.
  if (!std::isfinite(value)) value = 0;

  // Whole numbers below 10^15 are their own 15-digit form: written directly.
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    char buf[24];
    char* p = buf;
    if (value >= 0 && blankForPositive) *p++ = ' ';
    p = std::to_chars(p, buf + sizeof buf, static_cast<long long>(value)).ptr;
    return std::string(buf, p);
  }

  // A value of up to four decimals whose digits fit 15: its digits scaled to
  // a whole number are the 15-digit form, however the double missed the
  // decimal (0.435 is 0.43499999999999999778, times 1000 gives 435).
  double scale = 10;
  for (int decimals = 1; decimals <= 4; ++decimals, scale *= 10) {
    const double scaled = value * scale;
    if (scaled != std::trunc(scaled) || std::fabs(scaled) >= 1e15) continue;
    const long long units = static_cast<long long>(std::fabs(scaled));
    const long long unit = static_cast<long long>(scale);
    char buf[32];
    char* p = buf;
    if (value < 0) {
      *p++ = '-';
    } else if (blankForPositive) {
      *p++ = ' ';
    }
    const long long whole = units / unit;
    if (whole != 0 || zeroBeforePoint) p = std::to_chars(p, buf + sizeof buf, whole).ptr;
    *p++ = '.';
    long long fraction = units % unit;
    for (long long digit = unit / 10; digit > 0; digit /= 10) {
      *p++ = static_cast<char>('0' + fraction / digit);
      fraction %= digit;
    }
    while (p[-1] == '0') --p;  // 1.09 is 1090 thousandths
    if (p[-1] == '.') --p;     // a large whole number the double barely missed
    return std::string(buf, p);
  }

  const Sig15 s = Decompose(value);
  std::string out;  // most texts fit the string's own buffer
  if (s.negative) {
    out += '-';
  } else if (blankForPositive) {
    out += ' ';
  }
  if (s.count == 0) {
    out += '0';
    return out;
  }

  if (s.exp >= 0) {
    // Integer digits, padded with zeros when the significant digits end early:
    // however large or small, a number is written out in full, never with
    // an exponent, which the leading-number reading would stop at.
    const int intDigits = s.exp + 1;
    for (int i = 0; i < intDigits; ++i) out += i < s.count ? s.digits[i] : '0';
    if (s.count > intDigits) {
      out += '.';
      out.append(s.digits + intDigits, s.count - intDigits);
    }
  } else {
    if (zeroBeforePoint) out += '0';
    out += '.';
    out.append(static_cast<size_t>(-s.exp - 1), '0');
    out.append(s.digits, s.count);
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string BlankSigned(double value) { return Layout(value, true, false); }

std::string Plain(double value) { return Layout(value, false, true); }

double RoundHalfEven(double value) {
  // std::round takes halves away from zero; pull an odd result of an exact
  // half back by one. Independent of the current floating-point rounding mode.
  // value - r is exact for doubles, so the half test is reliable.
  const double r = std::round(value);
  if (std::fabs(value - r) == 0.5 && std::fmod(r, 2.0) != 0) return r - std::copysign(1.0, value);
  return r;
}

std::optional<int16_t> ToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double r = RoundHalfEven(value);
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<int16_t>(r);
}

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const size_t start = i;
  bool point = false;
  bool anyDigit = false;
  bool nonZeroWhole = false;  // a non-zero digit before the point
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (!point && c != '0') nonZeroWhole = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return 0;

  // Fast path for the short texts that make up almost every table: up to 15
  // digits form an exact whole number, and dividing it by an exact power of
  // ten rounds once, as the full conversion does.
  if (i - start <= 16) {
    static constexpr double kPow10[] = {1,   1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                        1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};
    long long digits = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (size_t k = start; k < i; ++k) {
      if (text[k] == '.') {
        afterPoint = true;
        continue;
      }
      digits = digits * 10 + (text[k] - '0');
      if (afterPoint) ++decimals;
    }
    const double value = static_cast<double>(digits) / kPow10[decimals];
    return negative ? -value : value;
  }

  double value = 0;
  const auto res =
      std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed);
  if (res.ec == std::errc::result_out_of_range) {
    // Too many digits before the point overflows to infinity; a long run of
    // zeros after it underflows to zero.
    value = nonZeroWhole ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::optional<double> ReadDecimal(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  double value = 0;
  const auto res =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string HexText(long value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned long v = value > 0 ? static_cast<unsigned long>(value) : 0;
       v > 0 || text.size() < 2; v /= 16) {
    text.insert(text.begin(), kDigits[v % 16]);
  }
  return text;
}

double RoundSignificant(double value, int digits) {
  if (value == 0 || !std::isfinite(value)) return value;
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) + 1 - digits);
  return std::round(value / unit) * unit;
}

std::optional<int16_t> HexStrict(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  if (digits.size() <= 4) {
    unsigned v = 0;
    for (char c : digits) {
      const int d = HexValue(c);
      if (d < 0) return std::nullopt;
      v = v * 16 + static_cast<unsigned>(d);
    }
    return static_cast<int16_t>(v);  // 8000..FFFF wrap to -32768..-1
  }
  for (char c : digits) {
    if (HexValue(c) < 0) return std::nullopt;
  }
  // Longer texts are read as a larger number: after the leading zeros, the
  // value has to fit 0..7FFF, because only a text of at most four digits
  // stands for a 16-bit pattern that may wrap to negative.
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return int16_t{0};
  if (digits.size() - first > 4) return std::nullopt;
  unsigned v = 0;
  for (char c : digits.substr(first)) v = v * 16 + static_cast<unsigned>(HexValue(c));
  if (v > 0x7FFF) return std::nullopt;
  return static_cast<int16_t>(v);
}

long HexTolerant(std::string_view digits) {
  // Leading zeros are free; at most 8 digits after them are read so the
  // value stays within 32 bits.
  size_t i = 0;
  while (i < digits.size() && digits[i] == '0') ++i;
  uint32_t v = 0;
  for (int n = 0; i < digits.size() && n < 8; ++i, ++n) {
    const int d = HexValue(digits[i]);
    if (d < 0) break;
    v = v * 16 + static_cast<uint32_t>(d);
  }
  return static_cast<long>(v);
}

std::string ClockText(double minutes) {
  // Whole tenths first, so that 59.96 seconds reads "1:00.0", not "0:60.0".
  const double tenths = minutes > 0 ? std::floor(std::min(minutes, 1e9) * 600 + 0.5) : 0;
  const double whole = std::floor(tenths / 600);
  return Plain(whole) + ':' + FormatFixed((tenths - whole * 600) / 10, 1, 2);
}

std::string FormatFixed(double value, int decimals, int minIntDigits, std::string_view suffix) {
  if (!std::isfinite(value)) value = 0;
  if (decimals < 0) decimals = 0;
  if (minIntDigits < 0) minIntDigits = 0;

  const Sig15 s = Decompose(value);
  // The digit worth 10^place sits at index exp - place of s.digits.
  auto digitAt = [&s](int place) {
    const int idx = s.exp - place;
    return idx >= 0 && idx < s.count ? s.digits[idx] : '0';
  };

  // Every place from the highest (at least the units) down to 10^-decimals.
  const int top = s.count > 0 ? std::max(s.exp, 0) : 0;
  std::string body;
  body.reserve(static_cast<size_t>(top + decimals + 2));
  for (int place = top; place >= -decimals; --place) body += digitAt(place);

  // Half away from zero: the first dropped digit decides, since the sign is
  // applied afterwards to the magnitude.
  if (digitAt(-decimals - 1) >= '5') {
    size_t i = body.size();
    while (i > 0 && body[i - 1] == '9') body[--i] = '0';
    if (i == 0) {
      body.insert(body.begin(), '1');
    } else {
      ++body[i - 1];
    }
  }

  // Integer digits: drop the leading zeros the pattern does not ask for, or
  // add the ones it does.
  auto intDigits = static_cast<int>(body.size()) - decimals;
  int drop = 0;
  while (intDigits - drop > minIntDigits && body[static_cast<size_t>(drop)] == '0') ++drop;
  body.erase(0, static_cast<size_t>(drop));
  intDigits -= drop;
  if (intDigits < minIntDigits) body.insert(0, static_cast<size_t>(minIntDigits - intDigits), '0');

  const bool isZero = body.find_first_not_of('0') == std::string::npos;
  std::string out;
  out.reserve(body.size() + suffix.size() + 2);
  if (s.negative && !isZero) out += '-';
  const size_t intLen = body.size() - static_cast<size_t>(decimals);
  out.append(body, 0, intLen);
  if (decimals > 0) {
    out += '.';
    out.append(body, intLen, std::string::npos);
  }
  out += suffix;
  return out;
}

}  // namespace zelk::text
