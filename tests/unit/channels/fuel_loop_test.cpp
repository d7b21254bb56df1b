// The fuel loop status: open or closed, listed by its last digit.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class FuelLoopTest : public ChannelTest {};

TEST_F(FuelLoopTest, ListsTheLastDigitOfEachStatus) {
  const std::string heading = "Raw Data - ECU Fuel Loop Status\r\n";
  // clang-format off
  const Decoded cases[] = {
      {"frame log", FramesWith(1, 10, "00 00 01 01 10 g0 01"), " 0| 0| 1| 1| 16| 0| 1",
       heading + "0 0 1 1 6 0 ", {4000, 4000, 1000, 1000, -44000, 4000}},
      {"\"Time\" log: an empty text lists as a blank", TimeLog({{12, {"1", "", "0", "1"}}}),
       "1||0|1", heading + "1  0 ", {1000, 4000, 4000}},
      {"\"#time\" log", ShortTimeLog({{9, {"1", "2.5", "0"}}}), "1|2.5|0", heading + "1 5 ",
       {1000, -3500}},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(ChannelId::FuelLoop, c);
}

}  // namespace
}  // namespace zelk::testing
