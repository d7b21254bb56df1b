// The battery voltage: whole volts with a tenth, drawn from 10.6 V up.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class BatteryTest : public ChannelTest {};

TEST_F(BatteryTest, ListsWholeVoltsWithATenthAndDrawsFrom10_6) {
  const std::string heading = "Raw Data - Battery Voltage\r\n";
  // clang-format off
  const Decoded cases[] = {
      {"frame log", FramesWith(0, 8, "7E 82 64 05 FF 00 6a G0 8C"),
       " 12.6| 13.0| 10| .5| 25.5| 0| 10.6| 0| 14.0", heading + "12.6V 13.0V  10V  .5V 25.5V  0V 10.6V  0V ",
       {2400, 2080, 4480, 12080, -7920, 12480, 4000, 12480}, {},
       " 12.6| 13| 10| .5| 25.5| 0| 10.6| 0| 14"},
      {"\"Time\" log: column texts carry no blank, so whole volts stay as they are",
       TimeLog({{10, {"13.52", "12", "11.0", "9.8", "14"}}}), "13.52|12|11|9.8|14",
       heading + "3.52V 12V 11V 9.8V ", {1664, 2880, 3680, 4640}},
      {"\"#time\" log", ShortTimeLog({{7, {"12.6", "abc", "-1", "13"}}}), "12.6|abc|-1|13",
       heading + "12.6V abcV -1V ", {2400, 12480, 13280}},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(ChannelId::Battery, c);
}

}  // namespace
}  // namespace zelk::testing
