// Channel 7: throttle angle in degrees for frame logs, the throttle
// potentiometer's volts for column logs.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

struct Face {
  const char* title;
  Axis axis;
  Labels labels;
  const char* heading;
};
constexpr Labels kVoltLabels = {"0.0V", "1.0V", "2.0V", "3.0V", "4.0V", "5.0V", "6.0V"};
constexpr const char* kVoltHeading = "Raw Data - Throttle Potentiometer Voltage";
constexpr Face kVolts = {
    "Throttle Pot Voltage", {.bottom = 0, .step = 1}, kVoltLabels, kVoltHeading};
constexpr Face kFaces[] = {
    {"Throttle Position Sensor(°)",
     {.bottom = 0, .step = 15},
     {"00°", "15°", "30°", "45°", "60°", "75°", "90°"},
     "Raw Data - Throttle Position Sensor (TPS)"},
    kVolts,
    kVolts,
};

// Byte 2 of the 0x7D frame as degrees; the "Time" log's volts divided by 0.2
// (a value that is no number counts as 0); the "#time" log's column as stored.
std::string ThrottleOf(const store::LogData& log, long i) {
  switch (log.format) {
    case store::kFrameLog:
      return text::BlankSigned(FrameByteValue(log.Frame7D(i), 2).value_or(0));
    case store::kTimeLog: {
      std::string volts = text::Plain(text::ReadDecimal(log.Column(i, 9)).value_or(0) / 0.2);
      if (volts.size() == 1) volts += ".00";
      return volts;
    }
    case store::kShortTimeLog:
      break;
  }
  return std::string(log.ShortColumn(i, 4));
}

// The listing entry of a sample. Column logs list short texts widened to
// two decimals.
void AppendListed(std::string& out, store::LogFormat format, const chart::SampleTable& table,
                  long j) {
  if (format == store::kFrameLog) {
    out.append(Fitted(table[j], 2)) += "° ";
    return;
  }
  std::string value = table[j];
  if (format == store::kShortTimeLog) {
    if (value == "1") value = "1.00";
    if (value.size() == 3) value += '0';
  } else if (value.size() == 1) {
    value += ".00";
  }
  out.append(value) += "V ";
}

}  // namespace

Axis AxisThrottle(const store::LogData& log) { return kFaces[log.format].axis; }

void LoadThrottle(const store::LogData& log, const ByteChoice&, Tables& tables) {
  FillSeries(tables, log, [&](long i) { return ThrottleOf(log, i); });
}

View DrawThrottle(const store::LogData& log, const ByteChoice&, const Window& window,
                  const Tables& tables, chart::Canvas& canvas) {
  const Face& face = kFaces[log.format];
  View view = BeginDraw(canvas, face.title, face.labels, AxisThrottle(log));
  PlotListed(
      canvas, window, view, tables.data, face.heading,
      [&](std::string& out, long j, double) { AppendListed(out, log.format, tables.data, j); });
  return view;
}

}  // namespace zelk::channels
