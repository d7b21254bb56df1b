// The engine-speed graph: frame, labels, limit line, series and listing.
#include "channel_fixture.h"
#include "chart/plot.h"

namespace zelk::testing {
namespace {

using testlogs::FrameLog;

class EngineSpeedTest : public ChannelTest {};

TEST_F(EngineSpeedTest, GraphFrameLabelsTitleAndSeries) {
  // SampleCount 103: samples 1 to 101, a step of 105.
  Open(FrameLog(102, {850, 6000, 0, 65535}, "\r\n", 1));
  ASSERT_EQ(vars().window.xStep.ToText(), "105");
  const auto& l = lines();
  ASSERT_EQ(l.size(), 3u + 101u);
  EXPECT_EQ(l[0], (chart::Line{550, 100, 550, 4000, chart::kBlue, 1}));
  EXPECT_EQ(l[1], (chart::Line{550, 4000, 11200, 4000, chart::kBlue, 1}));
  EXPECT_EQ(l[2], (chart::Line{550, 250, 11200, 250, chart::kRed, 2}));
  // The first segment is level at the first sample's height.
  EXPECT_EQ(l[3], (chart::Line{550, 3422, 655, 3422, chart::kBlack, 2}));
  EXPECT_EQ(l[4], (chart::Line{655, 3422, 760, -80, chart::kBlack, 2}));
  EXPECT_EQ(l[5].y2, 4000);
  EXPECT_EQ(l[6].y2, 4000.68f);  // -1 lies just below the time axis
  EXPECT_EQ(l.back().x2, 11155);
  EXPECT_EQ(vars().graph.startY[0], 3422);
  EXPECT_EQ(vars().graph.valueScale, 0.68);
  EXPECT_EQ(vars().graph.baseLine, 4000);
  EXPECT_EQ(state("ScreenTitle").caption, "Engine Speed (RPM)");
  EXPECT_EQ(state("ScreenTitle").top, 350);
  EXPECT_TRUE(state("YLabel").visible);
  EXPECT_EQ(state("InfoLabel").width, 0);
  const char* captions[] = {"0000", "1000", "2000", "3000", "4000", "5000", "6000"};
  const int tops[] = {3900, 3280, 2660, 2040, 1420, 800, 180};
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(state("Label", k).caption, captions[k]);
    EXPECT_EQ(state("Label", k).top, tops[k]);
    EXPECT_EQ(state("Label", k).left, 50);
    EXPECT_TRUE(state("Label", k).visible);
  }
}

// A speed that cannot be read counts as 0, and the rest of the log is still
// listed: four characters a sample.
TEST_F(EngineSpeedTest, UnreadableSpeedsCountAsZero) {
  const auto speed = [](const char* high, const char* low) {
    return Frame80With({{1, high}, {2, low}});
  };
  const std::pair<std::string, std::string> cases[] = {
      {FrameLogOf({speed("03", "52"), speed("0G", "52"),  // no hexadecimal
                   kShort80,                              // too short for byte 2
                   speed("FF", "FF"), speed("30", "39"), speed("00", "32"), speed("04", "D2"),
                   speed("00", "00"), speed("00", "00"), speed("00", "00")},
                  {}),
       "0850 0000 0000 -1 2345  50 1234 0000 "},
      {ShortTimeLog({{1, {"850", "N/A", "99999", "850.5", "-7", "", "1e3", "0", "0"}}}),
       "0850 0000 0000 0850 -7 0000 1000 0000 "},
  };
  for (const auto& [log, listing] : cases) {
    Open(log);
    EXPECT_EQ(state("Text").caption, "Raw Data - Revolutions/Minute\r\n" + listing);
  }
}

TEST_F(EngineSpeedTest, XNeverDriftsOverALongWindow) {
  Open(FrameLog(9000, {1500}));  // YEnd - YStart = 8997
  const auto& l = lines();
  const text::Decimal step = vars().window.xStep;
  text::Decimal x = text::Decimal::FromInt(550);
  for (size_t i = 3; i < l.size(); ++i) {
    ASSERT_EQ(l[i].x1, x.ToFloat()) << i;
    x += step;
    ASSERT_EQ(l[i].x2, x.ToFloat()) << i;
  }
  EXPECT_NEAR(l.back().x2, 11050 + 10500.0 / 8997, 1e-3);
}

TEST_F(EngineSpeedTest, OnlyTheChosenButtonIsHighlighted) {
  const char* buttons[] = {"RPMButton",    "TemperatureButton", "BatteryButton",  "IgnitionButton",
                           "LambdaButton", "LoopButton",        "ThrottleButton", "MAPButton",
                           "STFTButton",   "UserDefinedButton"};
  Open(FrameLog(10, {900}));
  for (const char* chosen : buttons) {
    ASSERT_TRUE(page().Click(chosen));
    for (const char* b : buttons) {
      EXPECT_EQ(state(b).backColour, std::string(b) == chosen ? form::kTitleBar : form::kButtonFace)
          << chosen << " " << b;
    }
    EXPECT_EQ(page().focus(), "DummyText");
    // Only ignition and short-term trim show an average.
    const bool average =
        std::string(chosen) == "IgnitionButton" || std::string(chosen) == "STFTButton";
    EXPECT_EQ(state("FuelAverageText").visible, average) << chosen;
    // Only the user-defined channel keeps its selectors on screen.
    const bool user = std::string(chosen) == "UserDefinedButton";
    EXPECT_EQ(state("UserByteSelect").visible, user) << chosen;
    EXPECT_EQ(state("UserPageSelect").visible, user) << chosen;
  }
}

TEST_F(EngineSpeedTest, ARefreshBeforeAnyLogDrawsNothing) {
  page().Click("AboutMenu");
  EXPECT_TRUE(state("PictureAbout").visible);
  EXPECT_EQ(state("PictureAbout").left, 4000);
  page().Click("PictureAbout");
  EXPECT_FALSE(state("PictureAbout").visible);
  EXPECT_TRUE(lines().empty());
  EXPECT_EQ(vars().graph.channel, channels::ChannelId::None);
}

}  // namespace
}  // namespace zelk::testing
