// The channels that read off volts or an angle: battery, lambda and throttle.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class VoltChannelsTest : public ChannelTest {};

std::string Battery80(const std::string& b8) { return Frame80With({{8, b8}}); }

TEST_F(VoltChannelsTest, BatteryListsWholeVoltsWithATenthAndDrawsFrom10_6) {
  const Decoded cases[] = {
      {"frame log",
       FrameLogOf(
           {Battery80("7E"), Battery80("82"), Battery80("64"), Battery80("05"), Battery80("FF"),
            Battery80("00"), Battery80("6a"), Battery80("G0"), Battery80("8C")},
           {}),
       {" 12.6", " 13.0", " 10", " .5", " 25.5", " 0", " 10.6", " 0", " 14.0"},
       "Raw Data - Battery Voltage\r\n12.6V 13.0V  10V  .5V 25.5V  0V 10.6V  0V ",
       {2400, 2080, 4480, 12080, -7920, 12480, 4000, 12480},
       {},
       {" 12.6", " 13", " 10", " .5", " 25.5", " 0", " 10.6", " 0", " 14"}},
      {"\"Time\" log: column texts carry no blank, so whole volts stay as they are",
       TimeLog({{10, {"13.52", "12", "11.0", "9.8", "14"}}}),
       {"13.52", "12", "11", "9.8", "14"},
       "Raw Data - Battery Voltage\r\n3.52V 12V 11V 9.8V ",
       {1664, 2880, 3680, 4640}},
      {"\"#time\" log",
       ShortTimeLog({{7, {"12.6", "abc", "-1", "13"}}}),
       {"12.6", "abc", "-1", "13"},
       "Raw Data - Battery Voltage\r\n12.6V abcV -1V ",
       {2400, 12480, 13280}},
  };
  for (const auto& c : cases) ExpectDecoded("BatteryButton", c);
}

std::string Lambda7D(const std::string& volts, const std::string& status) {
  return Frame7DWith({{6, volts}, {9, status}});
}

TEST_F(VoltChannelsTest, LambdaLeavesOutSegmentsEndingTooHigh) {
  // 0xFF is 1.275 V at y 175: its segment is left out, the next one starts
  // there. Status 2 lies at y -2000, left out the same way.
  const Decoded frame = {
      "frame log",
      FrameLogOf({}, {Lambda7D("57", "00"), Lambda7D("FF", "01"), Lambda7D("fd", "01"),
                      Lambda7D("01", "00"), Lambda7D("q1", "02"), kShort7D, Lambda7D("C8", "00")}),
      {" .435", " 1.275", " 1.265", " .005", " 0", " 0", " 1"},
      "Raw Data - Lambda (Oxygen Sensor) Voltage\r\n0.43 1.27 1.26 0.00 0.00 0.00 ",
      {2695, 205, 3985, 4000, 4000}};
  ExpectDecoded("LambdaButton", frame);
  ASSERT_EQ(lines().size(), 14u);
  EXPECT_EQ(lines()[3].y1, 175);
  EXPECT_EQ(lines()[3].x1, 550 + 2 * 2100);
  EXPECT_EQ(Texts(page().ChannelTables().plot[1], 6),
            (std::vector<std::string>{" 0", " 1", " 1", " 0", " 2", " 0"}));
  EXPECT_EQ(EndYs(7, 5), (std::vector<float>{4000, 1000, 1000, 4000, 4000}));
  EXPECT_EQ(lines()[7], (chart::Line{550, 4000, 2650, 4000, chart::kGreen, 2}));
  EXPECT_EQ(lines()[11].y1, -2000);
  EXPECT_EQ(lines()[12], (chart::Line{3300, 510, 3900, 510, chart::kBlack, 3}));
  EXPECT_EQ(lines()[13], (chart::Line{4400, 510, 5000, 510, chart::kGreen, 3}));
  EXPECT_EQ(vars().graph.startY[1], 4000);

  const Decoded columns[] = {
      {"\"Time\" log in millivolts",
       TimeLog({{13, {"450", "1000", "1300", "abc", "0.004", "0"}}}),
       {"0.45", "1", "1.3", "0", "0.000004", "0"},
       "Raw Data - Lambda (Oxygen Sensor) Voltage\r\n0.45 1.00 1.30 0.00 0.00 ",
       {2650, 1000, 4000, 3999.988}},
      {"\"#time\" log in tenths of millivolts",
       ShortTimeLog({{10, {"4500", "12750", "0.05", "7"}}}),
       {"0.45", "1.275", "0.000005", "0.0007"},
       "Lambda (Oxygen Sensor) Voltage not supported by Quillon",
       {2650, 3999.985}},
  };
  for (const auto& c : columns) {
    ExpectDecoded("LambdaButton", c);
    EXPECT_EQ(lines().size(), 2 + c.ys.size());  // no status series, no legend
  }
}

std::string Throttle7D(const std::string& b2) { return Frame7DWith({{2, b2}}); }

TEST_F(VoltChannelsTest, ThrottleHasAFaceForEachKindOfLog) {
  const Decoded cases[] = {
      {"frame log: degrees, listed by their last two digits",
       FrameLogOf({}, {Throttle7D("2D"), Throttle7D("05"), Throttle7D("78"), Throttle7D("00"),
                       Throttle7D("zz"), Throttle7D("ff"), Throttle7D("2D")}),
       {" 45", " 5", " 120", " 0", " 0", " 255", " 45"},
       "Raw Data - Throttle Position Sensor (TPS)\r\n45°  5° 20°  0°  0° 55° ",
       {2200, 3800, -800, 4000, 4000, -6200}},
      {"\"Time\" log: volts / 0.2, a text that is no number as 0",
       TimeLog({{9, {"0.9", "0.8", "abc", "", "1", "0.25", "0.000001", "0.3"}}}),
       {"4.5", "4.00", "0.00", "0.00", "5.00", "1.25", "0.000005", "1.5"},
       "Raw Data - Throttle Potentiometer Voltage\r\n4.5V 4.00V 0.00V 0.00V 5.00V 1.25V 0.000005V ",
       {1950, 2100, 3300, 3300, 1800, 2925, 3299.9985}},
      {"\"#time\" log: listed texts widened in the table, the plotted ones kept",
       ShortTimeLog({{4, {"4.5", "1", "2", "0.0", "1.25", "4.5"}}}),
       {"4.50", "1.00", "2", "0", "1.25", "4.5"},
       "Raw Data - Throttle Potentiometer Voltage\r\n4.50V 1.00V 2V 0V 1.25V ",
       {2450, 3500, 3200, 3800, 3425},
       {},
       {"4.5", "1", "2", "0", "1.25", "4.5"}},
  };
  for (const auto& c : cases) ExpectDecoded("ThrottleButton", c);
}

}  // namespace
}  // namespace zelk::testing
