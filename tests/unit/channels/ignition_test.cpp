// The channels with an average line: ignition advance and short-term trim.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class AveragedChannelsTest : public ChannelTest {};

std::string Advance80(const std::string& b22) { return Frame80With({{22, b22}}); }
std::string Trim7D(const std::string& b12) { return Frame7DWith({{12, b12}}); }
std::string Advances(std::vector<std::string> values) { return TimeLog({{7, std::move(values)}}); }
std::string Trims(std::vector<std::string> values) { return TimeLog({{14, std::move(values)}}); }

const char* const kAdvance = "Raw Data - Ignition Advance\r\n";
const char* const kTrim = "Raw Data - Short Term Fuel Trim (STFT) - %\r\n";

TEST_F(AveragedChannelsTest, IgnitionRoundsHalfDegreesToEvenAndAveragesTheWindow) {
  const Decoded cases[] = {
      // Byte 22 of the 0x80 frame in half degrees from -24°; a byte that
      // cannot be read stands for 0°, not -24°.
      {"frame log",
       FrameLogOf({Advance80("40"), Advance80("41"), Advance80("42"), Advance80("43"),
                   Advance80("30"), Advance80("20"), Advance80("FF"), Advance80("00"),
                   Advance80("zz"), kShort80, Advance80("44")},
                  {}),
       {" 8", " 8", " 9", " 10", " 0", "-8", " 104", "-24", " 0", " 0", " 10"},
       std::string(kAdvance) + "08° 08° 09° 10° 00° 08° 104° 24° 00° 00° ",
       {3040, 3040, 2920, 2800, 4000, 4960, -8480, 6880, 4000, 4000},
       "Average Advance = 10.7°"},  // 107 over the window's 10 samples
      {"\"Time\" log: summed unrounded, listed rounded to even",
       Advances({"12.5", "0.5", "-0.5", "1.5", "0"}),
       {"12.5", "0.5", "-0.5", "1.5", "0"},
       std::string(kAdvance) + "12° 00° 00° 02° ",
       {2500, 3940, 4060, 3820},
       "Average Advance = 3.5°"},
      {"\"#time\" log",
       ShortTimeLog({{1, {"900", "900", "900"}}}),
       {"N/A", "N/A", "N/A"},
       "Ignition Advance not supported by Quillon",
       {4000, 4000}},
  };
  for (const auto& c : cases) ExpectDecoded("IgnitionButton", c);

  const struct {
    const char* what;
    std::string log;
    std::string average;
  } averages[] = {
      {"a quarter away from zero", Advances({"-1", "0", "0", "0", "0"}), "-0.3°"},
      {"no minus sign on zero", Advances({"-0.1", "0", "0", "0", "0"}), "0.0°"},
      {"a half as shown, not as held", Advances({"0.6", "0", "0", "0", "0"}), "0.2°"},
      {"a log without samples", TimeLog({}), "0.0°"},
  };
  for (const auto& c : averages) {
    SCOPED_TRACE(c.what);
    Show(c.log, "IgnitionButton");
    EXPECT_TRUE(state("FuelAverageText").visible);
    EXPECT_EQ(state("FuelAverageText").caption, "Average Advance = " + c.average);
  }
  EXPECT_EQ(state("Text").caption, kAdvance);
  EXPECT_EQ(lines().size(), 2u);  // nothing drawn without samples
}

TEST_F(AveragedChannelsTest, TrimAveragesOnlyRawValuesAbove70) {
  const Decoded cases[] = {
      {"frame log, 70 left out and 71 counted",
       FrameLogOf({}, {Trim7D("64"), Trim7D("00"), Trim7D("68"), Trim7D("60"), Trim7D("46"),
                       Trim7D("47"), Trim7D("64")}),
       {"100", "0", "104", "96", "70", "71", "100"},
       std::string(kTrim) + "100 00 104 96 70 71 ",
       {2150, 13150, 1710, 2590, 5450, 5340},
       "Average STFT = -7.3%"},
      {"frame log, nothing to average",
       FrameLogOf({}, {Trim7D("05"), Trim7D("zz"), kShort7D, Trim7D("46"), Trim7D("64")}),
       {"5", "0", "0", "70", "100"},
       std::string(kTrim) + "05 00 00 70 ",
       {12600, 13150, 13150, 5450},
       "Average STFT = 0.0%"},
      {"\"Time\" log, raw values rounded half to even",
       Trims({"101.5", "99", "70.5", "80", "100"}),
       {"101.5", "99", "70.5", "80", "100"},
       std::string(kTrim) + "102 99 70 80 ",
       {1985, 2260, 5395, 4350},
       "Average STFT = -6.3%"},
      {"\"#time\" log keeps no trim",
       ShortTimeLog({{1, {"900", "900", "900"}}}),
       {"", "", ""},
       "Short Term Fuel Trim (STFT) not supported by Quillon",
       {13150, 13150}},
  };
  for (const auto& c : cases) ExpectDecoded("STFTButton", c);

  std::vector<std::string> trims(21, "100");
  trims[0] = "97";  // -3 over 20 samples
  Show(Trims(trims), "STFTButton");
  EXPECT_EQ(state("FuelAverageText").caption, "Average STFT = -0.2%");
  Show(TimeLog({}), "STFTButton");
  EXPECT_TRUE(state("FuelAverageText").visible);
  EXPECT_EQ(state("FuelAverageText").caption, "Average STFT = 0.0%");
}

}  // namespace
}  // namespace zelk::testing
