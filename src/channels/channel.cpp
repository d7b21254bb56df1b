#include "channels/channel.h"

#include <algorithm>

namespace zelk::channels {

std::string_view ColumnOf(const store::LogData& log, long i, int timeColumn, int shortColumn) {
  return log.format == store::kTimeLog ? log.Column(i, timeColumn)
                                       : log.ShortColumn(i, shortColumn);
}

std::string Listing(std::string_view heading, std::string_view rawText) {
  std::string text;
  text.reserve(heading.size() + 2 + rawText.size());
  text.append(heading).append("\r\n").append(rawText);
  return text;
}

std::string_view LastChars(std::string_view text, size_t n) {
  return text.size() > n ? text.substr(text.size() - n) : text;
}

std::string Unsigned(double value) {
  return text::BlankSigned(text::RoundHalfEven(value)).substr(1);
}

std::string TwoDigits(std::string digits) {
  if (ValueOf(digits) < 10) digits.insert(0, 1, '0');
  return digits;
}

void ShowAverage(View& view, std::string_view label, double sum, long count,
                 std::string_view unit) {
  const double average = count > 0 ? sum / count : 0;
  view.averageSum = average;
  view.average = std::string(label) + text::FormatFixed(average, 1, 1, unit);
}

HeldRange HeldSamples(const Window& window, const store::LogData& log) {
  const chart::Window w = window.Samples();
  if (w.count <= 0) return {};
  return {std::max<long>(w.Sample(0), 1),
          std::min<long>(w.Sample(w.count - 1), log.sampleCount - 1)};
}

long SamplesHeld(const Window& window, const store::LogData& log) {
  const HeldRange held = HeldSamples(window, log);
  return held.last >= held.first ? held.last - held.first + 1 : 0;
}

View BeginDraw(chart::Canvas& canvas, std::string title, const Labels& labels, double valueScale,
               int16_t baseLine, std::optional<int> limitY) {
  chart::DrawGraphFrame(canvas);
  View view;
  view.title = std::move(title);
  for (size_t k = 0; k < labels.size(); ++k) view.labels[k] = labels[k] ? labels[k] : "";
  view.valueScale = valueScale;
  view.baseLine = baseLine;
  view.limitY = limitY;
  if (limitY) DrawStroke(canvas, chart::kAxisX, chart::kAxisRight, *limitY, chart::kRed);
  return view;
}

void DrawStroke(chart::Canvas& canvas, int x1, int x2, int y, uint32_t colour) {
  canvas.DrawLine(static_cast<float>(x1), static_cast<float>(y), static_cast<float>(x2),
                  static_cast<float>(y), colour);
}

double PlotPlain(chart::Canvas& canvas, const Window& window, const View& view,
                 const chart::SampleTable& table, uint32_t colour, std::optional<double> minEndY) {
  return chart::PlotSeries(
      canvas, window.Samples(), MapOf(view), colour, [&](long j) { return table.Value(j); },
      [](long) {}, minEndY);
}

double StartYOf(const Window& window, const View& view, const chart::SampleTable& table) {
  return MapOf(view)(table.Value(window.Samples().Sample(0)));
}

}  // namespace zelk::channels
