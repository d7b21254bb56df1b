// Two logs on one time axis: a second log drawn over the first, shifted by an
// offset, each of its samples at its own time rather than at its own sample
// number, so that logs of different sampling rates line up. Times are whole
// numbers of ticks, so that an offset moved sample by sample, typed in
// decimals or set at two markers adds up exactly however long the logs are.
#pragma once

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

#include "store/log_data.h"
#include "store/log_kinds.h"

namespace zelk::store {

// A time or an offset in ticks.
using Ticks = int64_t;

// Ticks a second: a second's nine decimals and the spacing of every kind of
// log's samples (60 / samplesPerMinute seconds) are whole numbers of them.
inline constexpr Ticks kTicksPerSecond = [] {
  Ticks ticks = 1'000'000'000;
  for (const LogKind& kind : kLogKinds) {
    const Ticks perMinute = kind.samplesPerMinute;
    ticks = std::lcm(ticks, perMinute / std::gcd(Ticks{60}, perMinute));
  }
  return ticks;
}();

// A longest offset's margin beyond the longer log: a day.
inline constexpr Ticks kOffsetMargin = 86400 * kTicksPerSecond;

// Sample numbers as far from a log as times are worked out for; any further
// one stands at this one's time.
inline constexpr long kFarSample = 100'000'000;

// One log's sample times: sample i (from 1) at (i - 1) spacings from its start.
struct LogTiming {
  LogFormat format = kFrameLog;
  long lastSample = 0;  // 0 for a log without samples

  static LogTiming Of(const LogData& log) {
    return {log.format, std::max(log.sampleCount - 1L, 0L)};
  }
  Ticks Spacing() const { return 60 * kTicksPerSecond / KindOf(format).samplesPerMinute; }
  Ticks TimeOf(long i) const { return (std::clamp(i, -kFarSample, kFarSample) - 1) * Spacing(); }
  // The time of its last sample; 0 without samples.
  Ticks Length() const { return lastSample > 1 ? TimeOf(lastSample) : 0; }
};

// Seconds and minutes of a number of ticks, as near as a double gets.
inline double SecondsOf(Ticks t) {
  return static_cast<double>(t) / static_cast<double>(kTicksPerSecond);
}
inline double MinutesOfTicks(Ticks t) {
  return static_cast<double>(t) / static_cast<double>(60 * kTicksPerSecond);
}

// The second log on the first log's time axis. The offset is the time on
// that axis of the second log's first sample: positive when the second log
// starts later.
class LogAlignment {
 public:
  LogAlignment() = default;
  LogAlignment(LogTiming first, LogTiming second, Ticks offset = 0)
      : first_(first), second_(second) {
    SetOffset(offset);
  }

  const LogTiming& first() const { return first_; }
  const LogTiming& second() const { return second_; }
  Ticks offset() const { return offset_; }

  // The largest offset either way: the longer log's length and a day.
  Ticks Limit() const;
  // Sets the offset, held within the limit.
  void SetOffset(Ticks offset);
  // Moves the offset by a number of the first log's samples (later for
  // positive), as the marker's step moves the marker; held within the limit.
  void MoveBySamples(long firstSamples);
  // Sets the offset that puts the second log's sample `secondSample` at the
  // time of the first log's sample `firstSample`.
  void AlignAt(long firstSample, long secondSample);

  // The time on the first log's axis of the second log's sample j, in ticks
  // from the first log's first sample, in minutes, and as the first log's
  // sample number that would stand there (fractional between two samples).
  Ticks SecondTime(long j) const { return second_.TimeOf(j) + offset_; }
  double SecondMinutes(long j) const { return MinutesOfTicks(SecondTime(j)); }
  double SecondAsFirstSample(long j) const;

  // The second log's sample nearest a time on the first log's axis, a tie
  // going to the earlier one. None before its first sample or after its
  // last by more than half its spacing.
  std::optional<long> SecondNearest(Ticks time) const;
  // The second log's sample nearest the first log's sample i.
  std::optional<long> SecondNearestTo(long firstSample) const {
    return SecondNearest(first_.TimeOf(firstSample));
  }
  // The second log's sample numbers whose times lie at or before, and at or
  // after, a time on the first log's axis; held within 1 and its last sample.
  long SecondAtOrBefore(Ticks time) const;
  long SecondAtOrAfter(Ticks time) const;

 private:
  LogTiming first_, second_;
  Ticks offset_ = 0;
};

// The outcome of reading a typed offset: the offset, or why there is none.
struct OffsetReading {
  std::optional<Ticks> offset;
  std::string problem;
};

// Reads an offset typed in seconds ("12.4", "-3", "+0.5 s", "1.5e2"):
// anything that is no number, or lies beyond the alignment's limit, is
// refused with a sentence that says why.
OffsetReading ReadOffset(std::string_view typed, const LogAlignment& alignment);

// The second log and its offset as the window names them: its file name,
// then the offset in seconds to one decimal with its sign ("drive_b.txt
// +12.4 s", "drive_b.txt -3.0 s", "drive_b.txt +0.0 s").
std::string OffsetCaption(std::string_view path, Ticks offset);

}  // namespace zelk::store
