// Ignition advance: half degrees from -24 in a frame log, listed rounded half
// to even, with the window's average.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class IgnitionTest : public ChannelTest {};

std::string Advances(Texts values) { return TimeLog({{7, std::move(values)}}); }

const std::string kAdvance = "Raw Data - Ignition Advance\r\n";

TEST_F(IgnitionTest, RoundsHalfDegreesToEvenAndAveragesTheWindow) {
  // clang-format off
  const Decoded cases[] = {
      // A byte that cannot be read stands for 0°, not -24°.
      {"frame log", FramesWith(0, 22, "40 41 42 43 30 20 FF 00 zz - 44"),
       " 8| 8| 9| 10| 0|-8| 104|-24| 0| 0| 10", kAdvance + "08° 08° 09° 10° 00° 08° 104° 24° 00° 00° ",
       {3040, 3040, 2920, 2800, 4000, 4960, -8480, 6880, 4000, 4000},
       "Average Advance = 10.7°"},  // 107 over the window's 10 samples
      {"\"Time\" log: summed unrounded, listed rounded to even",
       Advances({"12.5", "0.5", "-0.5", "1.5", "0"}), "12.5|0.5|-0.5|1.5|0",
       kAdvance + "12° 00° 00° 02° ", {2500, 3940, 4060, 3820}, "Average Advance = 3.5°"},
      {"\"#time\" log", ShortTimeLog({{1, {"900", "900", "900"}}}), "N/A|N/A|N/A",
       "Ignition Advance not supported by Quillon", {4000, 4000}},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(ChannelId::Ignition, c);

  // clang-format off
  const std::pair<const char*, std::string> averages[] = {
      {"-0.3°", Advances({"-1", "0", "0", "0", "0"})},    // a quarter away from zero
      {"0.0°", Advances({"-0.1", "0", "0", "0", "0"})},   // no minus sign on zero
      {"0.2°", Advances({"0.6", "0", "0", "0", "0"})},    // a half as shown, not as held
      {"0.0°", TimeLog({})},                              // a log without samples
  };
  // clang-format on
  for (const auto& [average, log] : averages) {
    Show(ChannelId::Ignition, log);
    EXPECT_EQ(view_.average, "Average Advance = " + std::string(average)) << average;
  }
  EXPECT_EQ(view_.text, kAdvance);
  EXPECT_EQ(lines().size(), 2u);  // nothing drawn without samples
}

}  // namespace
}  // namespace zelk::testing
