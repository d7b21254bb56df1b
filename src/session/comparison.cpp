// A second log over the first: opened and closed, moved in time, lined up
// at the two markers, and its own marker.
#include <algorithm>
#include <cmath>

#include "chart/plot.h"
#include "session/session.h"

namespace zelk::session {

Opened Session::Compare(const std::string& path, const std::string& name) {
  // Compared with nothing, a second log would show nowhere.
  if (!file_.everLoaded) return {false, {"Open a log before comparing another log with it."}};
  auto fresh = std::make_unique<Comparison>();
  Opened opened = ReadLog(path, name, fresh->log);
  if (!opened.accepted) return opened;
  fresh->path = path;
  fresh->name = name;
  fresh->logId = ++secondIds_;
  fresh->byte = ByteChoiceFor(fresh->log.format, byte_.page, byte_.byte);
  // The two logs start together until the user moves the second.
  fresh->alignment =
      store::LogAlignment(store::LogTiming::Of(log_), store::LogTiming::Of(fresh->log));
  comparison_ = std::move(fresh);
  Notify(kComparisonChanged);
  return opened;
}

void Session::CloseComparison() {
  if (!comparison_) return;
  comparison_.reset();
  Notify(kComparisonChanged);
}

std::optional<channels::SecondLog> Session::SecondLog() {
  if (!comparison_) return std::nullopt;
  Comparison& c = *comparison_;
  return channels::SecondLog{c.log, c.decoded.Source(c.log, c.logId, c.byte), c.alignment};
}

bool Session::MoveOffset(int direction) {
  if (!comparison_) return false;
  comparison_->alignment.MoveBySamples(direction * static_cast<long>(StepValue()));
  Notify(kComparisonChanged);
  return true;
}

bool Session::SetOffset(store::Ticks offset) {
  if (!comparison_) return false;
  comparison_->alignment.SetOffset(offset);
  Notify(kComparisonChanged);
  return true;
}

bool Session::AlignAtMarkers() {
  if (!comparison_ || !comparison_->marker || !marker_.shown) return false;
  comparison_->alignment.AlignAt(MarkedSample(), *comparison_->marker);
  Notify(kComparisonChanged);
  return true;
}

bool Session::StepSecondMarker(int direction) {
  if (!comparison_) return false;
  const store::LogAlignment& align = comparison_->alignment;
  if (align.second().lastSample < 1) return false;
  if (comparison_->marker) {
    SetSecondMarker(*comparison_->marker + direction * static_cast<long>(StepValue()));
  } else if (marker_.shown) {
    const store::Ticks time = align.first().TimeOf(MarkedSample());
    SetSecondMarker(align.SecondNearest(time).value_or(align.SecondAtOrAfter(time)));
  } else {
    SetSecondMarker(align.SecondAtOrAfter(align.first().TimeOf(window_.yStart)));
  }
  return true;
}

std::optional<store::Ticks> Session::TimeAt(double x) const {
  const double step = window_.xStep.ToDouble();
  if (!(step > 0) || !std::isfinite(x)) return std::nullopt;
  const double samples = std::clamp((x - chart::kAxisX) / step, 0.0, std::max(window_.width, 0.0));
  const store::LogTiming timing = store::LogTiming::Of(log_);
  return timing.TimeOf(window_.yStart) +
         std::llround(samples * static_cast<double>(timing.Spacing()));
}

bool Session::MarkSecondAt(double x) {
  const std::optional<store::Ticks> time = TimeAt(x);
  if (!comparison_ || !time || comparison_->alignment.second().lastSample < 1) return false;
  const store::LogAlignment& align = comparison_->alignment;
  // Beyond either end of the second log the click marks its end.
  SetSecondMarker(align.SecondNearest(*time).value_or(
      *time < align.SecondTime(1) ? 1 : align.second().lastSample));
  return true;
}

void Session::SetSecondMarker(long j) {
  comparison_->marker = std::clamp(j, 1L, comparison_->alignment.second().lastSample);
  Notify(kComparisonChanged);
}

}  // namespace zelk::session
