// The time window: which samples it shows, how far apart, its captions,
// which sample a click on the graph marks, and the zooms.
#include "chart/time_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "chart/zoom.h"
#include "log_text.h"

namespace zelk::chart {
namespace {

// The window as a load and the window list choose it: a log's trip length is
// its samples over the samples per minute, rounded half to even.
TimeWindow Of(long samples, double perMinute, int lengthMins, double startMins) {
  const long sampleCount = samples + 1;
  const int trip = static_cast<int>(text::RoundHalfEven(samples / perMinute));
  return TimeWindow::Of(sampleCount, trip, lengthMins, startMins, perMinute);
}

std::vector<std::string> Times(const TimeWindow& w) {
  std::vector<std::string> shown = testlogs::Split(w.Caption(), ' ');
  std::erase(shown, "");
  return shown;
}

// Sample 1 stands on the value axis at 0.0; the whole log runs to its last
// sample at the end of the width, a page holds the samples of its minutes
// and no other page's. Each caption is the time of its place, and no two
// read the same.
TEST(TimeWindow, PagesShareNoSampleAndEachTimeIsItsPlaces) {
  const struct {
    long samples;
    double perMinute;
    int length;
    double start;
    long first, last;
    bool next, previous;
    const char* times;  // first, second and last caption
  } cases[] = {
      // clang-format off
      {1740, 145, 0, 0, 1, 1740, false, false, "0.0 1.2 12.0"},
      {1740, 145, 2, 0, 1, 290, true, false, "0.0 0.2 2.0"},
      {1740, 145, 2, 2, 291, 580, true, true, "2.0 2.2 4.0"},
      {1740, 145, 2, 10, 1451, 1740, false, true, "10.0 10.2 12.0"},  // the last page, whole
      {1741, 145, 2, 10, 1451, 1740, true, true, "10.0 10.2 12.0"},   // one sample more
      {1741, 145, 5, 10, 1451, 2175, false, true, "10.0 10.5 15.0"},
      {200, 60, 0, 0, 1, 200, false, false, "0.0 0.3 3.3"},
      {20, 60, 2, 0, 1, 120, false, false, "0.0 0.2 2.0"},            // a short log, a long page
      {11, 145, 0, 0, 1, 11, false, false, "0:00.0 0:00.4 0:04.1"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.samples << " " << c.length << " " << c.start);
    const TimeWindow w = Of(c.samples, c.perMinute, c.length, c.start);
    EXPECT_EQ(std::pair(w.yStart, w.yEnd), std::pair(c.first, c.last));
    EXPECT_EQ(std::pair(w.hasNext, w.hasPrevious), std::pair(c.next, c.previous));
    const std::vector<std::string> shown = Times(w);
    ASSERT_EQ(shown.size(), 11u);
    EXPECT_EQ(shown[0] + " " + shown[1] + " " + shown[10], c.times);
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), 11u);
    EXPECT_EQ(w.Caption().find(shown[1]), shown[0].size() + (c.length == 5 ? 18 : 17));
    EXPECT_EQ(w.Samples().count, std::min(c.last, c.samples) - c.first + 1);
  }
  // A zoom deep in the log: times to a tenth of a second, none repeated.
  EXPECT_EQ(Times(SpanWindow(Of(1740, 145, 0, 0), 667, 687))[1], "4.61");
  EXPECT_EQ(Times(SpanWindow(Of(1740, 145, 0, 0), 667, 677))[1], "4:36.0");
}

TEST(TimeWindow, ClickMarksTheNearestSample) {
  // The second 2-minute page: from 291 to 580 of 580 samples, and from 291 to
  // 400, where the log ends, of 400. (The Full Trip's clicks are the window's
  // KeysClicksAndMenusDoWhatTheySay.)
  const struct {
    int samples;
    int near;  // x is this sample's point moved by `steps` steps, or `x` when 0
    double steps, x;
    int sample;
  } cases[] = {
      {580, 291, 0, 0, 291}, {580, 400, -0.3, 0, 400}, {580, 400, -0.7, 0, 399},
      {580, 0, 0, 100, 291}, {580, 0, 0, 20000, 580},  {400, 0, 0, 20000, 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.samples << " " << c.near << " " << c.steps << " " << c.x);
    const TimeWindow w = Of(c.samples, 145, 2, 2);
    const double x = c.near ? 550 + (c.near - w.yStart + c.steps) * w.xStep.ToDouble() : c.x;
    EXPECT_EQ(w.OffsetAt(x), c.sample - w.yStart);
  }
  EXPECT_EQ(Of(580, 145, 0, 0).OffsetAt(NAN), std::nullopt);
  EXPECT_EQ(Of(1, 145, 0, 0).OffsetAt(600), std::nullopt);  // one sample: no width
}

// A 1000-sample log: the whole log's window runs from sample 1 to 1000. Drag
// ends are given as the samples whose points lie there; a wheel or pan from
// `first` to `last`, or from the whole log for 0. No change gives 0 to 0.
TEST(TimeWindow, ZoomsStayWithinTheLogAndTenSamples) {
  const struct {
    char op;  // drag, wheel, pan, page
    long first, last;
    double a, b;
    long wantFirst, wantLast;
  } cases[] = {
      {'d', 0, 0, 100, 200, 100, 200},    {'d', 0, 0, 500, 5000, 500, 1000},
      {'d', 0, 0, -80, 30, 1, 30},        {'d', 0, 0, 100, 105.6, 0, 0},
      {'d', 0, 0, 100, 105.71, 98, 108},  {'d', 0, 0, 996, 1200, 990, 1000},
      {'w', 0, 0, 500, 1, 250, 750},      {'w', 0, 0, 500, 20, 495, 505},
      {'w', 0, 0, 500, -1, 0, 0},         {'w', 300, 400, 350, -1, 250, 450},
      {'w', 900, 990, 990, -3, 270, 990}, {'w', 251, 749, 500, -1, 1, 1000},
      {'p', 1, 101, -1, 0, 0, 0},         {'p', 1, 101, 3, 0, 31, 131},
      {'p', 900, 990, 5, 0, 910, 1000},   {'g', 900, 990, 1, 0, 910, 1000},
      {'g', 900, 990, -1, 0, 810, 900},   {'g', 1, 101, -1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.op << " " << c.first << " " << c.a << " " << c.b);
    const TimeWindow whole = Of(1000, 145, 0, 0);
    const TimeWindow w = c.first ? SpanWindow(whole, c.first, c.last) : whole;
    const auto x = [&](double s) { return 550 + (s - w.yStart) * w.xStep.ToDouble(); };
    const std::optional<TimeWindow> z = c.op == 'd'   ? DragSpan(w, x(c.a), x(c.b))
                                        : c.op == 'w' ? WheelZoom(w, x(c.a), int(c.b))
                                        : c.op == 'p' ? Pan(w, int(c.a))
                                                      : PageSpan(w, int(c.a));
    EXPECT_EQ(z ? std::pair(z->yStart, z->yEnd) : std::pair(0L, 0L),
              std::pair(c.wantFirst, c.wantLast));
  }
}

}  // namespace
}  // namespace zelk::chart
