// The user-defined byte channel: its selectors, decode, scale, listing,
// average and bit display, and the lamps that a load sets beside it.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Hex;

class UserDefinedTest : public ChannelTest {
 protected:
  // A frame log whose 0x7D frames hold `bytes` at byte `b`, one a sample.
  static std::string With7D(int b, const std::vector<std::string>& bytes) {
    std::vector<std::string> frames;
    for (const std::string& byte : bytes) frames.push_back(Frame7DWith({{b, byte}}));
    return FrameLogOf({}, frames);
  }
  void ShowByte(const std::string& log, int pageIndex, int byte) {
    Show(log, "UserDefinedButton");
    if (pageIndex != state("UserPageSelect").index) {
      ASSERT_TRUE(page().Select("UserPageSelect", pageIndex));
    }
    ASSERT_TRUE(page().Select("UserByteSelect", byte));
  }
  std::vector<bool> Bits() {
    std::vector<bool> shown;  // bit 7 first, as on screen; set, clear or neither
    for (int k = 7; k >= 0; --k) {
      EXPECT_NE(state("Bit", k).visible, state("BitClear", k).visible) << k;
      shown.push_back(state("Bit", k).visible);
    }
    return shown;
  }
};

TEST_F(UserDefinedTest, PageChangeRebuildsTheByteList) {
  Show(FrameLogOf({}, {}), "UserDefinedButton");
  EXPECT_EQ(state("UserPageSelect").index, 1);
  EXPECT_EQ(state("UserByteSelect").index, 1);
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Ignition Switch ?");
  EXPECT_TRUE(state("LabelInfo", 6).visible);

  const struct {
    int page;
    size_t count;
    const char* first;
    const char* sixteenth;
    const char* last;
  } pages[] = {
      {0, 28, "00  Frame Size", "10  Idle HotBDPos", "1B  Unknown"},
      {1, 32, "00  Frame Size", "10  Unknown", "1F  Unknown"},
  };
  for (const auto& p : pages) {
    SCOPED_TRACE(p.page);
    ASSERT_TRUE(page().Select("UserPageSelect", p.page));
    const auto& items = state("UserByteSelect").items;
    ASSERT_EQ(items.size(), p.count);
    EXPECT_EQ(items.front(), p.first);
    EXPECT_EQ(items[16], p.sixteenth);
    EXPECT_EQ(items.back(), p.last);
    EXPECT_EQ(state("UserByteSelect").index, 0);
    EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Frame Size");
  }
}

TEST_F(UserDefinedTest, ScaleFitsTheWindowsLargestValue) {
  // 8 samples: Full Trip draws samples 1 to 6 and scales to samples 1 to 4,
  // so the FF of sample 5 rises above the canvas.
  ShowByte(With7D(2, {"10", "20", "40", "50", "FF", "08", "30", "30"}), 1, 2);
  EXPECT_EQ(vars().graph.valueScale, 3000.0 / 80);
  EXPECT_EQ(EndYs(2, 6), (std::vector<float>{3400, 2800, 1600, 1000, -5562.5f, 3700}));
  EXPECT_EQ(lines()[2].y1, 3400);
  EXPECT_EQ(state("Text").caption, "Raw Data - Throttle Angle\r\n10 20 40 50 FF 08 ");
  EXPECT_EQ(page().ChannelTables().plot[0][3], "64");
  for (int k = 0; k < 7; ++k) EXPECT_EQ(state("Label", k).caption, "") << k;
  EXPECT_FALSE(state("FuelAverageText").visible);

  const struct {
    std::vector<std::string> bytes;
    double scale;
  } cases[] = {{{"60", "20", "40", "50", "FF", "08", "30", "30"}, 3000.0 / 96},
               {std::vector<std::string>(8, "00"), 10}};
  for (const auto& c : cases) {
    ShowByte(With7D(2, c.bytes), 1, 2);
    EXPECT_EQ(vars().graph.valueScale, c.scale) << c.bytes[0];
  }
  EXPECT_EQ(EndYs(2, 6), std::vector<float>(6, 4000));
}

TEST_F(UserDefinedTest, TrimAverageHasTheSignOfTheTrim) {
  const struct {
    std::vector<std::string> bytes;
    const char* average;
  } cases[] = {
      {std::vector<std::string>(8, "64"), "Average STFT = 0.0%"},
      {std::vector<std::string>(8, "66"), "Average STFT = 2.0%"},  // no minus sign
      {std::vector<std::string>(8, "62"), "Average STFT = -2.0%"},
      // Samples 1 to 7 count; one that is no byte is left out of the sum
      // and of the count.
      {{"64", "67", "ZZ", "67", "64", "67", "64", "00"}, "Average STFT = 1.5%"},
  };
  for (const auto& c : cases) {
    ShowByte(With7D(12, c.bytes), 1, 12);
    EXPECT_TRUE(state("FuelAverageText").visible);
    EXPECT_EQ(state("FuelAverageText").caption, c.average);
  }
}

