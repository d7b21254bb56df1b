// The temperatures channel: three series from a frame log, two from a column
// log, on the Celsius or the Fahrenheit face chosen by the last coolant value.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class TemperaturesTest : public ChannelTest {};

TEST_F(TemperaturesTest, FrameLogDrawsCoolantIntakeAndFuelWithTheirLegend) {
  // Bytes 3, 5 and 6 of the 0x80 frame, less 55: upper and lower case,
  // 00 and FF, a frame too short for them and bytes that are no hexadecimal.
  const Decoded c = {"frame log",
                     FrameLogOf({Frame80With({{3, "8C"}, {5, "50"}, {6, "4B"}}),
                                 Frame80With({{3, "00"}, {5, "00"}, {6, "FF"}}),
                                 Frame80With({{3, "3e"}, {5, "41"}, {6, "4b"}}), kShort80,
                                 Frame80With({{3, "ZZ"}, {5, "G5"}, {6, "4B"}})},
                                {}),
                     "85|-55|7|0|0",
                     "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n85° 55°  7°  0° ",
                     {1350, 5550, 3690, 3900}};
  ExpectDecoded(ChannelId::Temperatures, c, 3);
  EXPECT_EQ(TextsOf(tables_.plot[1], 5), (Texts{" 25", "-55", " 10", " 0", " 0"}));
  EXPECT_EQ(TextsOf(tables_.plot[2], 5), (Texts{" 20", " 200", " 20", " 0", " 20"}));
  ASSERT_EQ(lines().size(), 18u);
  EXPECT_EQ(lines()[3], (chart::Line{550, 1350, 4050, 1350, chart::kBlack, 2}));
  EXPECT_EQ(lines()[6].x2, 14550);  // 10500 / 3 a sample
  EXPECT_EQ(EndYs(7, 4), (Ys{3150, 5550, 3600, 3900}));
  EXPECT_EQ(lines()[7].colour, chart::kGreen);
  EXPECT_EQ(lines()[11], (chart::Line{2800, 520, 3400, 520, chart::kBlack, 2}));
  EXPECT_EQ(lines()[12], (chart::Line{4100, 520, 4700, 520, chart::kGreen, 2}));
  EXPECT_EQ(EndYs(13, 4), (Ys{3300, -2100, 3300, 3900}));
  EXPECT_EQ(lines()[13], (chart::Line{550, 3300, 4050, 3300, chart::kMagenta, 2}));
  EXPECT_EQ(lines()[17], (chart::Line{5400, 520, 5800, 520, chart::kMagenta, 2}));
  EXPECT_EQ(view_.startY, (std::array<std::optional<double>, 3>{1350, 3150, 3300}));
}

TEST_F(TemperaturesTest, CoolantAtTheWindowsEndChoosesTheFace) {
  // Column logs keep their texts as stored; the fuel series is not drawn.
  const struct {
    const char* what;
    std::string log;
    bool fahrenheit;
    std::string listing;
    Ys coolantYs, intakeYs;
    const char* fuel;
  } cases[] = {
      // clang-format off
      {"120 is still Celsius", TimeLog({{5, {"50", "120", "0"}}, {8, {"20", "30", "40"}}}), false,
       "50° 120° ", {2400, 300}, {3300, 3000}, "30"},
      {"121 is Fahrenheit", TimeLog({{5, {"-10", "121", "0"}}, {8, {"20", "-5", "40"}}}), true,
       "10° 121° ", {4060, 1964}, {3580, 3980}, "-5"},
      {"a fraction above 120", ShortTimeLog({{2, {"85.5", "120.4", "5"}}, {3, {"7", "abc", "1"}}}),
       true, "86° 120° ", {2532, 1973.6f}, {3788, 3900}, "0"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Show(ChannelId::Temperatures, c.log);
    const char* face = c.fahrenheit ? "Temperatures (°F)" : "Temperatures (°C)";
    EXPECT_EQ(view_.title, std::string(face) + "          Coolant                Intake");
    EXPECT_EQ(view_.labels[6], std::string(c.fahrenheit ? "240°" : "120°"));
    EXPECT_EQ(view_.labels[2], std::string(c.fahrenheit ? "70°" : "40°"));
    const float limit = c.fahrenheit ? 700 : 1000;
    EXPECT_EQ(lines()[2], (chart::Line{550, limit, 11200, limit, chart::kRed, 2}));
    EXPECT_EQ(view_.text, "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n" + c.listing);
    ASSERT_EQ(lines().size(), 9u);  // axes, limit, two series of two, two strokes
    EXPECT_EQ(EndYs(3, 2), c.coolantYs);
    EXPECT_EQ(EndYs(5, 2), c.intakeYs);
    EXPECT_EQ(lines()[5].colour, chart::kGreen);
    EXPECT_EQ(lines()[8], (chart::Line{4100, 520, 4700, 520, chart::kGreen, 2}));
    EXPECT_EQ(tables_.plot[2][2], c.fuel);
  }
}

}  // namespace
}  // namespace zelk::testing
