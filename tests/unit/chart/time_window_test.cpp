// The time window: which samples it shows, how far apart, its captions and
// details, and which sample a click on the graph marks.
#include "chart/time_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/zoom.h"
#include "log_text.h"

namespace zelk::chart {
namespace {

// The window as a load and the window list choose it: a log's trip length is
// its samples over the samples per minute, rounded half to even.
TimeWindow Of(long sampleCount, double perMinute, int lengthMins, double startMins) {
  const int trip = static_cast<int>(text::RoundHalfEven(sampleCount / perMinute));
  return TimeWindow::Of(sampleCount, trip, lengthMins, startMins, perMinute);
}

// Eleven times with one decimal, each over the sample of that time: the
// sample drawn nearest its place is at most one sample's time away.
TEST(TimeWindow, EachTimeStandsOverTheSampleOfThatTime) {
  const struct {
    long samples;
    double perMinute;
    int length;
    double start;
    int gap;
  } cases[] = {{1740, 145, 0, 0, 17},  {1812, 145, 0, 0, 17},   {1740, 145, 2, 6, 17},
               {1740, 145, 5, 10, 18}, {4351, 145, 10, 20, 17}, {201, 60, 0, 0, 17},
               {401, 150, 2, 2, 17},   {2901, 145, 20, 0, 17},  {1740, 145, 30, 0, 17}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.samples << " " << c.length << " " << c.start);
    const TimeWindow w = Of(c.samples, c.perMinute, c.length, c.start);
    std::vector<std::string> shown = testlogs::Split(w.Caption(), ' ');
    std::erase(shown, "");
    ASSERT_EQ(shown.size(), 11u);
    EXPECT_EQ(w.Caption().find(shown[1]), shown[0].size() + c.gap);
    const int first = SampleIndex(w.yStart);
    for (int i = 0; i <= 10; ++i) {
      // The sample drawn nearest the time's place, at 550 + (j - first + 1) x XStep.
      const double j = first - 1 + (TimeWindow::CaptionX(i) - 550) / w.xStep.ToDouble();
      EXPECT_EQ(shown[i].find('.'), shown[i].size() - 2) << shown[i];
      EXPECT_NEAR(std::stod(shown[i]), std::round(j) / c.perMinute, 1 / c.perMinute + 0.05) << i;
    }
  }
}

TEST(TimeWindow, ClickMarksTheNearestSampleAtAWholeOffset) {
  // 580 samples, 4 minutes: the Full Trip runs from sample 1 to 578 and the
  // marker marks 1 to 577; the second 2-minute page runs from 290 to 580 and
  // the marker marks 290 to 579 (a click on those last points is the
  // marker test's). Pages that start between two samples mark
  // as the arrow keys do, at whole offsets from the page's first sample:
  // 400 samples, page 2 from 266.67; 404 samples, page 2 from 269.33 to 538.33,
  // where the log ends at sample 403.
  const struct {
    int samples;
    bool paged;
    int near;  // x is this sample's point moved by `steps` steps, or `x` when 0
    double steps, x;
    int sample;
  } cases[] = {
      {580, false, 1, 0, 0, 1},       {580, false, 200, 0.4, 0, 200},
      {580, false, 200, 0.6, 0, 201}, {580, false, 0, 0, 11200, 577},
      {580, false, 0, 0, 20000, 577}, {580, true, 290, 0, 0, 290},
      {580, true, 400, -0.3, 0, 400}, {580, true, 400, -0.7, 0, 399},
      {580, true, 0, 0, 100, 290},    {580, true, 0, 0, 20000, 579},
      {400, true, 300, 0, 0, 300},    {404, true, 269, 0, 0, 269},
      {404, true, 0, 0, 0, 269},      {404, true, 0, 0, 20000, 403},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.samples << " " << c.paged << " " << c.near << " " << c.steps << " " << c.x);
    const TimeWindow w = c.paged ? Of(c.samples, 145, 2, 2) : Of(c.samples, 145, 0, 0);
    const int first = SampleIndex(w.yStart);
    const double step = w.xStep.ToDouble();
    const double x = c.near ? 550 + (c.near - first + 1 + c.steps) * step : c.x;
    EXPECT_EQ(w.OffsetAt(x), c.sample - first);
  }
  EXPECT_EQ(Of(580, 145, 0, 0).OffsetAt(NAN), std::nullopt);
}

// A 1001-sample log: the whole log's window runs from sample 1 to 999. Drag
// ends are given as the samples whose points lie there; a wheel or pan from
// `first` to `last`, or from the whole log for 0. No change gives 0 to 0.
TEST(TimeWindow, ZoomsStayWithinTheLogAndTenSamples) {
  const struct {
    char op;  // drag, wheel, pan, page
    double first, last, a, b, wantFirst, wantLast;
  } cases[] = {
      {'d', 0, 0, 100, 200, 100, 200},    {'d', 0, 0, 500, 5000, 500, 999},
      {'d', 0, 0, -80, 30, 1, 30},        {'d', 0, 0, 100, 105.6, 0, 0},
      {'d', 0, 0, 100, 105.71, 98, 108},  {'d', 0, 0, 996, 1200, 989, 999},
      {'w', 0, 0, 500, 1, 251, 750},      {'w', 0, 0, 500, 20, 496, 506},
      {'w', 0, 0, 500, -1, 0, 0},         {'w', 300, 400, 350, -1, 249, 449},
      {'w', 900, 990, 990, -3, 270, 990}, {'w', 251, 749, 500, -1, 1, 999},
      {'p', 1, 101, -1, 0, 0, 0},         {'p', 1, 101, 3, 0, 31, 131},
      {'p', 900, 990, 5, 0, 909, 999},    {'g', 900, 990, 1, 0, 909, 999},
      {'g', 900, 990, -1, 0, 810, 900},   {'g', 1, 101, -1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.op << " " << c.first << " " << c.a << " " << c.b);
    const TimeWindow whole = Of(1001, 145, 0, 0);
    const TimeWindow w = c.first ? SpanWindow(whole, c.first, c.last) : whole;
    const auto x = [&](double s) { return 550 + (s - w.yStart + 1) * w.xStep.ToDouble(); };
    const std::optional<TimeWindow> z = c.op == 'd'   ? DragSpan(w, x(c.a), x(c.b))
                                        : c.op == 'w' ? WheelZoom(w, x(c.a), int(c.b))
                                        : c.op == 'p' ? Pan(w, int(c.a))
                                                      : PageSpan(w, int(c.a));
    EXPECT_EQ(z ? std::pair(z->yStart, z->yEnd) : std::pair(0.0, 0.0),
              std::pair(c.wantFirst, c.wantLast));
  }
}

}  // namespace
}  // namespace zelk::chart
