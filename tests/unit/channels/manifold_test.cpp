// The manifold pressure: plotted in kilopascals, listed and read off in psi.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class ManifoldTest : public ChannelTest {};

TEST_F(ManifoldTest, PlotsKilopascalsAndListsWholePsi) {
  const std::string heading = "Raw Data - Manifold Absolute Pressure (MAP) - PSI\r\n";
  // clang-format off
  const Decoded cases[] = {
      {"frame log", FramesWith(0, 7, "23 64 1E 6E 00 FF 1e ?x 65"), "35|100|30|110|0|255|30|0|101",
       heading + "05 15 04 16 00 38 04 00 ", {2850, 900, 3000, 600, 3900, -3750, 3000, 3900}},
      {"\"Time\" log", TimeLog({{6, {"101", "12.5", "0"}}}), "101|12.5|0", heading + "15 02 ",
       {870, 3525}},
      {"\"#time\" log", ShortTimeLog({{5, {"abc", "66.7", "0"}}}), "abc|66.7|0",
       heading + "00 10 ", {3900, 1899}},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(ChannelId::Manifold, c);

  // The read-off is in psi; a pressure that is no number reads off empty.
  for (const auto& [stored, value] : {std::pair{"101", "15.15"}, {"abc", ""}}) {
    Show(ChannelId::Manifold, TimeLog({{6, {stored, stored}}}));
    EXPECT_EQ(channels::ReadOff(*channels::ChannelOf(ChannelId::Manifold), log_, tables_, 1),
              value);
  }
}

}  // namespace
}  // namespace zelk::testing
