// The row of channel buttons: the one chosen is highlighted and the window
// shows what goes with its channel.
#include <map>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

class ChannelButtonsTest : public PageTest {};

TEST_F(ChannelButtonsTest, ALoadShowsEngineSpeedOnItsFace) {
  Open(testlogs::FrameLog(10, {900}));
  EXPECT_EQ(vars().graph.channel, channels::ChannelId::EngineSpeed);
  EXPECT_EQ(state("ScreenTitle").caption, "Engine Speed (RPM)");
  EXPECT_EQ(state("ScreenTitle").top, 350);
  EXPECT_TRUE(state("YLabel").visible);
  EXPECT_EQ(state("InfoLabel").width, 0);
  const int tops[] = {3900, 3280, 2660, 2040, 1420, 800, 180};
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(state("Label", k).caption, std::to_string(k) + "000") << k;
    EXPECT_EQ(std::tuple(state("Label", k).top, state("Label", k).left, state("Label", k).visible),
              std::tuple(tops[k], 50, true))
        << k;
  }
}

TEST_F(ChannelButtonsTest, OnlyTheChosenButtonIsHighlighted) {
  const std::string buttons[] = {
      "RPMButton",  "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
      "LoopButton", "ThrottleButton",    "MAPButton",     "STFTButton",     "UserDefinedButton"};
  Open(testlogs::FrameLog(10, {900}));
  for (const std::string& chosen : buttons) {
    SCOPED_TRACE(chosen);
    ASSERT_TRUE(page().Click(chosen));
    for (const std::string& b : buttons) {
      EXPECT_EQ(state(b).backColour, b == chosen ? form::kTitleBar : form::kButtonFace) << b;
    }
    EXPECT_EQ(page().focus(), "DummyText");
    // Only ignition and short-term trim show an average: -24° from bytes of 0,
    // and no trim above 70 to average.
    const std::map<std::string, std::string> averages = {
        {"IgnitionButton", "Average Advance = -24.0°"}, {"STFTButton", "Average STFT = 0.0%"}};
    EXPECT_EQ(state("FuelAverageText").visible, averages.contains(chosen));
    if (averages.contains(chosen)) {
      EXPECT_EQ(state("FuelAverageText").caption, averages.at(chosen));
    }
    // Only the user-defined channel keeps its selectors on screen.
    EXPECT_EQ(state("UserByteSelect").visible, chosen == "UserDefinedButton");
    EXPECT_EQ(state("UserPageSelect").visible, chosen == "UserDefinedButton");
  }
}

// The About picture covers the middle of the window; hiding it again redraws
// the graph under it afresh, which before any log draws nothing.
TEST_F(ChannelButtonsTest, ClosingAboutRedrawsTheGraph) {
  for (const bool withLog : {false, true}) {
    if (withLog) Open(testlogs::FrameLog(30, {900}));
    const size_t drawn = lines().size();
    page().Form_KeyUp(38);  // a key that draws the value axis once more
    page().Click("AboutMenu");
    EXPECT_TRUE(state("PictureAbout").visible);
    EXPECT_EQ(state("PictureAbout").left, 4000);
    page().Click("PictureAbout");
    EXPECT_FALSE(state("PictureAbout").visible);
    EXPECT_EQ(lines().size(), withLog ? drawn : drawn + 1) << "cleared and drawn again";
    EXPECT_EQ(vars().graph.channel,
              withLog ? channels::ChannelId::EngineSpeed : channels::ChannelId::None);
  }
}

}  // namespace
}  // namespace zelk::testing
