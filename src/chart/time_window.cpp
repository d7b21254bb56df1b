#include "chart/time_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "store/log_kinds.h"

namespace zelk::chart {

TimeWindow TimeWindow::Of(long sampleCount, int tripMins, int lengthMins, double startMins,
                          double samplesPerMinute) {
  TimeWindow w;
  w.samplesPerMinute = samplesPerMinute;
  w.lastSample = sampleCount - 1;
  w.captionGap = lengthMins == 5 ? 18 : 17;
  if (lengthMins == 0 || !(samplesPerMinute > 0)) {
    w.startMins = 0;
    w.endMins = tripMins;
    w.yStart = 1;
    w.yEnd = std::max<long>(w.lastSample, 1);
    w.width = static_cast<double>(w.yEnd - w.yStart);
  } else {
    const double perPage = lengthMins * samplesPerMinute;
    w.startMins = startMins;
    w.endMins = startMins + lengthMins;
    w.yStart = static_cast<long>(text::RoundHalfEven(startMins * samplesPerMinute)) + 1;
    w.yEnd = w.yStart + static_cast<long>(text::RoundHalfEven(perPage)) - 1;
    w.width = perPage;
    w.hasNext = w.yEnd < w.lastSample;
    w.hasPrevious = startMins > 0;
  }
  // A window one sample wide has no step: the channels then draw nothing.
  w.xStep = w.width > 0 ? text::Decimal::FromDouble(kWindowWidth / w.width) : text::Decimal();
  return w;
}

Window TimeWindow::Samples() const {
  const long last = std::min(yEnd, lastSample);
  return {yStart, std::max<long>(last - yStart + 1, 0), xStep};
}

std::array<std::string, 11> TimeWindow::CaptionTimes() const {
  std::array<double, 11> minutes{};
  for (int i = 0; i <= 10; ++i) {
    minutes[i] = store::MinutesOf(yStart, samplesPerMinute) +
                 (samplesPerMinute > 0 ? i * width / 10 / samplesPerMinute : 0);
  }
  // Minutes to one or two decimals, else minutes and seconds to a tenth,
  // else as many decimals of a minute as it takes to tell them apart.
  const auto laidOut = [&](auto text) {
    std::array<std::string, 11> times;
    for (int i = 0; i <= 10; ++i) times[i] = text(minutes[i]);
    return times;
  };
  const auto apart = [](const std::array<std::string, 11>& times) {
    return std::set<std::string>(times.begin(), times.end()).size() == times.size();
  };
  std::array<std::string, 11> times = laidOut([](double m) { return text::FormatFixed(m, 1); });
  if (!apart(times)) times = laidOut([](double m) { return text::FormatFixed(m, 2); });
  if (!apart(times)) times = laidOut([](double m) { return text::ClockText(m); });
  for (int decimals = 3; !apart(times) && decimals <= 6; ++decimals) {
    times = laidOut([decimals](double m) { return text::FormatFixed(m, decimals); });
  }
  return times;
}

std::string TimeWindow::Caption() const {
  const std::array<std::string, 11> times = CaptionTimes();
  const std::string gap(static_cast<size_t>(captionGap), ' ');
  std::string caption;
  for (int i = 0; i <= 10; ++i) {
    if (i > 0) caption += gap;
    caption += times[i];
  }
  return caption;
}

long TimeWindow::MarkerLast() const {
  if (xStep == text::Decimal()) return -1;
  return Samples().count - 1;
}

std::optional<long> TimeWindow::OffsetAt(double x) const {
  const double step = xStep.ToDouble();
  const long last = MarkerLast();
  if (!(step > 0) || last < 0 || !std::isfinite(x)) return std::nullopt;
  const double nearest = text::RoundHalfEven((x - kAxisX) / step);
  return static_cast<long>(std::clamp(nearest, 0.0, static_cast<double>(last)));
}

}  // namespace zelk::chart
