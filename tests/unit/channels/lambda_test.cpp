// The lambda sensor's voltage, and its status series on frame logs.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class LambdaTest : public ChannelTest {};

std::string Lambda7D(const std::string& volts, const std::string& status) {
  return Frame7DWith({{6, volts}, {9, status}});
}

TEST_F(LambdaTest, LeavesOutSegmentsEndingTooHigh) {
  // 0xFF is 1.275 V at y 175: its segment is left out, the next one starts
  // there. Status 2 lies at y -2000, left out the same way.
  const Decoded frame = {
      "frame log",
      FrameLogOf({}, {Lambda7D("57", "00"), Lambda7D("FF", "01"), Lambda7D("fd", "01"),
                      Lambda7D("01", "00"), Lambda7D("q1", "02"), kShort7D, Lambda7D("C8", "00")}),
      " .435| 1.275| 1.265| .005| 0| 0| 1",
      "Raw Data - Lambda (Oxygen Sensor) Voltage\r\n0.43 1.27 1.26 0.00 0.00 0.00 ",
      {2695, 205, 3985, 4000, 4000}};
  ExpectDecoded(ChannelId::Lambda, frame);
  ASSERT_EQ(lines().size(), 14u);
  EXPECT_EQ(lines()[3].y1, 175);
  EXPECT_EQ(lines()[3].x1, 550 + 2 * 2100);
  EXPECT_EQ(TextsOf(tables_.plot[1], 6), (Texts{" 0", " 1", " 1", " 0", " 2", " 0"}));
  EXPECT_EQ(EndYs(7, 5), (Ys{4000, 1000, 1000, 4000, 4000}));
  EXPECT_EQ(lines()[7], (chart::Line{550, 4000, 2650, 4000, chart::kGreen, 2}));
  EXPECT_EQ(lines()[11].y1, -2000);
  EXPECT_EQ(lines()[12], (chart::Line{3300, 510, 3900, 510, chart::kBlack, 3}));
  EXPECT_EQ(lines()[13], (chart::Line{4400, 510, 5000, 510, chart::kGreen, 3}));
  EXPECT_EQ(view_.startY[1], 4000);

  const Decoded columns[] = {
      {"\"Time\" log in millivolts",
       TimeLog({{13, {"450", "1000", "1300", "abc", "0.004", "0"}}}),
       "0.45|1|1.3|0|0.000004|0",
       "Raw Data - Lambda (Oxygen Sensor) Voltage\r\n0.45 1.00 1.30 0.00 0.00 ",
       {2650, 1000, 4000, 3999.988}},
      {"\"#time\" log in tenths of millivolts",
       ShortTimeLog({{10, {"4500", "12750", "0.05", "7"}}}),
       "0.45|1.275|0.000005|0.0007",
       "Lambda (Oxygen Sensor) Voltage not supported by Quillon",
       {2650, 3999.985}},
  };
  for (const auto& c : columns) {
    ExpectDecoded(ChannelId::Lambda, c);
    EXPECT_EQ(lines().size(), 2 + c.ys.size());  // no status series, no legend
  }
}

}  // namespace
}  // namespace zelk::testing
