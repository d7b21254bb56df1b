// The window list and the paging arrows: which window is on screen, and what
// the window shows about it.
#include <cmath>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::FrameLog;

class TimeWindowTest : public PageTest {};

// What a page shows of its window; a page turn takes the marker back to the
// page's first sample, the strip just right of the value axis.
TEST_F(TimeWindowTest, APageShowsItsMinutesDetailsAndTimes) {
  Open(FrameLog(2900, {}, "\r\n", 1));  // 5801 frames: SampleCount 2901, 20 minutes
  ASSERT_TRUE(page().Select("YAxis", 2));
  const struct {
    const char* duration;
    const char* first;
  } pages[] = {
      {"5 mins to 10 mins", "725"}, {"10 mins to 15 mins", "1450"}, {"15 mins to 20 mins", "2176"}};
  for (const auto& p : pages) {
    page().Form_KeyUp(39);
    ASSERT_TRUE(page().Click("NextImage"));
    EXPECT_EQ(state("Duration").caption, p.duration);
    EXPECT_EQ(state("YLabel").caption, vars().window.Caption());
    EXPECT_EQ(vars().marker.pos, 0);
    EXPECT_EQ(state("Overlay").left, 560);
    EXPECT_EQ(state("DataPointText").caption, p.first);
  }
  EXPECT_FALSE(state("NextImage").visible);
  // The window's details: samples, samples a second, minutes.
  EXPECT_EQ(state("DataText", 0).caption + "|" + state("DataText", 1).caption + "|" +
                state("DataText", 2).caption,
            "725|2.42/sec|5 mins");
  page().Click("PreviousImage");
  EXPECT_EQ(state("DataPointText").caption, "1450");  // 1450.5 as a sample, half to even
}

TEST_F(TimeWindowTest, PagingBackNeverGoesBelowMinuteZeroAndNoChoiceKeepsTheWindow) {
  Open(FrameLog(1450, {}));   // SampleCount 1450, 10 minutes
  page().Select("YAxis", 1);  // 2 minutes
  page().Click("NextImage");
  page().Select("YAxis", 2);  // 5 minutes from minute 2 keeps the start
  EXPECT_EQ(state("Duration").caption, "2 mins to 7 mins");
  page().Click("PreviousImage");
  EXPECT_EQ(state("Duration").caption, "0 mins to 5 mins");
  ASSERT_TRUE(page().Select("YAxis", -1));  // no window chosen keeps the window
  EXPECT_EQ(state("Duration").caption, "0 mins to 5 mins");
  page().Click("NextImage");
  page().Select("YAxis", 0);  // Full Trip goes back to minute 0
  EXPECT_EQ(state("Duration").caption, "0 mins to 10 mins");
  EXPECT_FALSE(state("NextImage").visible || state("PreviousImage").visible);
}

TEST_F(TimeWindowTest, DegenerateWindowsDrawNothingAndNeverFail) {
  // Full Trip one sample wide, ending before it starts, minutes of a log
  // shorter than half a minute.
  const std::pair<int, int> cases[] = {{3, 0}, {2, 0}, {2, 1}, {30, 5}};
  for (const auto& [pairs, window] : cases) {
    Open(FrameLog(pairs, {2000}));
    page().Select("YAxis", window);
    for (const chart::Line& l : lines()) {
      EXPECT_TRUE(std::isfinite(l.x1 + l.y1 + l.x2 + l.y2)) << pairs;
    }
    EXPECT_EQ(vars().graph.channel, channels::ChannelId::EngineSpeed);
  }
  Open(FrameLog(2, {2000}, "\r\n", 1));  // SampleCount 3: YEnd equals YStart
  EXPECT_EQ(lines().size(), 3u);         // the two axes and the limit line
}

}  // namespace
}  // namespace zelk::testing
