// A second log over the first: where its lines are drawn, which of its series
// are, its numbers beside the first's at the marker and in the data table.
#include "channels/comparison.h"

#include "channel_fixture.h"
#include "chart/zoom.h"

namespace zelk::testing {
namespace {

using channels::kNotRecorded;
using testlogs::FrameLog;

class ComparisonTest : public ChannelTest {
 protected:
  // The second log, its channels decoded for `choice`, `offset` seconds later.
  channels::SecondLog Second(const std::string& text, const char* offset,
                             const channels::ByteChoice& choice = {}) {
    second_ = store::LogData();
    EXPECT_EQ(store::ReadLogText(text, second_).outcome, store::ReadOutcome::Loaded);
    secondChoice_ = choice;
    alignment_ = store::LogAlignment(store::LogTiming::Of(log_), store::LogTiming::Of(second_),
                                     store::ReadOffset(offset, {}).offset.value_or(0));
    return {second_, secondChannels_.Source(second_, ++logId_, secondChoice_), alignment_};
  }
  // Draws the second log over the graph on screen; gives the lines it adds.
  std::vector<chart::Line> DrawSecond(ChannelId id, const channels::SecondLog& second,
                                      long segments, const channels::ByteChoice& choice = {}) {
    const size_t before = lines().size();
    EXPECT_EQ(channels::DrawSecondLog(canvas_, *channels::ChannelOf(id), log_, choice, window_,
                                      view_, second),
              segments);
    return {lines().begin() + static_cast<long>(before), lines().end()};
  }

