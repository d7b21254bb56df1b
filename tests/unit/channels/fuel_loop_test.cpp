// The fuel loop status: open or closed, listed by its last digit.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class FuelLoopTest : public ChannelTest {};

std::string Loop7D(const std::string& b10) { return Frame7DWith({{10, b10}}); }

TEST_F(FuelLoopTest, ListsTheLastDigitOfEachStatus) {
  const std::string heading = "Raw Data - ECU Fuel Loop Status\r\n";
  const Decoded cases[] = {
      {"frame log",
       FrameLogOf({}, {Loop7D("00"), Loop7D("00"), Loop7D("01"), Loop7D("01"), Loop7D("10"),
                       Loop7D("g0"), Loop7D("01")}),
       {" 0", " 0", " 1", " 1", " 16", " 0", " 1"},
       heading + "0 0 1 1 6 0 ",
       {4000, 4000, 1000, 1000, -44000, 4000}},
      {"\"Time\" log: an empty text lists as a blank",
       TimeLog({{12, {"1", "", "0", "1"}}}),
       {"1", "", "0", "1"},
       heading + "1  0 ",
       {1000, 4000, 4000}},
      {"\"#time\" log", ShortTimeLog({{9, {"1", "2.5", "0"}}}), {"1", "2.5", "0"},
       heading + "1 5 ", {1000, -3500}},
  };
  for (const auto& c : cases) ExpectDecoded(ChannelId::FuelLoop, c);
}

}  // namespace
}  // namespace zelk::testing
