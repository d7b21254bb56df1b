// The stretch of the log that the graph shows: which samples, how far apart,
// the minutes its captions give, and which sample a click on the graph marks.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "chart/plot.h"
#include "text/number_text.h"

namespace zelk::chart {

// The canvas width given to the window, in twips: from the value axis to
// the x where the window's width in samples ends.
inline constexpr double kWindowWidth = 10500;

// Where the marker strip stands while it marks nothing (off the canvas's
// right edge), and where a page turn puts it (on the value axis, over the
// page's first sample).
inline constexpr float kMarkerParked = 20000;
inline constexpr float kMarkerPageStart = 550;

struct TimeWindow {
  double startMins = 0, endMins = 0;  // the minutes the window box gives
  long yStart = 1, yEnd = 0;          // the window's first and last sample
  double width = 0;            // the samples across kWindowWidth: yEnd - yStart, or a page's
  text::Decimal xStep;         // twips from one sample to the next; zero when empty
  double samplesPerMinute = 0;  // the log's rate, which gives each sample its time
  int captionGap = 17;          // blanks between two times under the graph
  bool hasNext = false, hasPrevious = false;  // the log holds samples after or before it
  long lastSample = 0;                        // the log's last sample: nothing past it is walked

  // The whole log (`lengthMins` 0, which the window box gives as 0 to
  // `tripMins` minutes), or the page of `lengthMins` minutes from minute
  // `startMins`, of a log of `sampleCount` (one above its last sample)
  // recorded at `samplesPerMinute`. A page holds the samples whose times lie
  // from its start up to, not including, its end, so that pages share no
  // sample, and its width is its minutes whether or not the log fills them.
  static TimeWindow Of(long sampleCount, int tripMins, int lengthMins, double startMins,
                       double samplesPerMinute);

  long Span() const { return yEnd - yStart; }
  // The samples every draw walks: the window's, up to the log's last one. A
  // window that reaches past the log leaves the rest of its width empty.
  Window Samples() const;

  // The caption under the time axis: eleven times from the window's start,
  // the i-th standing at CaptionX(i), each the time of that place. They take
  // as many decimals, or minutes and seconds, as keep them apart.
  std::string Caption() const;
  // The caption's eleven times, the i-th standing at CaptionX(i).
  std::array<std::string, 11> CaptionTimes() const;
  static double CaptionX(int i) { return kAxisX + i * kWindowWidth / 10; }

  // The marker's offsets from the window's first sample run from 0 to this:
  // every sample of the window the log holds. -1 where the window shows none.
  long MarkerLast() const;

  // The marker offset a click at canvas x chooses: the window's sample whose
  // point lies nearest. Nothing for an empty window or an x that is no number.
  std::optional<long> OffsetAt(double x) const;
};

}  // namespace zelk::chart
