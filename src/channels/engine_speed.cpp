// Channel 1: engine speed in revolutions per minute.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

// The speed of one sample as a signed 16-bit number: bytes 1 (high) and 2
// (low) of the 0x80 frame, or the "RPM" column. A frame too short to hold
// both bytes, a byte that is not hexadecimal, or a column value that is no
// number or out of range counts as 0, so the rest of the log is still drawn.
int16_t SpeedOf(const store::LogData& log, long i) {
  if (log.format == store::kFrameLog) {
    const std::string_view frame = log.Frame80(i);
    const auto high = FrameByteValue(frame, 1);
    const auto low = FrameByteValue(frame, 2);
    if (!high || !low) return 0;
    return static_cast<int16_t>(static_cast<uint16_t>(*high << 8 | *low));
  }
  const auto value = text::ReadDecimal(ColumnOf(log, i, 1, 1));
  return value ? text::ToInt16(*value).value_or(0) : 0;
}

constexpr Labels kLabels = {"0000", "1000", "2000", "3000", "4000", "5000", "6000"};
constexpr Axis kAxis = {.bottom = 0, .step = 1000};

}  // namespace

Axis AxisRPM(const store::LogData&) { return kAxis; }

void LoadRPM(const store::LogData& log, const ByteChoice&, Tables& tables) {
  Fill(tables.plot[0], log, [&](long i) { return text::BlankSigned(SpeedOf(log, i)); });
  // The listing shows four digits: 0 as "0000", three digits with a 0 in
  // front of them. The plotted text keeps its blank.
  Fill(tables.data, log, [&](long i) {
    std::string speed = tables.plot[0][i];
    if (speed == " 0") {
      speed = "0000";
    } else if (speed.size() == 4) {
      speed[0] = '0';
    }
    return speed;
  });
}

View DrawRPM(const store::LogData&, const ByteChoice&, const Window& window, const Tables& tables,
             chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "Engine Speed (RPM)", kLabels, kAxis, 250);
  view.titleTop = 350;
  PlotListed(
      canvas, window, view, tables.data, "Raw Data - Revolutions/Minute",
      [&](std::string& out, long j, double) { out.append(Fitted(tables.data[j], 4)) += ' '; });
  return view;
}

}  // namespace zelk::channels
