// Channel 4: ignition advance in whole degrees, with the window's average.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {" +0°", " +5°", " +10°", " +15°", " +20°", " +25°", " +30°"};
constexpr Axis kAxis = {.bottom = 0, .step = 5};

// Byte 22 of the 0x80 frame in half degrees from -24°, rounded to whole
// degrees (0 when it cannot be read); the "Time" log's column as stored; the
// "#time" log has none.
std::string AdvanceOf(const store::LogData& log, long i) {
  switch (log.format) {
    case store::kFrameLog: {
      const auto n = FrameByteValue(log.Frame80(i), 22);
      return text::BlankSigned(n ? text::RoundHalfEven(*n * 0.5 - 24.0) : 0);
    }
    case store::kTimeLog:
      return std::string(log.Column(i, 7));
    case store::kShortTimeLog:
      break;
  }
  return "N/A";
}

}  // namespace

Axis AxisIgnition(const store::LogData&) { return kAxis; }

void LoadIgnition(const store::LogData& log, const ByteChoice&, Tables& tables) {
  FillSeries(tables, log, [&](long i) { return AdvanceOf(log, i); });
}

View DrawIgnition(const store::LogData& log, const ByteChoice&, const Window& window,
                  const Tables& tables, chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "Ignition Advance(°)", kLabels, kAxis);
  // The "#time" log records no advance: nothing is drawn, and the listing
  // says so.
  if (log.format == store::kShortTimeLog) {
    view.text = "Ignition Advance not supported by Quillon";
    view.averageSum = 0;
    return view;
  }
  double sum = 0;
  PlotListed(canvas, window, view, tables.data, "Raw Data - Ignition Advance",
             [&](std::string& out, long, double advance) {
               sum += advance;
               out += TwoDigits(advance);
               out += "° ";
             });
  // The average of the samples summed: entries past the log's end add
  // nothing and are not counted.
  ShowAverage(view, "Average Advance = ", sum, SamplesHeld(window, log), "°");
  return view;
}

}  // namespace zelk::channels
