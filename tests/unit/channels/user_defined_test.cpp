// The user-defined byte channel: its decode, scale, listing, average and the
// byte whose bits it shows.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class UserDefinedTest : public ChannelTest {
 protected:
  // Shows byte `b` of the 0x7D frames of a frame log holding `bytes` there,
  // one a sample.
  void ShowByte(int b, const Texts& bytes, bool bitField = false) {
    Texts frames;
    for (const std::string& byte : bytes) frames.push_back(Frame7DWith({{b, byte}}));
    Show(ChannelId::UserDefined, FrameLogOf({}, frames), {1, b, "Throttle Angle", bitField});
  }
};

TEST_F(UserDefinedTest, ScaleFitsTheWindowsLargestValue) {
  // 8 samples: Full Trip draws samples 1 to 6 and scales to samples 1 to 4,
  // so the FF of sample 5 rises above the canvas.
  ShowByte(2, {"10", "20", "40", "50", "FF", "08", "30", "30"});
  EXPECT_EQ(view_.valueScale, 3000.0 / 80);
  EXPECT_EQ(EndYs(2, 6), (Ys{3400, 2800, 1600, 1000, -5562.5f, 3700}));
  EXPECT_EQ(lines()[2].y1, 3400);
  EXPECT_EQ(view_.title, "User Defined - Throttle Angle");
  EXPECT_EQ(view_.text, "Raw Data - Throttle Angle\r\n10 20 40 50 FF 08 ");
  EXPECT_EQ(tables_.plot[0][3], "64");
  EXPECT_EQ(Labels(), Texts(7, ""));
  EXPECT_EQ(view_.average, std::nullopt);
  EXPECT_EQ(view_.bitsOf, std::nullopt);

  const std::pair<Texts, double> cases[] = {
      {{"60", "20", "40", "50", "FF", "08", "30", "30"}, 3000.0 / 96}, {Texts(8, "00"), 10}};
  for (const auto& [bytes, scale] : cases) {
    ShowByte(2, bytes);
    EXPECT_EQ(view_.valueScale, scale) << bytes[0];
  }
  EXPECT_EQ(EndYs(2, 6), Ys(6, 4000));
}

TEST_F(UserDefinedTest, TrimAverageHasTheSignOfTheTrim) {
  const std::pair<Texts, const char*> cases[] = {
      {Texts(8, "64"), "Average STFT = 0.0%"},
      {Texts(8, "66"), "Average STFT = 2.0%"},  // no minus sign
      {Texts(8, "62"), "Average STFT = -2.0%"},
      // Samples 1 to 7 count; one that is no byte is left out of the sum
      // and of the count.
      {{"64", "67", "ZZ", "67", "64", "67", "64", "00"}, "Average STFT = 1.5%"},
  };
  for (const auto& [bytes, average] : cases) {
    ShowByte(12, bytes);
    EXPECT_EQ(view_.average, average);
  }
}

TEST_F(UserDefinedTest, AFlaggedByteShowsTheBitsOfItsFirstSample) {
  ShowByte(3, {"81", "0A", "FF"}, true);
  EXPECT_EQ(view_.bitsOf, "81");
  Show(ChannelId::UserDefined, TimeLog({{1, {"81", "0"}}}), {1, 0, "RPM", true});
  EXPECT_EQ(view_.bitsOf, std::nullopt);  // only frame logs hold flag bytes
}

TEST_F(UserDefinedTest, ColumnLogsListTheirColumns) {
  Show(ChannelId::UserDefined, TimeLog({{1, {"5", "850", "1234", "12345", "FFFF", "0"}}}),
       {1, 0, "RPM"});
  EXPECT_EQ(view_.text, "Raw Data - RPM\r\n0005 0850 1234 12345 FFFF ");
  EXPECT_EQ(TextsOf(tables_.plot[0], 5), (Texts{"5", "2128", "4660", "", "-1"}));
  Show(ChannelId::UserDefined, TimeLog({{13, Texts(8, "66")}}), {1, 12, "STFT"});
  EXPECT_EQ(view_.average, std::nullopt);  // the 13th column is no trim
  Show(ChannelId::UserDefined, ShortTimeLog({{2, {"7", "85"}}}), {1, 1, "Coolant Temp (C)"});
  EXPECT_EQ(TextsOf(tables_.data, 2), (Texts{"7", "85"}));
}

}  // namespace
}  // namespace zelk::testing
