#include "chart/time_window.h"

#include <algorithm>
#include <cmath>

namespace zelk::chart {

TimeWindow TimeWindow::Of(long sampleCount, int tripMins, int lengthMins, double startMins,
                          double samplesPerMinute) {
  TimeWindow w;
  w.samplesPerMinute = samplesPerMinute;
  const bool whole = lengthMins == 0;
  w.startMins = whole ? 0 : startMins;
  w.endMins = whole ? tripMins : startMins + lengthMins;
  w.hasNext = !whole && w.endMins < tripMins;
  w.hasPrevious = !whole && w.startMins > 0;
  w.captionGap = lengthMins == 5 ? 18 : 17;
  const double samples = static_cast<double>(sampleCount);
  w.lastSample = sampleCount - 1;
  if (whole || tripMins == 0) {
    w.yStart = 1;
    w.yEnd = samples - 2;
  } else {
    const double perMinute = samples / tripMins;
    w.yStart = std::max(w.startMins * perMinute, 1.0);
    w.yEnd = w.yStart + text::RoundHalfEven(lengthMins * perMinute);
  }
  // An empty window (start and end on the same sample) has no step: the
  // channels then draw no segments.
  const double span = w.Span();
  w.xStep = span == 0 ? text::Decimal() : text::Decimal::FromDouble(kWindowWidth / span);
  return w;
}

Window TimeWindow::HeldOnly(Window w) const {
  const long full = w.count;
  if (full <= 0) return w;
  // The walk's samples go up by about one a step: cut it back to the last
  // one the log holds, then settle the count on the rounding's steps.
  const long past = std::max<long>(w.Sample(full - 1) - lastSample, 0);
  w.count = std::max<long>(full - past, 0);
  while (w.count > 0 && w.Sample(w.count - 1) > lastSample) --w.count;
  while (w.count < full && w.Sample(w.count) <= lastSample) ++w.count;
  return w;
}

std::string TimeWindow::Caption() const {
  // The draw puts the window's n-th sample (from 0) at 550 + (n + 1) x XStep,
  // so at CaptionX(i) stands the sample a tenth of the span i times on from
  // the one before the first.
  const double before = SampleIndex(yStart) - 1;
  const std::string gap(static_cast<size_t>(captionGap), ' ');
  std::string caption;
  for (int i = 0; i <= 10; ++i) {
    const double sample = before + i * Span() / 10;
    if (i > 0) caption += gap;
    caption += text::FormatFixed(samplesPerMinute > 0 ? sample / samplesPerMinute : 0, 1);
  }
  if (caption.size() > 240) caption.resize(240);
  return caption;
}

double TimeWindow::MarkerLimit() const {
  return std::min(Span(), static_cast<double>(MarkerSamples().count));
}

std::optional<double> TimeWindow::OffsetAt(double x) const {
  const double step = xStep.ToDouble();
  const double limit = MarkerLimit();
  if (!(step > 0) || !(limit > 0) || !std::isfinite(x)) return std::nullopt;
  // The draw puts the point of the window's n-th sample (from 0) at
  // 550 + (n + 1) x XStep.
  const double nearest = text::RoundHalfEven((x - kAxisX) / step - 1);
  return std::clamp(nearest, 0.0, std::ceil(limit) - 1);
}

}  // namespace zelk::chart
