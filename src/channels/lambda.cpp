// Channel 5: the lambda (oxygen) sensor's voltage and, for frame logs, the
// ECU's lambda status as a second series.
#include <algorithm>

#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2"};
constexpr Axis kAxis = {.bottom = 0, .step = 0.2};
constexpr const char* kTitle = "Lambda (Oxygen) Sensor";

// Byte b of the 0x7D frame as a number, 0 when it cannot be read.
int ByteOr0(const store::LogData& log, long i, int b) {
  return FrameByteValue(log.Frame7D(i), b).value_or(0);
}

// The sensor's volts: byte 6 of the 0x7D frame in steps of 5 mV, or the
// millivolt column of a column log.
std::string VoltsOf(const store::LogData& log, long i) {
  switch (log.format) {
    case store::kFrameLog:
      return text::BlankSigned(ByteOr0(log, i, 6) * 0.005);
    case store::kTimeLog:
      return text::Plain(ValueOf(log.Column(i, 13)) / 1000);
    case store::kShortTimeLog:
      break;
  }
  return text::Plain(ValueOf(log.ShortColumn(i, 10)) / 10000);
}

// Volts with two decimals, cut after the second, with their sign:
// 0.435 -> "0.43", 0.4 -> "0.40", 1 -> "1.00", 0.000005 -> "0.00",
// -0.1 -> "-0.10", 12.345 -> "12.34".
std::string ListedVolts(double volts) {
  std::string listed = text::Plain(volts);
  const size_t point = listed.find('.');
  if (point == std::string::npos) return listed + ".00";
  listed.resize(std::min(listed.size(), point + 3));
  listed.append(point + 3 - listed.size(), '0');
  if (listed == "-0.00") listed.erase(0, 1);
  return listed;
}

}  // namespace

Axis AxisLambda(const store::LogData&) { return kAxis; }

void LoadLambda(const store::LogData& log, const ByteChoice&, Tables& tables) {
  FillSeries(tables, log, [&](long i) { return VoltsOf(log, i); });
  // Only frame logs carry the status; column logs leave the second series
  // as it was.
  if (log.format == store::kFrameLog) {
    Fill(tables.plot[1], log, [&](long i) { return text::BlankSigned(ByteOr0(log, i, 9)); });
  }
}

View DrawLambda(const store::LogData& log, const ByteChoice&, const Window& window,
                const Tables& tables, chart::Canvas& canvas) {
  View view = BeginDraw(canvas, kTitle, kLabels, kAxis);
  PlotListed(canvas, window, view, tables.data, "Raw Data - Lambda (Oxygen Sensor) Voltage",
             [&](std::string& out, long, double volts) {
               out += ListedVolts(volts);
               out += ' ';
             });
  // Only frame logs record the ECU's lambda status.
  if (log.format != store::kFrameLog) {
    view.title += " (Volts)";
    return view;
  }
  view.startY[1] = PlotPlain(canvas, window, view, tables.plot[1], chart::kGreen);
  canvas.SetLineWidth(3);
  view.title += "         Voltage           Status";
  DrawStroke(canvas, 3300, 3900, 510, chart::kBlack);
  DrawStroke(canvas, 4400, 5000, 510, chart::kGreen);
  canvas.SetLineWidth(2);
  return view;
}

}  // namespace zelk::channels
