// The stretch of the log that the graph shows: which samples, how far apart,
// the minutes its captions give, and which sample a click on the graph marks.
#pragma once

#include <optional>
#include <string>

#include "chart/plot.h"
#include "text/number_text.h"

namespace zelk::chart {

// The canvas width given to the window's samples, in twips.
inline constexpr double kWindowWidth = 10500;

// Where the marker strip stands while it marks nothing (off the canvas's
// right edge), and where a page turn puts it (just right of the value axis).
inline constexpr float kMarkerParked = 20000;
inline constexpr float kMarkerPageStart = 560;

struct TimeWindow {
  double startMins = 0, endMins = 0;  // the minutes the captions give
  double yStart = 0, yEnd = 0;        // first and last sample; the start may lie between two
  text::Decimal xStep;                // twips from one sample to the next; zero when empty
  double samplesPerMinute = 0;        // the log's rate, which gives each sample its time
  int captionGap = 17;                // blanks between two times under the graph
  bool hasNext = false, hasPrevious = false;  // a page lies after or before it
  long lastSample = 0;                        // the log's last sample: nothing past it is walked

  // The window of `lengthMins` minutes (0 for the whole log) from minute
  // `startMins` of a log of `sampleCount` (one above its last sample) and
  // `tripMins` whole minutes, recorded at `samplesPerMinute`. A log shorter
  // than half a minute has no minutes to divide by: every window then shows
  // the whole log.
  static TimeWindow Of(long sampleCount, int tripMins, int lengthMins, double startMins,
                       double samplesPerMinute);

  double Span() const { return yEnd - yStart; }
  // The samples a channel's draw walks, and those the marker's redraw walks:
  // the window's samples up to the log's last one. A window that reaches
  // past the log leaves the rest of its width empty.
  Window Samples() const { return HeldOnly(WindowOf(yStart, yEnd, xStep)); }
  Window MarkerSamples() const { return HeldOnly(MarkerWindowOf(yStart, yEnd, xStep)); }
  Window HeldOnly(Window w) const;

  // The caption under the time axis: eleven times in minutes, one decimal,
  // at most 240 characters. The i-th time stands at CaptionX(i) and is the
  // time of the sample drawn there.
  std::string Caption() const;
  static double CaptionX(int i) { return kAxisX + i * kWindowWidth / 10; }

  // Where the marker's offsets end: the span, or sooner the first offset
  // whose sample lies past the log's last one.
  double MarkerLimit() const;

  // The marker offset a click at canvas x chooses: the window's sample whose
  // point lies nearest, at a whole offset from its first sample (the arrow
  // keys' offsets, 0 up to but not including the marker's limit). Nothing for an empty
  // window or an x that is no number.
  std::optional<double> OffsetAt(double x) const;
};

}  // namespace zelk::chart
