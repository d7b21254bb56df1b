#include "store/row_scan.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace zelk::store {
namespace {

// The commas, CRs, LFs and quotes of a 64-byte block, one bit a byte.
struct BlockBits {
  uint64_t comma = 0, cr = 0, lf = 0, quote = 0;
};

#if defined(__SSE2__)
__attribute__((always_inline)) inline BlockBits BitsOf16s(const char* p) {
  const __m128i comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'),
                quote = _mm_set1_epi8('"');
  BlockBits b;
  for (int k = 0; k < 4; ++k) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const auto bits = [&block](__m128i c) {
      return static_cast<uint64_t>(
          static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, c))));
    };
    b.comma |= bits(comma) << (16 * k);
    b.cr |= bits(cr) << (16 * k);
    b.lf |= bits(lf) << (16 * k);
    b.quote |= bits(quote) << (16 * k);
  }
  return b;
}
#endif

#if defined(__x86_64__)
__attribute__((target("avx2"))) inline BlockBits BitsOf32s(const char* p) {
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
  const auto bits = [&](char c) __attribute__((target("avx2"))) {
    const __m256i all = _mm256_set1_epi8(c);
    const auto half = [&all](__m256i block) __attribute__((target("avx2"))) {
      return static_cast<uint64_t>(
          static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, all))));
    };
    return half(low) | half(high) << 32;
  };
  return {bits(','), bits('\r'), bits('\n'), bits('"')};
}
#endif

// RecordLines, with `Bits` finding the separators of 64 bytes at a time.
template <BlockBits (*Bits)(const char*)>
inline std::optional<std::vector<RowSpan>> RecordLinesWith(std::string_view text, size_t pos,
                                                           int columns) {
  std::vector<RowSpan> lines;
  lines.reserve(std::min<size_t>(kMaxRecords, (text.size() - pos) / (2 * columns) + 1));
  const char* const data = text.data();
  const size_t size = text.size();
  size_t start = pos;
  int commas = 0;
  // Ends the row at `at`, a CR or an LF; false when it is not one whole record.
  const auto endRow = [&](size_t at) __attribute__((always_inline)) {
    if (commas != columns - 1 || static_cast<long>(lines.size()) >= kMaxRecords) return false;
    lines.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(at)});
    commas = 0;
    start = at + ((at + 1 < size && data[at] == '\r' && data[at + 1] == '\n') ? 2 : 1);
    return true;
  };
  size_t i = pos;
  // An LF right after a CR ends no row of its own.
  uint64_t crBefore = 0;
  for (; i + 64 <= size; i += 64) {
    BlockBits b = Bits(data + i);
    if (b.quote != 0) return std::nullopt;
    uint64_t endBits = b.cr | (b.lf & ~((b.cr << 1) | crBefore));
    crBefore = b.cr >> 63;
    while (endBits != 0) {
      const int bit = std::countr_zero(endBits);
      endBits &= endBits - 1;
      const uint64_t before = (uint64_t{1} << bit) - 1;
      commas += std::popcount(b.comma & before);
      b.comma &= ~before;
      if (!endRow(i + static_cast<size_t>(bit))) return std::nullopt;
    }
    commas += std::popcount(b.comma);
  }
  for (; i < size; ++i) {
    const char c = data[i];
    if (c == '"') return std::nullopt;
    if (c == ',') ++commas;
    const bool end = c == '\r' || (c == '\n' && !(i > pos && data[i - 1] == '\r'));
    if (end && !endRow(i)) return std::nullopt;
  }
  if (start < size && !endRow(size)) return std::nullopt;
  return lines;
}

// A block's bits found a byte at a time, where the processor has no vectors.
[[maybe_unused]] BlockBits BitsOfBytes(const char* p) {
  BlockBits b;
  for (int k = 0; k < 64; ++k) {
    const uint64_t bit = uint64_t{1} << k;
    b.comma |= p[k] == ',' ? bit : 0;
    b.cr |= p[k] == '\r' ? bit : 0;
    b.lf |= p[k] == '\n' ? bit : 0;
    b.quote |= p[k] == '"' ? bit : 0;
  }
  return b;
}

// Built for what the processor has, chosen at start: 32-byte vectors and a
// bit count, a bit count alone, or neither.
#if defined(__x86_64__)
__attribute__((target("avx2,popcnt"), flatten)) std::optional<std::vector<RowSpan>> RecordLines32s(
    std::string_view text, size_t pos, int columns) {
  return RecordLinesWith<BitsOf32s>(text, pos, columns);
}
#endif

// clang takes no `flatten` beside `target_clones`: there the clones are built
// without it.
#if defined(__clang__)
#define ZELK_CLONES_FLATTEN __attribute__((target_clones("popcnt", "default")))
#else
#define ZELK_CLONES_FLATTEN __attribute__((target_clones("popcnt", "default"), flatten))
#endif
ZELK_CLONES_FLATTEN std::optional<std::vector<RowSpan>> RecordLinesPlain(std::string_view text,
                                                                         size_t pos, int columns) {
#if defined(__SSE2__)
  return RecordLinesWith<BitsOf16s>(text, pos, columns);
#else
  return RecordLinesWith<BitsOfBytes>(text, pos, columns);
#endif
}

}  // namespace

std::optional<std::vector<RowSpan>> RecordLines(std::string_view text, size_t pos, int columns) {
#if defined(__x86_64__)
  static const bool wide = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  if (wide) return RecordLines32s(text, pos, columns);
#endif
  return RecordLinesPlain(text, pos, columns);
}

}  // namespace zelk::store