  store::LogData second_;
  channels::DecodedChannels secondChannels_;
  channels::ByteChoice secondChoice_;
  store::LogAlignment alignment_;
  unsigned long logId_ = 0;
};

// The first log runs from 0 to 10 s at 2000 rpm, 1050 twips a second; the
// second from 0 to 2 s, 0.4 s a sample, at 1000 and 3000 rpm in turn, so
// that where it is cut halfway between two samples it stands at 2000 rpm.
TEST_F(ComparisonTest, SecondLogIsDrawnAtItsTimesWithinItsSpanAndTheWindows) {
  const std::string first = TimeLog({{1, Texts(11, "2000")}});
  const std::string second = ShortTimeLog({{1, {"1000", "3000", "1000", "3000", "1000", "3000"}}});
  const struct {
    const char* offset;
    bool zoomed;  // on 2 to 4 s, 5250 twips a second
    long segments;
    float x1 = 0, x2 = 0;  // where the first segment starts, the last ends
    char cut = ' ';        // at the first segment's start or the last's end
  } cases[] = {
      {"+3", false, 5, 3700, 5800},
      {"-0.2", false, 5, 550, 2440, '<'},
      {"+9.4", false, 2, 10420, 11050, '>'},
      {"+1.6", true, 4, 550, 8950},
      {"+12", false, 0},
      {"-5", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    Show(ChannelId::EngineSpeed, first);
    if (c.zoomed) window_ = chart::SpanWindow(window_, 3, 5);
    const auto drawn = DrawSecond(ChannelId::EngineSpeed, Second(second, c.offset), c.segments);
    if (drawn.empty()) continue;
    EXPECT_EQ(drawn.front().x1, c.x1);
    EXPECT_EQ(drawn.back().x2, c.x2);
    // The first log's line follows the axes and the red line.
    if (c.cut != ' ') {
      EXPECT_EQ(c.cut == '<' ? drawn.front().y1 : drawn.back().y2, lines()[3].y1);
    }
    for (const chart::Line& line : drawn) EXPECT_EQ(line.colour, chart::Paler(chart::kBlack));
  }
}

// A series is drawn over another log's where it stands for the same
// quantity in the same unit.
TEST_F(ComparisonTest, SecondLogDrawsTheSeriesItSharesWithTheFirst) {
  const std::string time = TimeLog({{1, Texts(11, "900")}}), time5 = TimeLog({{1, Texts(5, "1")}});
  const std::string frames = FrameLog(30, {900}), short5 = ShortTimeLog({{1, Texts(5, "1")}});
  const channels::ByteChoice coolant = {1, 4, "Coolant Temp (C)"};
  const struct {
    ChannelId id;
    const std::string &first, second;
    channels::ByteChoice choice;
    long segments;
  } cases[] = {
      {ChannelId::Temperatures, time, FrameLog(5, {900}), {}, 12},  // with the fuel's
      {ChannelId::Temperatures, frames, time5, {}, 8},
      {ChannelId::Throttle, frames, time5, {}, 0},  // degrees, volts
      {ChannelId::Throttle, time, short5, {}, 4},
      {ChannelId::UserDefined, time, time5, coolant, 4},
      {ChannelId::UserDefined, time, short5, coolant, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    Show(c.id, c.first, c.choice);
    DrawSecond(c.id, Second(c.second, "0", c.choice), c.segments, c.choice);
  }
}

TEST_F(ComparisonTest, MarkerGivesBothLogsNumbersAndTheirDifference) {
  const std::string time =
      TimeLog({{5, Texts(6, "85.3")}, {7, Texts(6, "10")}, {9, Texts(6, "0.5")}});
  const std::string shortTime = ShortTimeLog({{2, Texts(6, "85.1")}, {4, Texts(6, "2.4")}});
  const std::string frames = FrameLogOf({}, {Frame7DWith({{2, "1E"}})});
  const struct {
    const std::string &first, second;
    const char* offset;
    long sample;
    std::optional<long> nearest;
    const char* secondTime;
    channels::ComparedValue value;
  } cases[] = {
      // clang-format off
      // 2 s on the first log's axis is 1 s from the second's start, between 0.8 and 1.2 s.
      {time, shortTime, "+1", 3, 3, "0:00.8", {"Coolant", "°C", "85.3", "85.1", "°C", "0.2"}},
      {time, shortTime, "+1", 3, 3, "0:00.8", {"Throttle", "V", "2.5", "2.4", "V", "0.1"}},
      {time, shortTime, "0", 1, 1, "0:00.0", {"Ignition advance", "°", "10", kNotRecorded, "°", ""}},
      {time, shortTime, "-3", 6, {}, "", {"Coolant", "°C", "85.3", kNotRecorded, "°C", ""}},
      {frames, time, "0", 1, 1, "0:00.0", {"Throttle", "°", "30", "2.5", "V", ""}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.quantity + " at " + c.offset);
    Show(ChannelId::EngineSpeed, c.first);
    channels::DecodedChannels firstChannels;
    const channels::ByteChoice none;
    const unsigned long firstId = ++logId_;
    const channels::ComparedSample at = channels::CompareAtMarker(
        log_, firstChannels.Source(log_, firstId, none), c.sample, Second(c.second, c.offset));
    EXPECT_EQ(at.secondSample, c.nearest);
    EXPECT_EQ(at.secondTime, c.secondTime);
    EXPECT_EQ(at.values.size(), firstChannels.At(log_, firstId, none, c.sample).size());
    const auto v = std::find_if(at.values.begin(), at.values.end(),
                                [&](const auto& v) { return v.quantity == c.value.quantity; });
    ASSERT_NE(v, at.values.end());
    EXPECT_EQ(*v, c.value);
  }
}

TEST_F(ComparisonTest, DataTableGivesTheSecondLogsNearestSampleBesideEachRow) {
  Show(ChannelId::Temperatures, TimeLog({{5, {"80", "81", "82", "83", "84"}}}));
  const auto csv = [&](const std::string& second) {
    return channels::ComparedDataCsv(*channels::ChannelOf(ChannelId::Temperatures), log_, tables_,
                                     {}, window_, Second(second, "+1"));
  };
  // The second log starts 1 s later and ends 2 s after that.
  EXPECT_EQ(csv(ShortTimeLog({{2, {"90", "91", "92", "93", "94", "95"}}})),
            "sample,minutes,log_time,coolant_c,intake_c,coolant_c_2,intake_c_2\n"
            "1,0.0000,1,80,0,,\n"
            "2,0.0167,2,81,0,90,0\n"
            "3,0.0333,3,82,0,92,0\n"
            "4,0.0500,4,83,0,95,0\n"
            "5,0.0667,5,84,0,,\n");
  const std::string frames = csv(FrameLog(5, {900}));
  EXPECT_EQ(frames.substr(0, frames.find('\n')),
            "sample,minutes,log_time,coolant_c,intake_c,coolant_c_2,intake_c_2,fuel_c_2");
}

}  // namespace
}  // namespace zelk::testing
