#include "store/column_text.h"

#include <bit>

#include "store/log_reader.h"
#include "text/number_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zelk::store {

std::string ColumnText(std::string_view field) {
  std::string_view s = field;
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  // Any spelling of a decimal number (a plus sign, an exponent: "+5",
  // "1.5e15", "1E-06") is stored in its plain form, so that it reads back as
  // the same number; anything else stays as written.
  const auto value = text::ReadDecimal(s);
  return value ? text::Plain(*value) : std::string(field);
}

std::optional<std::string_view> ColumnTextInPlace(std::string_view field) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const auto view = [](const char* from, const char* to) {
    return std::string_view(from, static_cast<size_t>(to - from));
  };
  const char* const begin = field.data();
  const char* end = begin + field.size();
  while (end != begin && (end[-1] == ' ' || end[-1] == '\t')) --end;

  // [-] whole digits [. fraction digits], the shape ColumnText calls a plain
  // decimal number; anything else is stored as written.
  const char* p = begin;
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* const wholeStart = p;
  while (p != end && isDigit(*p)) ++p;
  const char* const wholeEnd = p;
  const char* fracStart = p;
  if (p != end && *p == '.') {
    fracStart = ++p;
    while (p != end && isDigit(*p)) ++p;
  }
  const char* const fracEnd = p;
  if (p != end || (wholeStart == wholeEnd && fracStart == fracEnd)) {
    // Another spelling of a number ("+5", "1e3") takes the general conversion.
    if (text::ReadDecimal(field)) return std::nullopt;
    return field;
  }

  // The plain form drops the whole part's leading zeros and the fraction's
  // trailing ones (and the point with them), and a minus sign before zero.
  const char* sig = wholeStart;
  while (sig != wholeEnd && *sig == '0') ++sig;
  const char* last = fracEnd;
  while (last != fracStart && last[-1] == '0') --last;
  const long wholeDigits = wholeEnd - sig;
  const long fracDigits = last - fracStart;
  // Zero: one of the field's own zeros.
  if (wholeDigits == 0 && fracDigits == 0) {
    return wholeStart != wholeEnd ? view(wholeStart, wholeStart + 1)
                                  : view(fracStart, fracStart + 1);
  }
  // A minus sign stays only where it already stands next to the digits kept.
  if (fracDigits == 0) {
    // Whole numbers of up to 15 digits are written as they are.
    if (wholeDigits > 15) return std::nullopt;
    if (!negative) return view(sig, wholeEnd);
    return sig == wholeStart ? std::optional(view(begin, wholeEnd)) : std::nullopt;
  }
  if (wholeDigits > 0) {
    if (wholeDigits + fracDigits > 15) return std::nullopt;
    if (!negative) return view(sig, last);
    return sig == wholeStart ? std::optional(view(begin, last)) : std::nullopt;
  }
  // Below 1: "0." and the fraction, with at most 15 significant digits.
  const char* firstSig = fracStart;
  while (*firstSig == '0') ++firstSig;
  if (last - firstSig > 15) return std::nullopt;
  if (wholeStart == wholeEnd) return std::nullopt;  // ".5": no 0 before the point to show
  if (!negative) return view(wholeEnd - 1, last);
  return wholeEnd - wholeStart == 1 ? std::optional(view(begin, last)) : std::nullopt;
}

namespace {

// ColumnTextInPlace for the fields that make up almost every column log, told
// from masks of one 16-byte load with few branches: a field of up to 15
// bytes that is no number (a clock time, a word) or a number already in its
// plain form ("1849", "-1.5", "0.39"). The rest, and any field whose load
// would pass `textEnd`, takes ColumnTextInPlace.
std::optional<std::string_view> ColumnTextQuick(std::string_view field, const char* textEnd) {
#if defined(__SSE2__)
  const size_t n = field.size();
  if (n == 0 || n > 15 || textEnd - field.data() < 16) return ColumnTextInPlace(field);
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field.data()));
  const auto mask = [&block](char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
  };
  const __m128i offset = _mm_sub_epi8(block, _mm_set1_epi8('0'));
  const auto digits = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset)));
  const unsigned in = (1u << n) - 1;
  const unsigned d = digits & in, p = mask('.') & in, m = mask('-') & in, z = mask('0') & in;
  const unsigned other = in & ~(d | p | m);
  // A character no number has, other than a blank (which may trail one) or
  // what an exponent or a plus sign writes: stored as written.
  const unsigned spelt = mask('e') | mask('E') | mask('+');
  if ((other & ~(mask(' ') | mask('\t') | spelt)) != 0) return field;
  if (other != 0 || d == 0 || (m & ~1u) != 0 || (p & (p - 1)) != 0) return ColumnTextInPlace(field);
  const unsigned first = m & 1u;  // where the digits start
  const unsigned last = 1u << (n - 1);
  bool plain;
  if (p == 0) {
    // A whole number: no leading zero, and no minus before a zero.
    plain = !(z >> first & 1u) || (n == 1);
  } else {
    // A point, a last digit that is no zero, and before the point a first
    // digit that is no zero or a lone zero; then at most four zeros after the
    // point ahead of the first significant digit.
    const bool leadingZero = z >> first & 1u;
    plain = (d & last) && !(z & last) && (d >> first & 1u) &&
            (!leadingZero || ((p >> (first + 1)) & 1u));
    if (plain && leadingZero) {
      const unsigned significant = d & ~z;
      plain = std::countr_zero(significant) - static_cast<int>(first + 2) <= 4;
    }
  }
  if (plain) return field;
#else
  (void)textEnd;
#endif
  return ColumnTextInPlace(field);
}

}  // namespace

// The stored text of one column field: in place where it can be, else in
// `stored`. Offsets fit 31 bits: the text is at most kMaxFileBytes long, and a
// stored text is at most one byte longer than its field or 24 bytes.
LogData::FieldText Reader::StoreField(std::string_view field, const char* text, const char* textEnd,
                                      std::string& stored) {
  if (const std::optional<std::string_view> inPlace = ColumnTextQuick(field, textEnd)) {
    return {static_cast<uint32_t>(inPlace->data() - text), static_cast<uint32_t>(inPlace->size())};
  }
  const std::string own = ColumnText(field);
  const LogData::FieldText f{static_cast<uint32_t>(stored.size()),
                             static_cast<uint32_t>(own.size()) | LogData::kInStored};
  stored += own;
  return f;
}

}  // namespace zelk::store
