// Channel 8: any one byte of either frame, or any column of a column log,
// chosen by the user and drawn on a scale that fits the window's largest
// value, labelled in the byte's or the column's own numbers.
#include <algorithm>
#include <cmath>

#include "channels/channels.h"
#include "chart/ticks.h"

namespace zelk::channels {
namespace {

constexpr int16_t kBaseLine = 4000;
// The window's largest value is drawn this far above the base line.
constexpr double kTopHeight = 3000;
constexpr double kFlatScale = 10;
// The 0x7D byte whose average is shown: the short-term trim, centred on 100.
constexpr int kTrimPage = 1, kTrimByte = 12;
constexpr double kTrimCentre = 100;

// A sample's number: a frame byte's text read as a signed 16-bit hexadecimal
// number, a column's as the decimal number it is written as. An empty text,
// or one that is no such number, has none.
std::optional<double> ValueOfByte(const store::LogData& log, std::string_view text) {
  if (log.format != store::kFrameLog) return text::ReadDecimal(text);
  const auto byte = text::HexStrict(text);
  return byte ? std::optional<double>(*byte) : std::nullopt;
}

// The chosen byte's or column's text for sample i, as the log holds it.
std::string ByteText(const store::LogData& log, const ByteChoice& choice, long i) {
  if (log.format != store::kFrameLog)
    return std::string(ColumnOf(log, i, choice.byte + 1, choice.byte + 1));
  const std::string_view frame = choice.page == 0 ? log.Frame80(i) : log.Frame7D(i);
  return std::string(store::FrameByte(frame, choice.byte));
}

// The value-axis labels of a scale: round values from 0 up to the plot's
// top, each label's middle level with its value, in hexadecimal ("0x40")
// for a frame byte and as decimals for a column. Labels not needed are
// empty.
void Label(View& view, const store::LogData& log, double scale) {
  const bool bytes = log.format == store::kFrameLog;
  const double top = (kBaseLine - chart::kAxisTop) / scale;
  const chart::Ticks ticks = chart::RoundTicks(top, static_cast<int>(view.labels.size()), bytes);
  for (size_t k = 0; k < view.labels.size(); ++k) {
    if (k >= ticks.values.size()) {
      view.labels[k].clear();
      continue;
    }
    const double value = ticks.values[k];
    view.labels[k] = bytes ? "0x" + text::HexText(static_cast<long>(value))
                           : text::Plain(text::RoundSignificant(value, 12));
    view.labelTops[k] =
        static_cast<int>(text::RoundHalfEven(kBaseLine - value * scale)) - kLabelMiddle;
  }
}

}  // namespace

void LoadUserDefined(const store::LogData& log, const ByteChoice& choice, Tables& tables) {
  Fill(tables.data, log, [&](long i) { return ByteText(log, choice, i); });
  // A sample without a number plots at 0 and reads off as an empty value.
  Fill(tables.plot[0], log, [&](long i) {
    const auto value = ValueOfByte(log, tables.data[i]);
    return value ? text::Plain(*value) : std::string();
  });
}

View DrawUserDefined(const store::LogData& log, const ByteChoice& choice, const Window& window,
                     const Tables& tables, chart::Canvas& canvas) {
  const chart::SampleTable& bytes = tables.data;
  const auto valueAt = [&](long j) { return ValueOfByte(log, bytes[j]).value_or(0); };
  const chart::Window w = window.Samples();
  const long first = w.Sample(0);

  // The scale fits the largest value the window shows.
  double largest = 0;
  for (long n = 0; n < w.count; ++n) largest = std::max(largest, valueAt(w.Sample(n)));
  const double scale = largest > 0 && std::isfinite(largest) ? kTopHeight / largest : kFlatScale;

  View view = BeginDraw(canvas, "User Defined - " + choice.name, {}, {});
  view.valueScale = scale;
  view.baseLine = kBaseLine;
  Label(view, log, scale);
  if (log.format == store::kFrameLog && choice.bitField) view.bitsOf = bytes[first];

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
      if (const auto value = ValueOfByte(log, bytes[i])) {
        sum += *value - kTrimCentre;
        ++summed;
      }
    }
    ShowAverage(view, "Average STFT = ", sum, summed, "%");
  }
  return view;
}

}  // namespace zelk::channels
