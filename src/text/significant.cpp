#include "text/significant.h"

#include <charconv>

namespace zelk::text {
namespace {

// Reads "[-]d[.ddd]e[+-]xx" into s; false when the mantissa has more than 15
// digits.
bool ReadScientific(const char* p, const char* end, Sig15& s) {
  if (*p == '-') {
    s.negative = true;
    ++p;
  }
  int count = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p == '.') continue;
    if (count == kSignificant) return false;
    s.digits[count++] = *p;
  }
  ++p;                 // 'e'
  if (*p == '+') ++p;  // from_chars takes '-' but not '+'
  std::from_chars(p, end, s.exp);
  s.count = count;
  while (s.count > 0 && s.digits[s.count - 1] == '0') --s.count;
  if (s.count == 0) s.negative = false;
  return true;
}

}  // namespace

// Only called with finite values.
Sig15 Decompose(double value) {
  // "-d.dddddddddddddddde-308" fits easily.
  char buf[32];
  Sig15 s;
  // The shortest text that reads back as the same double is, when it has at
  // most 15 digits, also the value rounded to 15 digits: those lie much
  // further apart than doubles do. It is the quicker conversion, and the
  // usual one for the short decimals that logs hold.
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  if (ReadScientific(buf, res.ptr, s)) return s;
  s = Sig15{};
  res =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, kSignificant - 1);
  ReadScientific(buf, res.ptr, s);
  return s;
}

}  // namespace zelk::text
