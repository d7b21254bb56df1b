// The bit display's pattern: the set bits of a hexadecimal byte.
#include "status/bit_pattern.h"

#include <gtest/gtest.h>

#include <array>

namespace zelk::status {
namespace {

TEST(BitPattern, SetBitsOfAHexadecimalByte) {
  using Bits = std::array<bool, 8>;  // bit 0 first
  // clang-format off
  const std::pair<const char*, Bits> cases[] = {
      {"00", {}}, {"0a", {0, 1, 0, 1, 0, 0, 0, 0}},
      {"FFFF", {1, 1, 1, 1, 1, 1, 1, 1}},  // a 16-bit column text
      {"", {}},                            // no value: all clear
      {"12.5", {}}};
  // clang-format on
  for (const auto& [text, set] : cases) EXPECT_EQ(BitPattern(text), set) << text;
}

}  // namespace
}  // namespace zelk::status
