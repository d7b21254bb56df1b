// Channel 5: the lambda (oxygen) sensor's voltage and, for frame logs, the
// ECU's lambda status as a second series.
#include <algorithm>
#include <cmath>

#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2"};
constexpr const char* kTitle = "Lambda (Oxygen) Sensor";
// A segment that ends this high on the canvas or higher is left out.
constexpr double kTopClip = 200;

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
      return SampleText(ValueOf(log.Column(i, 13)) / 1000);
    case store::kShortTimeLog:
      break;
  }
  return SampleText(ValueOf(log.ShortColumn(i, 10)) / 10000);
}

// Volts with two decimals, cut after the second and without a sign:
// 0.435 -> "0.43", 0.4 -> "0.40", 1 -> "1.00", 0.000005 -> "0.00".
std::string ListedVolts(double volts) {
  std::string listed = SampleText(std::fabs(volts));
  if (listed.starts_with("0.")) listed.erase(0, 1);
  if (listed == "0") listed = "0.00";
  if (listed == "1") listed = "1.00";
  if (listed.starts_with('.')) {
    listed.resize(std::min<size_t>(listed.size(), 3));
    listed.insert(0, 1, '0');
  }
  if (listed.size() == 3) listed += '0';
  if (listed.size() > 4) listed.resize(4);
  return listed;
}

}  // namespace

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
  View view = BeginDraw(canvas, kTitle, kLabels, 3000, 4000);
  PlotListed(canvas, window, view, tables.data, "Raw Data - Lambda (Oxygen Sensor) Voltage",
             [&](std::string& out, long, double volts) {
               out += ListedVolts(volts);
               out += ' ';
             },
             {.value = 0, .y = 0, .minEndY = kTopClip});
  if (log.format == store::kShortTimeLog) {
    view.text = "Lambda (Oxygen Sensor) Voltage not supported by Quillon";
  }
  if (log.format != store::kFrameLog) {
    view.title += " (Volts)";
    return view;
  }
  view.startY[1] = PlotPlain(canvas, window, view, tables.plot[1], chart::kGreen, kTopClip);
  canvas.SetLineWidth(3);
  view.title += "         Voltage           Status";
  DrawStroke(canvas, 3300, 3900, 510, chart::kBlack);
  DrawStroke(canvas, 4400, 5000, 510, chart::kGreen);
  canvas.SetLineWidth(2);
  return view;
}

}  // namespace zelk::channels
