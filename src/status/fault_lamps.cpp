#include "status/fault_lamps.h"

#include <optional>
#include <string_view>

#include "text/number_text.h"

namespace zelk::status {
namespace {

// Where each status byte is found: its frame stream and byte, or its "Time"
// log column.
struct Source {
  StatusByte statusByte;
  bool in7D;
  int frameByte;
  int timeColumn;  // 0: the "Time" log keeps no such byte
};
constexpr Source kSources[] = {
    {kFaultCodes0, true, 5, 0},
    {kFaultCodes2, false, 13, 19},
    {kFaultCodes3, false, 14, 20},
};

// A "Time" log's status column holds the byte as a whole decimal number.
std::optional<int> ColumnByte(std::string_view stored) {
  const auto value = text::ReadDecimal(stored);
  if (!value || *value < 0 || *value > 255 || *value != static_cast<int>(*value)) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

}  // namespace

std::array<uint8_t, kStatusBytes> StatusBytesOf(const store::LogData& log) {
  std::array<uint8_t, kStatusBytes> bytes{};
  for (const Source& source : kSources) {
    uint8_t& combined = bytes[source.statusByte];
    if (log.format == store::kFrameLog) {
      const long count = source.in7D ? log.frame7DCount() : log.frame80Count();
      for (long i = 1; i <= count; ++i) {
        const std::string_view frame = source.in7D ? log.Frame7D(i) : log.Frame80(i);
        combined |=
            static_cast<uint8_t>(store::FrameByteValue(frame, source.frameByte).value_or(0));
      }
    } else if (log.format == store::kTimeLog && source.timeColumn) {
      for (long r = 1; r < log.sampleCount; ++r) {
        combined |= static_cast<uint8_t>(ColumnByte(log.Column(r, source.timeColumn)).value_or(0));
      }
    }
  }
  return bytes;
}

std::array<bool, kLampCount> LampStates(const store::LogData& log) {
  const auto bytes = StatusBytesOf(log);
  std::array<bool, kLampCount> red{};
  for (int i = 0; i < kLampCount; ++i) {
    red[i] = (bytes[kLamps[i].statusByte] & kLamps[i].mask) == kLamps[i].mask;
  }
  return red;
}

}  // namespace zelk::status
