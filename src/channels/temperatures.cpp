// Channel 2: coolant, intake air and fuel temperatures on one graph, in
// degrees Celsius.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

// A frame byte less 55, or 0 when the byte cannot be read.
int DegreesOf(std::string_view frame, int b) {
  const auto n = FrameByteValue(frame, b);
  return n ? *n - 55 : 0;
}

// Every kind of log records degrees Celsius.
constexpr Labels kLabels = {"00°", "20°", "40°", "60°", "80°", "100°", "120°"};
constexpr Axis kAxis = {.bottom = 0, .step = 20};
constexpr int kLimitY = 1000;

constexpr const char* kLegendThree = "          Coolant                Intake                Fuel";
constexpr const char* kLegendTwo = "          Coolant                Intake";

// Whole degrees with their sign, at least two characters wide: 85 -> "85",
// 7 -> " 7", 85.5 -> "86", -10 -> "-10".
std::string ListedDegrees(double value) {
  std::string degrees = text::Plain(text::RoundHalfEven(value));
  if (degrees.size() == 1) degrees.insert(0, 1, ' ');
  return degrees;
}

}  // namespace

Axis AxisTemperature(const store::LogData&) { return kAxis; }

void LoadTemperature(const store::LogData& log, const ByteChoice&, Tables& tables) {
  const bool frames = log.format == store::kFrameLog;
  // Plain references, not a structured binding: the lambdas below capture
  // them, which clang before 16 does not take.
  auto& coolant = tables.plot[0];
  auto& intake = tables.plot[1];
  auto& fuel = tables.plot[2];
  Fill(coolant, log, [&](long i) {
    return frames ? text::Plain(DegreesOf(log.Frame80(i), 3)) : std::string(ColumnOf(log, i, 5, 2));
  });
  Fill(intake, log, [&](long i) {
    return frames ? text::BlankSigned(DegreesOf(log.Frame80(i), 5))
                  : std::string(ColumnOf(log, i, 8, 3));
  });
  // A "Time" log repeats its intake column as fuel; a "#time" log has none.
  Fill(fuel, log, [&](long i) {
    if (frames) return text::BlankSigned(DegreesOf(log.Frame80(i), 6));
    return log.format == store::kTimeLog ? std::string(log.Column(i, 8)) : std::string("0");
  });
  Fill(tables.data, log, [&](long i) { return coolant[i]; });
}

View DrawTemperature(const store::LogData& log, const ByteChoice&, const Window& window,
                     const Tables& tables, chart::Canvas& canvas) {
  const chart::SampleTable& coolant = tables.data;
  View view = BeginDraw(canvas, "Temperatures (°C)", kLabels, kAxis, kLimitY);
  PlotListed(canvas, window, view, coolant, "Raw Data - Coolant Temperature (Deg Centrigrade)",
             [&](std::string& out, long, double degrees) {
               out += ListedDegrees(degrees);
               out += "° ";
             });
  view.startY[1] = PlotPlain(canvas, window, view, tables.plot[1], chart::kGreen);
  DrawStroke(canvas, 2800, 3400, 520, chart::kBlack);
  DrawStroke(canvas, 4100, 4700, 520, chart::kGreen);
  // Only frame logs record the fuel temperature.
  if (log.format == store::kFrameLog) {
    view.startY[2] = PlotPlain(canvas, window, view, tables.plot[2], chart::kMagenta);
    DrawStroke(canvas, 5400, 5800, 520, chart::kMagenta);
    view.title += kLegendThree;
  } else {
    view.title += kLegendTwo;
  }
  return view;
}

}  // namespace zelk::channels
