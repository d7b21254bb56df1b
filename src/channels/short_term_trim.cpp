// Channel 10: the short-term fuel trim, the percent the ECU corrects the
// fuelling by (0 for none), with the window's average.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {"-15%", "-10%", "-5%", "0%", "+5%", "+10%", "+15%"};
constexpr Axis kAxis = {.bottom = -15, .step = 5};
// The ECU's raw trim is centred here: each unit above or below it is one
// percent more or less fuel.
constexpr double kCentre = 100;
// Raw values of this or less are not trims the ECU means: left out of the
// average.
constexpr double kLowestValid = 70;

// The raw trim: byte 12 of the 0x7D frame (0 when it cannot be read), or the
// "Time" log's trim column as stored. The "#time" log records none.
std::string TrimOf(const store::LogData& log, long i) {
  switch (log.format) {
    case store::kFrameLog:
      return text::Plain(FrameByteValue(log.Frame7D(i), 12).value_or(0));
    case store::kTimeLog:
      return std::string(log.Column(i, 14));
    case store::kShortTimeLog:
      break;
  }
  return {};
}

}  // namespace

Axis AxisSTFT(const store::LogData&) { return kAxis; }

// The channel's own table keeps the raw trim; the plotted series, which the
// marker reads off and the tables export, the percent. A raw text that is
// no number has no percent.
void LoadSTFT(const store::LogData& log, const ByteChoice&, Tables& tables) {
  Fill(tables.data, log, [&](long i) { return TrimOf(log, i); });
  Fill(tables.plot[0], log, [&](long i) {
    const auto raw = text::ReadDecimal(tables.data[i]);
    return raw ? text::Plain(*raw - kCentre) : std::string();
  });
}

View DrawSTFT(const store::LogData& log, const ByteChoice&, const Window& window,
              const Tables& tables, chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "Short Term Fuel Trim (STFT)(%)", kLabels, kAxis);
  if (log.format == store::kShortTimeLog) {
    view.text = "Short Term Fuel Trim (STFT) not supported by Quillon";
    view.averageSum = 0;
    view.excluded = 0;
    return view;
  }
  double sum = 0;
  long summed = 0;
  int16_t excluded = 0;
  PlotListed(canvas, window, view, tables.plot[0], "Raw Data - Short Term Fuel Trim (STFT) - %",
             [&](std::string& out, long j, double percent) {
               const double whole = text::RoundHalfEven(tables.data.Value(j));
               if (whole > kLowestValid) {
                 sum += whole - kCentre;
                 ++summed;
               } else {
                 ++excluded;
               }
               out += TwoDigits(percent);
               out += ' ';
             });
  view.excluded = excluded;
  ShowAverage(view, "Average STFT = ", sum, summed, "%");
  return view;
}

}  // namespace zelk::channels
