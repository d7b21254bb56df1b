// The fuel loop status and the manifold pressure.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class LevelChannelsTest : public ChannelTest {};

std::string Loop7D(const std::string& b10) { return Frame7DWith({{10, b10}}); }
std::string Pressure80(const std::string& b7) { return Frame80With({{7, b7}}); }

TEST_F(LevelChannelsTest, LoopListsTheLastDigitOfEachStatus) {
  const Decoded cases[] = {
      {"frame log",
       FrameLogOf({}, {Loop7D("00"), Loop7D("00"), Loop7D("01"), Loop7D("01"), Loop7D("10"),
                       Loop7D("g0"), Loop7D("01")}),
       {" 0", " 0", " 1", " 1", " 16", " 0", " 1"},
       "Raw Data - ECU Fuel Loop Status\r\n0 0 1 1 6 0 ",
       {4000, 4000, 1000, 1000, -44000, 4000}},
      {"\"Time\" log: an empty text lists as a blank",
       TimeLog({{12, {"1", "", "0", "1"}}}),
       {"1", "", "0", "1"},
       "Raw Data - ECU Fuel Loop Status\r\n1  0 ",
       {1000, 4000, 4000}},
      {"\"#time\" log",
       ShortTimeLog({{9, {"1", "2.5", "0"}}}),
       {"1", "2.5", "0"},
       "Raw Data - ECU Fuel Loop Status\r\n1 5 ",
       {1000, -3500}},
  };
  for (const auto& c : cases) ExpectDecoded("LoopButton", c);
}

TEST_F(LevelChannelsTest, ManifoldPlotsKilopascalsAndListsWholePsi) {
  const Decoded cases[] = {
      {"frame log",
       FrameLogOf({Pressure80("23"), Pressure80("64"), Pressure80("1E"), Pressure80("6E"),
                   Pressure80("00"), Pressure80("FF"), Pressure80("1e"), Pressure80("?x"),
                   Pressure80("65")},
                  {}),
       {"35", "100", "30", "110", "0", "255", "30", "0", "101"},
       "Raw Data - Manifold Absolute Pressure (MAP) - PSI\r\n05 15 04 16 00 38 04 00 ",
       {2850, 900, 3000, 600, 3900, -3750, 3000, 3900}},
      {"\"Time\" log",
       TimeLog({{6, {"101", "12.5", "0"}}}),
       {"101", "12.5", "0"},
       "Raw Data - Manifold Absolute Pressure (MAP) - PSI\r\n15 02 ",
       {870, 3525}},
      {"\"#time\" log",
       ShortTimeLog({{5, {"abc", "66.7", "0"}}}),
       {"abc", "66.7", "0"},
       "Raw Data - Manifold Absolute Pressure (MAP) - PSI\r\n00 10 ",
       {3900, 1899}},
  };
  for (const auto& c : cases) ExpectDecoded("MAPButton", c);
}

}  // namespace
}  // namespace zelk::testing
