// Channel 10: the short-term fuel trim, raw values centred on 100, with the
// window's average trim in percent.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {"-15%", "-10%", "-5%", "0%", "+5%", "+10%", "+15%"};
// Raw values of this or less are not trims the ECU means: left out of the
// average.
constexpr double kLowestValid = 70;

// Byte 12 of the 0x7D frame (0 when it cannot be read); the "Time" log's
// trim column; the "#time" log keeps none, so its texts are empty.
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

void LoadSTFT(const store::LogData& log, const ByteChoice&, Tables& tables) {
  FillSeries(tables, log, [&](long i) { return TrimOf(log, i); });
}

View DrawSTFT(const store::LogData& log, const ByteChoice&, const Window& window,
              const Tables& tables, chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "Short Term Fuel Trim (STFT)(%)", kLabels, 110, 13150);
  double sum = 0;
  long summed = 0;
  int16_t excluded = 0;
  PlotListed(canvas, window, view, tables.data, "Raw Data - Short Term Fuel Trim (STFT) - %",
             [&](std::string& out, long, double raw) {
               const double whole = text::RoundHalfEven(raw);
               if (whole > kLowestValid) {
                 sum += whole - 100;
                 ++summed;
               } else {
                 ++excluded;
               }
               out += TwoDigits(Unsigned(raw));
               out += ' ';
             });
  view.excluded = excluded;
  if (log.format == store::kShortTimeLog) {
    view.text = "Short Term Fuel Trim (STFT) not supported by Quillon";
    view.averageSum = sum;
    return view;
  }
  ShowAverage(view, "Average STFT = ", sum, summed, "%");
  return view;
}

}  // namespace zelk::channels
