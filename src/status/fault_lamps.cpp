#include "status/fault_lamps.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "store/log_kinds.h"
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

// The number of readings that carry status bytes: every stored frame of a
// frame log, every record of a "Time" log; a "#time" log has none.
long ReadingCount(const store::LogData& log) {
  if (log.format == store::kFrameLog) return std::max(log.frame80Count(), log.frame7DCount());
  return log.format == store::kTimeLog ? std::max<long>(log.sampleCount - 1, 0) : 0;
}

// The status bytes of reading i; a byte missing or unreadable there is 0.
std::array<uint8_t, kStatusBytes> BytesAt(const store::LogData& log, long i) {
  std::array<uint8_t, kStatusBytes> bytes{};
  for (const Source& source : kSources) {
    std::optional<int> value;
    if (log.format == store::kFrameLog) {
      const std::string_view frame = source.in7D ? log.Frame7D(i) : log.Frame80(i);
      value = store::FrameByteValue(frame, source.frameByte);
    } else if (source.timeColumn) {
      value = ColumnByte(log.Column(i, source.timeColumn));
    }
    bytes[source.statusByte] = static_cast<uint8_t>(value.value_or(0));
  }
  return bytes;
}

}  // namespace

std::array<uint8_t, kStatusBytes> StatusBytesOf(const store::LogData& log) {
  std::array<uint8_t, kStatusBytes> bytes{};
  const long readings = ReadingCount(log);
  for (long i = 1; i <= readings; ++i) {
    const auto at = BytesAt(log, i);
    for (int b = 0; b < kStatusBytes; ++b) bytes[b] |= at[b];
  }
  return bytes;
}

std::array<bool, kLampCount> LampStates(const store::LogData& log) {
  const auto spans = FaultSpans(log);
  std::array<bool, kLampCount> red{};
  for (int i = 0; i < kLampCount; ++i) red[i] = spans[i].count > 0;
  return red;
}

std::array<FaultSpan, kLampCount> FaultSpans(const store::LogData& log) {
  std::array<FaultSpan, kLampCount> spans{};
  const long readings = ReadingCount(log);
  for (long i = 1; i <= readings; ++i) {
    const auto bytes = BytesAt(log, i);
    for (int k = 0; k < kLampCount; ++k) {
      if ((bytes[kLamps[k].statusByte] & kLamps[k].mask) != kLamps[k].mask) continue;
      FaultSpan& span = spans[k];
      if (span.count++ == 0) span.first = i;
      span.last = i;
    }
  }
  return spans;
}

std::string FaultToolTip(const FaultSpan& span, store::LogFormat format) {
  if (span.count == 0) return {};
  const double perMinute = store::KindOf(format).samplesPerMinute;
  const auto when = [perMinute](long i) {
    return text::ClockText(store::MinutesOf(i, perMinute)) + " (sample " + text::Plain(i) + ")";
  };
  return "First reported at " + when(span.first) + ", last at " + when(span.last) + ", in " +
         text::Plain(span.count) + (span.count == 1 ? " sample" : " samples");
}

}  // namespace zelk::status
