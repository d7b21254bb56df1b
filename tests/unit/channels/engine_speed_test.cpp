// The engine-speed graph: frame, labels, limit line, series and listing.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class EngineSpeedTest : public ChannelTest {};

TEST_F(EngineSpeedTest, GraphFrameLabelsTitleAndSeries) {
  // SampleCount 103: samples 1 to 101, a step of 105.
  Show(ChannelId::EngineSpeed, testlogs::FrameLog(102, {850, 6000, 0, 65535}, "\r\n", 1));
  ASSERT_EQ(window_.xStep.ToText(), "105");
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
  EXPECT_EQ(view_.startY[0], 3422);
  EXPECT_EQ(view_.valueScale, 0.68);
  EXPECT_EQ(view_.baseLine, 4000);
  EXPECT_EQ(view_.title, "Engine Speed (RPM)");
  EXPECT_EQ(view_.titleTop, 350);
  EXPECT_EQ(Labels(), (Texts{"0000", "1000", "2000", "3000", "4000", "5000", "6000"}));
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
    Show(ChannelId::EngineSpeed, log);
    EXPECT_EQ(view_.text, "Raw Data - Revolutions/Minute\r\n" + listing);
  }
}

TEST_F(EngineSpeedTest, XNeverDriftsOverALongWindow) {
  Show(ChannelId::EngineSpeed, testlogs::FrameLog(9000, {1500}));  // YEnd - YStart = 8997
  text::Decimal x = text::Decimal::FromInt(550);
  for (size_t i = 3; i < lines().size(); ++i) {
    ASSERT_EQ(lines()[i].x1, x.ToFloat()) << i;
    x += window_.xStep;
    ASSERT_EQ(lines()[i].x2, x.ToFloat()) << i;
  }
  EXPECT_NEAR(lines().back().x2, 11050 + 10500.0 / 8997, 1e-3);
}

}  // namespace
}  // namespace zelk::testing
