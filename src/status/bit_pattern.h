// The bit display's pattern: which of a byte's eight bits are set.
#pragma once

#include <array>
#include <string_view>

namespace zelk::status {

// Bit k of the byte written in hexadecimal as `byteText` (k = 0 for the value
// 1 up to 7 for 128), set or clear. The text is read as a signed 16-bit
// hexadecimal number, so "FFFF" sets all eight. A text that is empty or no
// such number has no bits set: the display shows eight clear bits.
std::array<bool, 8> BitPattern(std::string_view byteText);

}  // namespace zelk::status
