#include "chart/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "store/log_kinds.h"

namespace zelk::chart {
namespace {

// A zoomed window stays within the log's samples.
constexpr double kFirst = 1;
double Last(const TimeWindow& w) { return static_cast<double>(w.lastSample); }

// The window over whole samples nearest `first` to `last`: no shorter than
// kMinZoomSpan (widened about its middle), no longer than the log, moved
// inside the log where it reaches past either end. Nothing where it would
// be the window `w` already is, or the log is too short to zoom.
std::optional<TimeWindow> Fit(const TimeWindow& w, double first, double last) {
  const double room = Last(w) - kFirst;
  if (!(room >= kMinZoomSpan) || !std::isfinite(first) || !std::isfinite(last)) return {};
  first = text::RoundHalfEven(first);
  last = text::RoundHalfEven(last);
  const double span = std::clamp(last - first, kMinZoomSpan, room);
  if (span > last - first) first = text::RoundHalfEven((first + last - span) / 2);
  first = std::clamp(first, kFirst, Last(w) - span);
  if (first == static_cast<double>(w.yStart) && first + span == static_cast<double>(w.yEnd)) {
    return {};
  }
  return SpanWindow(w, first, first + span);
}

double FirstDrawn(const TimeWindow& w) { return static_cast<double>(w.yStart); }

}  // namespace

TimeWindow SpanWindow(const TimeWindow& like, double first, double last) {
  TimeWindow w;
  w.samplesPerMinute = like.samplesPerMinute;
  w.lastSample = like.lastSample;
  w.yStart = static_cast<long>(first);
  w.yEnd = static_cast<long>(last);
  w.startMins = store::MinutesOf(w.yStart, like.samplesPerMinute);
  w.endMins = store::MinutesOf(w.yEnd, like.samplesPerMinute);
  w.hasPrevious = first > kFirst;
  w.hasNext = last < Last(like);
  w.width = last - first;
  w.xStep = w.width > 0 ? text::Decimal::FromDouble(kWindowWidth / w.width) : text::Decimal();
  return w;
}

std::optional<double> SampleAt(const TimeWindow& w, double x) {
  const double step = w.xStep.ToDouble();
  if (!(step > 0) || !std::isfinite(x)) return {};
  // The draw puts sample j's point at 550 + (j - first) x XStep.
  return FirstDrawn(w) + (x - kAxisX) / step;
}

std::optional<TimeWindow> DragSpan(const TimeWindow& w, double x1, double x2) {
  if (!(std::abs(x2 - x1) >= kMinDragTwips)) return {};
  const auto a = SampleAt(w, std::min(x1, x2)), b = SampleAt(w, std::max(x1, x2));
  if (!a || !b) return {};
  // A drag past either end of the canvas stops at the log's end.
  const auto inLog = [&](double s) { return std::clamp(s, kFirst, std::max(Last(w), kFirst)); };
  return Fit(w, inLog(*a), inLog(*b));
}

std::optional<TimeWindow> WheelZoom(const TimeWindow& w, double x, int steps) {
  if (steps == 0 || !SampleAt(w, x)) return {};
  // The sample under x stays there: it lies the same fraction across the
  // width before and after.
  const double across = std::clamp((x - kAxisX) / kWindowWidth, 0.0, 1.0);
  const double span = w.width;
  const double room = std::max(Last(w) - kFirst, kMinZoomSpan);
  double wanted = std::ldexp(span, -std::clamp(steps, -30, 30));
  // Halving rounds to whole samples, so doubling back may fall a sample or
  // a few short of the whole log: that close, it is the whole log.
  if (steps < 0 && wanted > room - kMinZoomSpan) wanted = room;
  const double zoomed = std::clamp(wanted, kMinZoomSpan, room);
  const double first = FirstDrawn(w) + across * (span - zoomed);
  return Fit(w, first, first + zoomed);
}

std::optional<TimeWindow> Pan(const TimeWindow& w, int steps) {
  if (steps == 0) return {};
  const double span = w.width;
  double shift = text::RoundHalfEven(std::clamp(steps, -1000, 1000) * span / 10);
  if (shift == 0) shift = steps > 0 ? 1 : -1;
  return Fit(w, FirstDrawn(w) + shift, FirstDrawn(w) + shift + span);
}

std::optional<TimeWindow> PageSpan(const TimeWindow& w, int direction) {
  const double shift = direction * w.Span();
  return Fit(w, FirstDrawn(w) + shift, FirstDrawn(w) + shift + w.Span());
}

}  // namespace zelk::chart
