// A second log over the first: where its lines are drawn, its numbers beside
// the first's at the marker and in the data table.
#include "channels/comparison.h"

#include "channel_fixture.h"
#include "chart/zoom.h"

namespace zelk::testing {
namespace {

class ComparisonTest : public ChannelTest {
 protected:
  // The second log, its channels decoded, `offset` seconds later.
  channels::SecondLog Second(const std::string& text, const char* offset) {
    second_ = store::LogData();
    EXPECT_EQ(store::ReadLogText(text, second_).outcome, store::ReadOutcome::Loaded);
    alignment_ = store::LogAlignment(store::LogTiming::Of(log_), store::LogTiming::Of(second_),
                                     store::ReadOffset(offset, {}).offset.value_or(0));
    return {second_, secondChannels_.Source(second_, ++logId_, none_), alignment_};
  }

  store::LogData second_;
  channels::DecodedChannels secondChannels_;
  store::LogAlignment alignment_;
  const channels::ByteChoice none_;  // sources keep a reference to it
  unsigned long logId_ = 0;
};

// The first log runs from 0 to 10 s, 1050 twips a second from x 550; the
// second 2 s, 0.4 s a sample: drawn where both it and the window run.
TEST_F(ComparisonTest, SecondLogIsDrawnAtItsTimesWithinItsSpanAndTheWindows) {
  const std::string second = ShortTimeLog({{1, Texts(6, "1000")}});
  const channels::ChannelRow& speed = *channels::ChannelOf(ChannelId::EngineSpeed);
  const struct {
    const char* offset;
    bool zoomed;  // on 2 to 4 s, 5250 twips a second
    long segments;
    float x1 = 0, x2 = 0;  // where the first segment starts, the last ends
  } cases[] = {
      // clang-format off
      {"+3", false, 5, 3700, 5800}, {"-0.2", false, 5, 550, 2440}, {"+9.4", false, 2, 10420, 11050},
      {"+1.6", true, 4, 550, 8950}, {"+12", false, 0}, {"-5", false, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    Show(ChannelId::EngineSpeed, TimeLog({{1, Texts(11, "2000")}}));
    if (c.zoomed) window_ = chart::SpanWindow(window_, 3, 5);
    const size_t before = lines().size();
    EXPECT_EQ(
        channels::DrawSecondLog(canvas_, speed, log_, {}, window_, view_, Second(second, c.offset)),
        c.segments);
    if (c.segments == 0) continue;
    EXPECT_EQ(lines()[before].x1, c.x1);
    EXPECT_EQ(lines().back().x2, c.x2);
    EXPECT_EQ(lines().back().colour, chart::Paler(chart::kBlack));
  }
}

// At 2 s on the first log's axis, 1 s later, the second log's nearest sample
// is at 0.8 s (1 s is between 0.8 and 1.2 s); at 5 s, 3 s earlier, it has none.
TEST_F(ComparisonTest, MarkerGivesBothLogsNumbersAndTheirDifference) {
  using channels::kNotRecorded;
  const std::string time =
      TimeLog({{5, Texts(6, "85.3")}, {7, Texts(6, "10")}, {9, Texts(6, "0.5")}});
  const std::string shortTime = ShortTimeLog({{2, Texts(6, "85.1")}, {4, Texts(6, "2.4")}});
  const std::string frames = FrameLogOf({}, {Frame7DWith({{2, "1E"}})});
  const struct {
    const std::string &first, second;
    const char* offset;
    long sample;
    const char* secondTime;
    channels::ComparedValue value;
  } cases[] = {
      // clang-format off
      {time, shortTime, "+1", 3, "0:00.8", {"Coolant", "°C", "85.3", "85.1", "°C", "0.2"}},
      {time, shortTime, "0", 1, "0:00.0", {"Ignition advance", "°", "10", kNotRecorded, "°", ""}},
      {time, shortTime, "-3", 6, "", {"Coolant", "°C", "85.3", kNotRecorded, "°C", ""}},
      {frames, time, "0", 1, "0:00.0", {"Throttle", "°", "30", "2.5", "V", ""}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.quantity + " at " + c.offset);
    Show(ChannelId::EngineSpeed, c.first);
    channels::DecodedChannels firstChannels;
    const unsigned long firstId = ++logId_;
    const channels::ComparedSample at = channels::CompareAtMarker(
        log_, firstChannels.Source(log_, firstId, none_), c.sample, Second(c.second, c.offset));
    EXPECT_EQ(at.secondTime, c.secondTime);
    EXPECT_EQ(at.values.size(), firstChannels.At(log_, firstId, none_, c.sample).size());
    const auto v = std::find_if(at.values.begin(), at.values.end(),
                                [&](const auto& v) { return v.quantity == c.value.quantity; });
    ASSERT_NE(v, at.values.end());
    EXPECT_EQ(*v, c.value);
  }
}

// The second log starts 1 s later and ends 2 s after that.
TEST_F(ComparisonTest, DataTableGivesTheSecondLogsNearestSampleBesideEachRow) {
  Show(ChannelId::Temperatures, TimeLog({{5, {"80", "81", "82", "83", "84"}}}));
  const auto csv = [&](const std::string& second) {
    return channels::ComparedDataCsv(*channels::ChannelOf(ChannelId::Temperatures), log_, tables_,
                                     {}, window_, Second(second, "+1"));
  };
  EXPECT_EQ(csv(ShortTimeLog({{2, {"90", "91", "92", "93", "94", "95"}}})),
            "sample,minutes,log_time,coolant_c,intake_c,coolant_c_2,intake_c_2\n"
            "1,0.0000,1,80,0,,\n"
            "2,0.0167,2,81,0,90,0\n"
            "3,0.0333,3,82,0,92,0\n"
            "4,0.0500,4,83,0,95,0\n"
            "5,0.0667,5,84,0,,\n");
}

}  // namespace
}  // namespace zelk::testing
