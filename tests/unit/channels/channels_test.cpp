// What each channel puts around its graph: title, value-axis labels, scale,
// base line, limit line and average box, for the kinds of log where they differ.
#include <algorithm>
#include <array>

#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class ChannelFaceTest : public ChannelTest {};

TEST_F(ChannelFaceTest, EachChannelFramesItsGraph) {
  const std::string frames = testlogs::FrameLog(5, {900});
  const std::string time = TimeLog({{1, {"900", "900", "900", "900"}}});
  const std::string shortTime = ShortTimeLog({{1, {"900", "900", "900", "900"}}});
  using L = std::array<const char*, 7>;
  const L celsius = {"00°", "20°", "40°", "60°", "80°", "100°", "120°"};
  const L battery = {" 10V", " 11V", " 12V", " 13V", " 14V", " 15V", " 16V"};
  const L advance = {" +0°", " +5°", " +10°", " +15°", " +20°", " +25°", " +30°"};
  const L lambda = {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2"};
  const L loop = {"Open", " ", " ", " ", " ", "Closed", " "};
  const L throttle = {"00°", "15°", "30°", "45°", "60°", "75°", "90°"};
  const L volts = {"0.0V", "1.0V", "2.0V", "3.0V", "4.0V", "5.0V", "6.0V"};
  const L psi = {" 0psi", " 3psi", " 6psi", " 9psi", "12psi", "15psi", "18psi"};
  const L trim = {"-15%", "-10%", "-5%", "0%", "+5%", "+10%", "+15%"};
  const struct {
    const char* button;
    const std::string& log;
    int number;
    double scale;
    int baseLine;
    float limitY;  // 0: no limit line
    bool average;
    const L& labels;
    std::string title;
  } cases[] = {
      {"TemperatureButton", frames, 2, 30, 3900, 1000, false, celsius,
       "Temperatures (°C)          Coolant                Intake                Fuel"},
      {"TemperatureButton", time, 2, 30, 3900, 1000, false, celsius,
       "Temperatures (°C)          Coolant                Intake"},
      {"BatteryButton", frames, 3, 800, 4000, 0, false, battery, "Battery Voltage"},
      {"IgnitionButton", frames, 4, 120, 4000, 0, true, advance, "Ignition Advance(°)"},
      {"IgnitionButton", shortTime, 4, 120, 4000, 0, false, advance, "Ignition Advance(°)"},
      {"LambdaButton", frames, 5, 3000, 4000, 0, false, lambda,
       "Lambda (Oxygen) Sensor         Voltage           Status"},
      {"LambdaButton", time, 5, 3000, 4000, 0, false, lambda, "Lambda (Oxygen) Sensor (Volts)"},
      {"LoopButton", frames, 6, 3000, 4000, 0, false, loop, "ECU Fuel Loop Status (Open/Closed)"},
      {"ThrottleButton", frames, 7, 40, 3400, 0, false, throttle, "Throttle Position Sensor(°)"},
      {"ThrottleButton", time, 7, 300, 2700, 0, false, volts, "Throttle Pot Voltage"},
      {"ThrottleButton", shortTime, 7, 300, 3200, 0, false, volts, "Throttle Pot Voltage"},
      {"MAPButton", frames, 9, 30, 3900, 0, false, psi,
       "Inlet Manifold Pressure (MAP)(Pounds/sq inch)"},
      {"STFTButton", frames, 10, 110, 13150, 0, true, trim, "Short Term Fuel Trim (STFT)(%)"},
      {"STFTButton", shortTime, 10, 110, 13150, 0, false, trim, "Short Term Fuel Trim (STFT)(%)"},
  };
  const int tops[] = {3900, 3280, 2660, 2040, 1420, 800, 180};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button + (" " + c.log.substr(0, 5)));
    Show(c.log, c.button);
    EXPECT_EQ(static_cast<int>(vars().graph.channel), c.number);
    EXPECT_EQ(state("ScreenTitle").caption, c.title);
    EXPECT_EQ(state("ScreenTitle").top, 120);
    for (int k = 0; k < 7; ++k) {
      EXPECT_EQ(state("Label", k).caption, c.labels[k]) << k;
      EXPECT_EQ(state("Label", k).top, tops[k]) << k;
    }
    EXPECT_EQ(vars().graph.valueScale, c.scale);
    EXPECT_EQ(vars().graph.baseLine, c.baseLine);
    ASSERT_GE(lines().size(), 3u);
    EXPECT_EQ(lines()[1], (chart::Line{550, 4000, 11200, 4000, chart::kBlue, 1}));
    const auto red = std::count_if(lines().begin(), lines().end(),
                                   [](const chart::Line& l) { return l.colour == chart::kRed; });
    EXPECT_EQ(red, c.limitY ? 1 : 0);
    if (c.limitY) {
      EXPECT_EQ(lines()[2], (chart::Line{550, c.limitY, 11200, c.limitY, chart::kRed, 2}));
    }
    EXPECT_EQ(state("FuelAverageText").visible, c.average);
  }
}

}  // namespace
}  // namespace zelk::testing
