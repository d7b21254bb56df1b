// The time window: sample range, step, captions, arrows and paging.
#include <cmath>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::FrameLog;

class TimeWindowTest : public PageTest {};

TEST_F(TimeWindowTest, FullTripCoversTheLogButItsLastSample) {
  Open(FrameLog(1000, {}, "\r\n", 1));  // 2001 frames: SampleCount 1001
  ASSERT_EQ(page().log().sampleCount, 1001);
  EXPECT_EQ(vars().window.yStart, 1);
  EXPECT_EQ(vars().window.yEnd, 999);
  EXPECT_EQ(vars().window.xStep.ToText(), "10.5210420841683");
  EXPECT_EQ(state("DataText", 0).caption, "998");
  EXPECT_EQ(state("Duration").caption, "0 mins to 7 mins");
  EXPECT_FALSE(state("NextImage").visible);
  EXPECT_FALSE(state("PreviousImage").visible);
}

TEST_F(TimeWindowTest, FiveMinuteWindowsPageThroughA2901SampleLog) {
  Open(FrameLog(2900, {}, "\r\n", 1));  // 5801 frames: SampleCount 2901
  ASSERT_EQ(page().log().sampleCount, 2901);
  ASSERT_EQ(vars().file.tripMins, 20);
  ASSERT_TRUE(page().Select("YAxis", 2));
  const struct {
    const char* action;
    double start, yStart, yEnd;
    const char* duration;
    bool previous, next;
  } steps[] = {
      {"", 0, 1, 726, "0 mins to 5 mins", false, true},
      {"NextImage", 5, 725.25, 1450.25, "5 mins to 10 mins", true, true},
      {"NextImage", 10, 1450.5, 2175.5, "10 mins to 15 mins", true, true},
      {"NextImage", 15, 2175.75, 2900.75, "15 mins to 20 mins", true, false},
      {"PreviousImage", 10, 1450.5, 2175.5, "10 mins to 15 mins", true, true},
  };
  for (const auto& s : steps) {
    if (*s.action) {
      ASSERT_TRUE(page().Click(s.action));
    }
    SCOPED_TRACE(s.duration);
    EXPECT_EQ(vars().window.startMins, s.start);
    EXPECT_DOUBLE_EQ(vars().window.yStart, s.yStart);
    EXPECT_DOUBLE_EQ(vars().window.yEnd, s.yEnd);
    EXPECT_EQ(state("Duration").caption, s.duration);
    EXPECT_EQ(state("PreviousImage").visible, s.previous);
    EXPECT_EQ(state("NextImage").visible, s.next);
    EXPECT_EQ(state("DataText", 0).caption, "725");
    EXPECT_EQ(state("DataText", 1).caption, "2.42/sec");
    EXPECT_EQ(state("DataText", 2).caption, "5 mins");
  }
  // Paging puts the marker at the window's start.
  page().Click("PreviousImage");
  EXPECT_EQ(state("Overlay").left, 560);
  EXPECT_EQ(state("DataPointText").caption, "725");  // 725.25 as a sample
  page().Click("PreviousImage");
  EXPECT_EQ(state("DataPointText").caption, "1");
}

TEST_F(TimeWindowTest, PagingBackNeverGoesBelowMinuteZeroAndNoChoiceKeepsTheWindow) {
  Open(FrameLog(1450, {}));   // SampleCount 1450, 10 minutes
  page().Select("YAxis", 1);  // 2 minutes
  page().Click("NextImage");
  page().Select("YAxis", 2);  // 5 minutes from minute 2 keeps the start
  EXPECT_EQ(vars().window.startMins, 2);
  EXPECT_EQ(state("Duration").caption, "2 mins to 7 mins");
  page().Click("PreviousImage");
  EXPECT_EQ(vars().window.startMins, 0);
  EXPECT_EQ(state("Duration").caption, "0 mins to 5 mins");
  const double yEnd = vars().window.yEnd;
  ASSERT_TRUE(page().Select("YAxis", -1));  // no window chosen keeps the window
  EXPECT_EQ(vars().window.yEnd, yEnd);
  EXPECT_EQ(state("Duration").caption, "0 mins to 5 mins");
  page().Click("NextImage");
  page().Select("YAxis", 0);  // Full Trip goes back to minute 0
  EXPECT_EQ(vars().window.startMins, 0);
  EXPECT_EQ(state("Duration").caption, "0 mins to 10 mins");
}

TEST_F(TimeWindowTest, TimeCaptionSpreadsElevenTimes) {
  Open(FrameLog(4351, {}));  // 30 minutes
  const std::string blanks17(17, ' ');
  page().Select("YAxis", 3);  // 10 minutes
  page().Click("NextImage");
  page().Click("NextImage");
  std::string expected = "20.0";
  for (int m = 21; m <= 30; ++m) expected += blanks17 + std::to_string(m) + ".0";
  EXPECT_EQ(state("YLabel").caption, expected);

  page().Select("YAxis", 2);  // the 5-minute window has one blank more
  EXPECT_EQ(state("YLabel").caption.substr(0, 4 + 18 + 4), "20.0" + blanks17 + " 20.5");

  page().Select("YAxis", 0);
  expected = "0.0";
  for (int i = 1; i <= 10; ++i) expected += blanks17 + text::FormatFixed(3.0 * i, 1);
  EXPECT_EQ(state("YLabel").caption, expected);
}

TEST_F(TimeWindowTest, DegenerateWindowsDrawNothingAndNeverFail) {
  const struct {
    int pairs;
    int window;
    int sampleCount;
  } cases[] = {
      {3, 0, 4},  // Full Trip of 4 samples: one sample wide
      {2, 0, 2},  // window ends before it starts
      {2, 1, 2},  // minutes window of a log shorter than half a minute
      {30, 5, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pairs);
    Open(FrameLog(c.pairs, {2000}));
    ASSERT_EQ(page().log().sampleCount, c.sampleCount);
    page().Select("YAxis", c.window);
    for (const chart::Line& l : lines()) {
      for (float v : {l.x1, l.y1, l.x2, l.y2}) EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_EQ(vars().graph.channel, channels::ChannelId::EngineSpeed);
  }
  // SampleCount 3: YEnd equals YStart, so there is no step and no segment.
  Open(FrameLog(2, {2000}, "\r\n", 1));
  ASSERT_EQ(page().log().sampleCount, 3);
  page().Select("YAxis", 0);
  EXPECT_EQ(vars().window.xStep.ToText(), "0");
  EXPECT_EQ(lines().size(), 3u);  // the two axes and the limit line
}

}  // namespace
}  // namespace zelk::testing
