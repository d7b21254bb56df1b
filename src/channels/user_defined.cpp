// Channel 8: any one byte of either frame, or any column of a column log,
// chosen by the user and drawn on a scale that fits the window's largest
// value.
#include <algorithm>

#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kNoLabels = {"", "", "", "", "", "", ""};
constexpr int16_t kBaseLine = 4000;
// The window's largest value is drawn this far above the base line.
constexpr double kTopHeight = 3000;
constexpr double kFlatScale = 10;
// The 0x7D byte whose average is shown: the short-term trim, centred on 100.
constexpr int kTrimPage = 1, kTrimByte = 12;
constexpr double kTrimCentre = 100;

// A sample's number: its text read as a signed 16-bit hexadecimal number.
// An empty text, or one that is no such number (a decimal point, a sign, five
// significant digits), has none.
std::optional<int16_t> ValueOfByte(std::string_view text) { return text::HexStrict(text); }

// The chosen byte's text for sample i. A "Time" log's column text of one to
// three characters gets zeros in front, to four.
std::string ByteText(const store::LogData& log, const ByteChoice& choice, long i) {
  switch (log.format) {
    case store::kFrameLog: {
      const std::string_view frame = choice.page == 0 ? log.Frame80(i) : log.Frame7D(i);
      return std::string(store::FrameByte(frame, choice.byte));
    }
    case store::kTimeLog: {
      std::string text(log.Column(i, choice.byte + 1));
      if (!text.empty() && text.size() < 4) text.insert(0, 4 - text.size(), '0');
      return text;
    }
    case store::kShortTimeLog:
      break;
  }
  return std::string(log.ShortColumn(i, choice.byte + 1));
}

}  // namespace

void LoadUserDefined(const store::LogData& log, const ByteChoice& choice, Tables& tables) {
  Fill(tables.data, log, [&](long i) { return ByteText(log, choice, i); });
  // A sample without a number plots at 0 and reads off as an empty value.
  Fill(tables.plot[0], log, [&](long i) {
    const auto value = ValueOfByte(tables.data[i]);
    return value ? text::Plain(*value) : std::string();
  });
}

View DrawUserDefined(const store::LogData& log, const ByteChoice& choice, const Window& window,
                     Tables& tables, chart::Canvas& canvas) {
  const chart::SampleTable& bytes = tables.data;
  const auto valueAt = [&](long j) -> double { return ValueOfByte(bytes[j]).value_or(0); };
  chart::Window w = window.Samples();
  const long first = w.Sample(0);

  // The scale fits the window's largest value, from its first sample to the
  // third-last, and no further than the second-last sample of the log.
  double largest = 0;
  const long lastScaled = std::min<long>(chart::SampleIndex(window.yEnd) - 2, log.sampleCount - 2);
  for (long k = first; k <= lastScaled; ++k) largest = std::max(largest, valueAt(k));
  const double scale = largest > 0 ? kTopHeight / largest : kFlatScale;

  View view = BeginDraw(canvas, "User Defined - " + choice.name, kNoLabels, scale, kBaseLine);
  if (log.format == store::kFrameLog && choice.bitField) view.bitsOf = bytes[1];

  // The curve stops at the log's last sample.
  w.count = std::clamp<long>(log.sampleCount - first, 0, std::max<long>(w.count, 0));
  view.startY[0] = chart::PlotSeries(canvas, w, MapOf(view), chart::kBlack, valueAt,
                                     [&](long j) { view.rawText.append(bytes[j]) += ' '; });
  view.text = Listing("Raw Data - " + choice.name, view.rawText);
  view.averageSum = 0;

  // The short-term trim's average over the whole log, in percent from the
  // centre. Column logs keep other quantities at that position: no average.
  if (log.format == store::kFrameLog && choice.page == kTrimPage && choice.byte == kTrimByte) {
    double sum = 0;
    long summed = 0;
    for (long i = 1; i < log.sampleCount; ++i) {
      if (const auto value = ValueOfByte(bytes[i])) {
        sum += *value - kTrimCentre;
        ++summed;
      }
    }
    ShowAverage(view, "Average STFT = ", sum, summed, "%");
  }
  return view;
}

}  // namespace zelk::channels
