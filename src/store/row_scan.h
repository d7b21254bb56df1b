// Finding the rows and fields of a column log in its text, many bytes at a
// time.
#pragma once

#include <bit>
#include <optional>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "store/log_data.h"

namespace zelk::store {

// The data rows of a column log from `pos`: each must hold exactly `columns`
// fields (a time field and the values of one record), and no field may be
// quoted. Nothing when a row does not, or when the rows would make more
// records than the tables take; the field-by-field reading then settles every
// case.
std::optional<std::vector<RowSpan>> RecordLines(std::string_view text, size_t pos, int columns);

// Just after the `n`th comma from `p`, which must lie before `textEnd`.
// Sixteen bytes at a time where they lie within the text: the fields of a row
// are short, and a call a comma costs more than the count of a block's commas.
__attribute__((always_inline)) inline const char* AfterCommas(const char* p, const char* textEnd,
                                                              long n) {
#if defined(__SSE2__)
  const __m128i comma = _mm_set1_epi8(',');
  while (n > 0 && textEnd - p >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, comma)));
    const int count = std::popcount(bits);
    if (count < n) {
      n -= count;
      p += 16;
      continue;
    }
    while (--n > 0) bits &= bits - 1;
    return p + std::countr_zero(bits) + 1;
  }
#endif
  for (; n > 0; ++p) {
    if (*p == ',') --n;
  }
  return p;
}

}  // namespace zelk::store
