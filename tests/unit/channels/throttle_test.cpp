// The throttle: degrees on frame logs, potentiometer volts on column logs.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class ThrottleTest : public ChannelTest {};

TEST_F(ThrottleTest, HasAFaceForEachKindOfLog) {
  // clang-format off
  const Decoded cases[] = {
      {"frame log: degrees, listed by their last two digits", FramesWith(1, 2, "2D 05 78 00 zz ff 2D"),
       " 45| 5| 120| 0| 0| 255| 45",
       "Raw Data - Throttle Position Sensor (TPS)\r\n45°  5° 20°  0°  0° 55° ",
       {2200, 3800, -800, 4000, 4000, -6200}},
      {"\"Time\" log: volts / 0.2, a text that is no number as 0",
       TimeLog({{9, {"0.9", "0.8", "abc", "", "1", "0.25", "0.000001", "0.3"}}}),
       "4.5|4.00|0.00|0.00|5.00|1.25|0.000005|1.5",
       "Raw Data - Throttle Potentiometer Voltage\r\n4.5V 4.00V 0.00V 0.00V 5.00V 1.25V 0.000005V ",
       {1950, 2100, 3300, 3300, 1800, 2925, 3299.9985}},
      {"\"#time\" log: listed texts widened in the table, the plotted ones kept",
       ShortTimeLog({{4, {"4.5", "1", "2", "0.0", "1.25", "4.5"}}}), "4.50|1.00|2|0|1.25|4.5",
       "Raw Data - Throttle Potentiometer Voltage\r\n4.50V 1.00V 2V 0V 1.25V ",
       {2450, 3500, 3200, 3800, 3425}, {}, "4.5|1|2|0|1.25|4.5"},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(ChannelId::Throttle, c);
}

}  // namespace
}  // namespace zelk::testing
