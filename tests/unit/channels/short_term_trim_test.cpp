// Short-term fuel trim: percent around 100, averaged over raw values above 70.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class ShortTermTrimTest : public ChannelTest {};

std::string Trims(Texts values) { return TimeLog({{14, std::move(values)}}); }

const std::string kTrim = "Raw Data - Short Term Fuel Trim (STFT) - %\r\n";

TEST_F(ShortTermTrimTest, AveragesOnlyRawValuesAbove70) {
  // clang-format off
  const Decoded cases[] = {
      {"frame log, 70 left out and 71 counted", FramesWith(1, 12, "64 00 68 60 46 47 64"),
       "100|0|104|96|70|71|100", kTrim + "100 00 104 96 70 71 ",
       {2150, 13150, 1710, 2590, 5450, 5340}, "Average STFT = -7.3%"},
      {"frame log, nothing to average", FramesWith(1, 12, "05 zz - 46 64"), "5|0|0|70|100",
       kTrim + "05 00 00 70 ", {12600, 13150, 13150, 5450}, "Average STFT = 0.0%"},
      {"\"Time\" log, raw values rounded half to even", Trims({"101.5", "99", "70.5", "80", "100"}),
       "101.5|99|70.5|80|100", kTrim + "102 99 70 80 ", {1985, 2260, 5395, 4350},
       "Average STFT = -6.3%"},
      {"\"#time\" log keeps no trim", ShortTimeLog({{1, {"900", "900", "900"}}}), "||",
       "Short Term Fuel Trim (STFT) not supported by Quillon", {13150, 13150}},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(ChannelId::ShortTermTrim, c);

  Texts trims(21, "100");
  trims[0] = "97";  // -3 over 20 samples
  Show(ChannelId::ShortTermTrim, Trims(trims));
  EXPECT_EQ(view_.average, "Average STFT = -0.2%");
  Show(ChannelId::ShortTermTrim, TimeLog({}));
  EXPECT_EQ(view_.average, "Average STFT = 0.0%");
}

}  // namespace
}  // namespace zelk::testing
