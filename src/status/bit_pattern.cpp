#include "status/bit_pattern.h"

#include "text/number_text.h"

namespace zelk::status {

std::array<bool, 8> BitPattern(std::string_view byteText) {
  const int value = text::HexStrict(byteText).value_or(0);
  std::array<bool, 8> set{};
  for (int k = 0; k < 8; ++k) set[k] = (value >> k & 1) != 0;
  return set;
}

}  // namespace zelk::status
