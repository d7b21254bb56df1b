// Channel 2: coolant, intake air and fuel temperatures on one graph, on a
// Celsius or a Fahrenheit face chosen from the coolant at the window's end.
#include <algorithm>

#include "channels/channels.h"

namespace zelk::channels {
namespace {

// A frame byte less 55, or 0 when the byte cannot be read.
int DegreesOf(std::string_view frame, int b) {
  const auto n = FrameByteValue(frame, b);
  return n ? *n - 55 : 0;
}

struct Face {
  const char* title;
  double scale;
  int limitY;
  Labels labels;
};
constexpr Face kCelsius = {
    "Temperatures (°C)", 30, 1000, {"00°", "20°", "40°", "60°", "80°", "100°", "120°"}};
constexpr Face kFahrenheit = {
    "Temperatures (°F)", 16, 700, {"00°", "40°", "70°", "120°", "160°", "200°", "240°"}};

constexpr const char* kLegendThree = "          Coolant                Intake                Fuel";
constexpr const char* kLegendTwo = "          Coolant                Intake";

// Whole degrees without their sign, two characters wide: 85 -> "85",
// 7 -> " 7", 85.5 -> "86", -10 -> "10".
std::string ListedDegrees(double value) {
  // The value goes through its plain text first, which only changes a value
  // with more than 15 significant digits; whole degrees skip the round trip.
  std::optional<double> read = value;
  if (value != text::RoundHalfEven(value)) read = text::ReadDecimal(text::Plain(value));
  std::string degrees = Unsigned(read ? text::ToInt16(*read).value_or(0) : 0);
  if (degrees.size() == 1) degrees.insert(0, 1, ' ');
  return degrees;
}

}  // namespace

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
  // The face only relabels: the values are drawn as stored either way. It
  // follows the last coolant drawn, at the window's end or the log's.
  const long lastDrawn = std::min<long>(chart::SampleIndex(window.yEnd), window.lastSample);
  const double last = coolant.Value(lastDrawn);
  const Face& face = last <= 120 ? kCelsius : kFahrenheit;
  View view = BeginDraw(canvas, face.title, face.labels, face.scale, 3900, face.limitY);
  PlotListed(canvas, window, view, coolant, "Raw Data - Coolant Temperature (Deg Centrigrade)",
             [&](std::string& out, long, double degrees) {
               out += ListedDegrees(degrees);
               out += "° ";
             });
  view.startY[1] = PlotPlain(canvas, window, view, tables.plot[1], chart::kGreen);
  view.startY[2] = StartYOf(window, view, tables.plot[2]);
  DrawStroke(canvas, 2800, 3400, 520, chart::kBlack);
  DrawStroke(canvas, 4100, 4700, 520, chart::kGreen);
  if (log.format == store::kFrameLog) {
    PlotPlain(canvas, window, view, tables.plot[2], chart::kMagenta);
    DrawStroke(canvas, 5400, 5800, 520, chart::kMagenta);
    view.title += kLegendThree;
  } else {
    view.title += kLegendTwo;
  }
  return view;
}

}  // namespace zelk::channels
