// Channel 3: battery voltage, from 10 V on the time axis.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {" 10V", " 11V", " 12V", " 13V", " 14V", " 15V", " 16V"};
constexpr Axis kAxis = {.bottom = 10, .step = 1};

// The volts of one sample: byte 8 of the 0x80 frame in tenths of a volt
// (0 when it cannot be read), or the "Battery (V)" column as stored.
std::string VoltsOf(const store::LogData& log, long i) {
  if (log.format != store::kFrameLog) return std::string(ColumnOf(log, i, 10, 7));
  const auto tenths = FrameByteValue(log.Frame80(i), 8);
  return text::BlankSigned(tenths ? *tenths / 10.0 : 0);
}

}  // namespace

Axis AxisBattery(const store::LogData&) { return kAxis; }

void LoadBattery(const store::LogData& log, const ByteChoice&, Tables& tables) {
  Fill(tables.plot[0], log, [&](long i) { return VoltsOf(log, i); });
  // Whole volts from 11 to 14 are listed with a tenth; the plotted text keeps
  // its short form.
  Fill(tables.data, log, [&](long i) {
    std::string volts = tables.plot[0][i];
    if (volts == " 11" || volts == " 12" || volts == " 13" || volts == " 14") volts += ".0";
    return volts;
  });
}

View DrawBattery(const store::LogData&, const ByteChoice&, const Window& window,
                 const Tables& tables, chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "Battery Voltage", kLabels, kAxis);
  PlotListed(
      canvas, window, view, tables.data, "Raw Data - Battery Voltage",
      [&](std::string& out, long j, double) { out.append(Fitted(tables.data[j], 4)) += "V "; });
  return view;
}

}  // namespace zelk::channels