TEST_F(UserDefinedTest, FlaggedBytesShowTheirBitsAndTheMarkerFollows) {
  // 24 samples: the window spans 21, the marker steps 10.
  std::vector<std::string> bytes(24, "00");
  bytes[0] = "81";
  bytes[10] = "0A";
  bytes[11] = "1G";
  bytes[20] = "FF";
  ShowByte(With7D(3, bytes), 1, 3);
  EXPECT_TRUE(state("BitSurround").visible);
  EXPECT_TRUE(state("BitLabel").visible);
  EXPECT_EQ(Bits(), (std::vector<bool>{1, 0, 0, 0, 0, 0, 0, 1}));

  const struct {
    int key;
    const char* point;
    const char* value;
    std::vector<bool> bits;
  } steps[] = {
      {39, "11", "10", {0, 0, 0, 0, 1, 0, 1, 0}},
      {39, "21", "255", {1, 1, 1, 1, 1, 1, 1, 1}},
      {39, "21", "255", {1, 1, 1, 1, 1, 1, 1, 1}},  // past the window: nothing changes
      {37, "12", "", {0, 0, 0, 0, 0, 0, 0, 0}},     // no byte: all clear
  };
  for (const auto& s : steps) {
    page().Form_KeyUp(s.key);
    EXPECT_EQ(state("DataPointText").caption, s.point);
    EXPECT_EQ(state("MarkerValueText").caption, s.value);
    EXPECT_EQ(Bits(), s.bits) << s.point;
  }

  // An unflagged byte hides the strip.
  ASSERT_TRUE(page().Select("UserByteSelect", 2));
  EXPECT_FALSE(state("BitSurround").visible);
  for (int k = 0; k < 8; ++k) EXPECT_FALSE(state("Bit", k).visible || state("BitClear", k).visible);
}

TEST_F(UserDefinedTest, ColumnLogsListTheirColumns) {
  Show(TimeLog({{1, {"5", "850", "1234", "12345", "FFFF", "0"}}}), "UserDefinedButton");
  EXPECT_FALSE(state("UserPageSelect").visible);
  EXPECT_FALSE(state("LabelInfo", 6).visible);
  EXPECT_EQ(state("UserByteSelect").items.size(), 31u);
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - RPM");
  EXPECT_EQ(state("Text").caption, "Raw Data - RPM\r\n0005 0850 1234 12345 FFFF ");
  EXPECT_EQ(Texts(page().ChannelTables().plot[0], 5),
            (std::vector<std::string>{"5", "2128", "4660", "", "-1"}));
  EXPECT_FALSE(state("FuelAverageText").visible);  // the 13th column is no trim
  EXPECT_FALSE(state("BitSurround").visible);

  Show(ShortTimeLog({{2, {"7", "85"}}}), "UserDefinedButton");
  ASSERT_TRUE(page().Select("UserByteSelect", 1));
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Coolant Temp (C)");
  EXPECT_EQ(Texts(page().ChannelTables().data, 2), (std::vector<std::string>{"7", "85"}));
}

TEST_F(UserDefinedTest, EachLoadSetsTheLampsAndTheTrimReadout) {
  Open(FrameLogOf({Frame80With({{13, "00"}}), Frame80With({{13, "01"}})},
                  {Frame7DWith({}), Frame7DWith({{11, "FF"}})}));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(state("FaultRed", i).visible, i == 0) << i;
    EXPECT_EQ(state("FaultGreen", i).visible, i != 0) << i;
  }
  EXPECT_TRUE(state("LTFTValue").visible);
  EXPECT_TRUE(state("LabelInfo", 21).visible);
  EXPECT_EQ(state("LTFTValue").caption, "255");  // the second frame's, in a short log

  Open("not a log");  // refused: the lamps stay
  EXPECT_TRUE(state("FaultRed", 0).visible);
  std::vector<std::string> frames7D(60, Frame7DWith({}));
  frames7D[49] = Frame7DWith({{11, "C3"}});
  Open(FrameLogOf({}, frames7D));
  EXPECT_EQ(state("LTFTValue").caption, "195");  // the 50th frame's, in a longer one

  Open(ShortTimeLog({{1, {"800"}}}));
  for (int i = 0; i < 12; ++i) {
    EXPECT_FALSE(state("FaultRed", i).visible) << i;
    EXPECT_TRUE(state("FaultGreen", i).visible) << i;
  }
  EXPECT_FALSE(state("LTFTValue").visible);
  EXPECT_FALSE(state("LabelInfo", 21).visible);
}

}  // namespace
}  // namespace zelk::testing
