#include "channels/channel.h"

#include <algorithm>
#include <cmath>

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

std::string_view Fitted(std::string_view text, size_t width) {
  while (text.size() > width && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  return text;
}

std::string TwoDigits(double value) {
  const double whole = text::RoundHalfEven(value);
  std::string digits = text::Plain(std::fabs(whole));
  if (digits.size() < 2) digits.insert(0, 1, '0');
  return whole < 0 ? "-" + digits : digits;
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

View BeginDraw(chart::Canvas& canvas, std::string title, const Labels& labels, const Axis& axis,
               std::optional<int> limitY) {
  chart::DrawGraphFrame(canvas);
  View view;
  view.title = std::move(title);
  for (size_t k = 0; k < labels.size(); ++k) view.labels[k] = labels[k] ? labels[k] : "";
  // Label 0's middle is on the time axis, each next one kLabelPitch higher.
  const double perUnit = kLabelPitch / axis.step;
  view.valueScale = perUnit * axis.perStored;
  view.baseLine =
      static_cast<int16_t>(text::RoundHalfEven(chart::kAxisBottom + axis.bottom * perUnit));
  view.limitY = limitY;
  if (limitY) DrawStroke(canvas, chart::kAxisX, chart::kAxisRight, *limitY, chart::kRed);
  return view;
}

void DrawStroke(chart::Canvas& canvas, int x1, int x2, int y, uint32_t colour) {
  canvas.DrawLine(static_cast<float>(x1), static_cast<float>(y), static_cast<float>(x2),
                  static_cast<float>(y), colour);
}

double PlotPlain(chart::Canvas& canvas, const Window& window, const View& view,
                 const chart::SampleTable& table, uint32_t colour) {
  return chart::PlotSeries(
      canvas, window.Samples(), MapOf(view), colour, [&](long j) { return table.Value(j); },
      [](long) {});
}

}  // namespace zelk::channels
