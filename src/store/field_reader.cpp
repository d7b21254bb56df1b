#include "store/field_reader.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zelk::store {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSeparator(char c) { return c == ',' || IsLineEnd(c); }

// Position of the first comma or line end at or after `pos`, or `size`.
// The values of column logs are short and end within a few bytes, which a
// byte loop finds soonest; past those, sixteen bytes at a time where the
// processor has SSE2, for the hundred-byte lines of frame logs.
size_t FindSeparator(const char* text, size_t pos, size_t size) {
  for (const size_t stop = std::min(size, pos + 8); pos < stop; ++pos) {
    if (IsSeparator(text[pos])) return pos;
  }
#if defined(__SSE2__)
  const __m128i comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; pos + 16 <= size; pos += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos));
    const __m128i hits =
        _mm_or_si128(_mm_cmpeq_epi8(block, comma),
                     _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
    if (const int mask = _mm_movemask_epi8(hits))
      return pos + static_cast<size_t>(__builtin_ctz(mask));
  }
#endif
  while (pos < size && !IsSeparator(text[pos])) ++pos;
  return pos;
}

}  // namespace

std::string_view FieldReader::Next() {
  if (AtEnd()) return {};
  line_ = nextLine_;
  const size_t size = text_.size();
  while (pos_ < size && IsBlank(text_[pos_])) ++pos_;

  std::string_view field;
  if (pos_ < size && text_[pos_] == '"') {
    // A quoted field runs to its closing quote; a quote left open ends with
    // the line. Whatever follows the closing quote up to the separator is
    // not part of the field.
    const size_t start = ++pos_;
    while (pos_ < size && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
    field = text_.substr(start, pos_ - start);
    while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    pos_ = FindSeparator(text_.data(), pos_, size);
    field = text_.substr(start, pos_ - start);
  }

  // Consume the separator: a comma, or one line end of any convention.
  if (pos_ < size) {
    if (text_[pos_] == ',') {
      ++pos_;
    } else {
      if (text_[pos_] == '\r' && pos_ + 1 < size && text_[pos_ + 1] == '\n') ++pos_;
      ++pos_;
      ++nextLine_;
    }
  }
  return field;
}

}  // namespace zelk::store
