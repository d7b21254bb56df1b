// Every channel over a window that reaches past the log's end, and the
// marker's redraw of the channels with more than one series or an offset.
#include <algorithm>
#include <map>
#include <optional>

#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class ChannelWindowTest : public ChannelTest {
 protected:
  static std::string Repeat(const std::string& entry, int times) {
    std::string text;
    for (int k = 0; k < times; ++k) text += entry;
    return text;
  }
  // The lines that the marker adds when it moves from the window's start.
  std::vector<chart::Line> MarkerLines() {
    page().Form_KeyUp(37);
    page().Form_KeyUp(37);  // back at the start, the panel hidden
    const size_t before = lines().size();
    page().Form_KeyUp(39);
    return {lines().begin() + static_cast<long>(before), lines().end()};
  }
  std::vector<chart::Line> Lines(size_t first, size_t count) {
    return {lines().begin() + static_cast<long>(first),
            lines().begin() + static_cast<long>(first + count)};
  }
};

TEST_F(ChannelWindowTest, EntriesPastTheLogsEndAreListedButNotAveraged) {
  // 100 records make a 2-minute log; its 2-minute window runs to sample 102.
  std::map<int, std::vector<std::string>> columns;
  const std::pair<int, const char*> values[] = {{5, "130"}, {6, "100"},  {7, "10"},
                                                {8, "30"},  {9, "0.5"},  {10, "13.5"},
                                                {12, "1"},  {13, "500"}, {14, "103"}};
  for (const auto& [column, value] : values) columns[column].assign(100, value);
  Open(TimeLog(columns));
  ASSERT_TRUE(page().Select("YAxis", 1));
  ASSERT_EQ(vars().window.yStart, 1);
  ASSERT_EQ(vars().window.yEnd, 102);
  const struct {
    const char* button;
    std::string heading, entry, past;
    float zeroY;
    std::optional<std::string> average;
  } cases[] = {
      {"TemperatureButton",
       "Raw Data - Coolant Temperature (Deg Centrigrade)",
       "130° ",
       " 0° ",
       3900,
       {}},
      {"BatteryButton", "Raw Data - Battery Voltage", "13.5V ", "V ", 12480, {}},
      {"IgnitionButton", "Raw Data - Ignition Advance", "10° ", "00° ", 4000,
       "Average Advance = 10.0°"},
      {"LambdaButton", "Raw Data - Lambda (Oxygen Sensor) Voltage", "0.50 ", "0.00 ", 4000, {}},
      {"LoopButton", "Raw Data - ECU Fuel Loop Status", "1 ", " ", 4000, {}},
      {"ThrottleButton", "Raw Data - Throttle Potentiometer Voltage", "2.5V ", "V ", 3300, {}},
      {"MAPButton", "Raw Data - Manifold Absolute Pressure (MAP) - PSI", "15 ", "00 ", 3900, {}},
      {"STFTButton", "Raw Data - Short Term Fuel Trim (STFT) - %", "103 ", "00 ", 13150,
       "Average STFT = 3.0%"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(page().Click(c.button));
    EXPECT_EQ(state("Text").caption, c.heading + "\r\n" + Repeat(c.entry, 100) + Repeat(c.past, 2));
    EXPECT_EQ(state("FuelAverageText").visible, c.average.has_value());
    if (c.average) {
      EXPECT_EQ(state("FuelAverageText").caption, *c.average);
    }
    // The series' last segment ends at the 0 level one step past x 11050.
    const auto last = std::max_element(
        lines().begin(), lines().end(), [](const chart::Line& a, const chart::Line& b) {
          return (a.colour == chart::kBlack ? a.x2 : 0) < (b.colour == chart::kBlack ? b.x2 : 0);
        });
    EXPECT_NEAR(last->x2, 550 + 102 * 10500.0 / 101, 0.01);
    EXPECT_EQ(last->y2, c.zeroY);
  }
  // The face follows the coolant at the window's end, past the log: 0, Celsius.
  ASSERT_TRUE(page().Click("TemperatureButton"));
  EXPECT_TRUE(state("ScreenTitle").caption.starts_with("Temperatures (°C)"));
}

TEST_F(ChannelWindowTest, APageAverageCountsOnlyTheSamplesTheLogHolds) {
  // 399 samples in a 3-minute log; the second 2-minute page walks samples
  // 267 to 534, of which the log holds 133.
  std::vector<std::string> frames80(400, Frame80With({{22, "44"}}));
  std::vector<std::string> frames7D(400, Frame7DWith({{12, "67"}}));
  Open(FrameLogOf(frames80, frames7D));
  ASSERT_TRUE(page().Select("YAxis", 1));
  ASSERT_TRUE(page().Click("NextImage"));
  ASSERT_NEAR(vars().window.yStart, 800.0 / 3, 1e-9);
  ASSERT_TRUE(page().Click("IgnitionButton"));
  EXPECT_EQ(state("Text").caption,
            "Raw Data - Ignition Advance\r\n" + Repeat("10° ", 133) + Repeat("00° ", 135));
  EXPECT_EQ(state("FuelAverageText").caption, "Average Advance = 10.0°");
  ASSERT_TRUE(page().Click("STFTButton"));
  EXPECT_EQ(state("Text").caption, "Raw Data - Short Term Fuel Trim (STFT) - %\r\n" +
                                       Repeat("103 ", 133) + Repeat("00 ", 135));
  EXPECT_EQ(state("FuelAverageText").caption, "Average STFT = 3.0%");
  EXPECT_EQ(vars().graph.stftExcluded, 135);
}

TEST_F(ChannelWindowTest, MarkerRedrawsEverySeriesWithTheChannelsOffsets) {
  // 12 samples in the window; the marker steps 10 samples to sample 11.
  std::vector<std::string> frames80, frames7D;
  for (int i = 0; i < 13; ++i) {
    frames80.push_back(Frame80With({{3, testlogs::Hex(60 + i * 7)},
                                    {5, testlogs::Hex(70 + i * 3)},
                                    {6, testlogs::Hex(50 + i * 11)},
                                    {8, testlogs::Hex(100 + i * 3)}}));
    frames7D.push_back(Frame7DWith({{2, testlogs::Hex(i * 9)},
                                    {6, testlogs::Hex(i == 5 ? 255 : i * 20)},
                                    {9, testlogs::Hex(i % 2)}}));
  }
  const std::string frames = FrameLogOf(frames80, frames7D);
  const chart::Line axis = {550, 100, 550, 4000, chart::kBlue, 2};

  Show(frames, "TemperatureButton");  // 42 lines: the magenta series after the strokes
  std::vector<chart::Line> marker = MarkerLines();
  ASSERT_EQ(marker.size(), 38u);
  EXPECT_EQ(marker[0], (chart::Line{550, 1000, 11200, 1000, chart::kRed, 2}));
  EXPECT_EQ(std::vector(marker.begin() + 1, marker.begin() + 25), Lines(3, 24));
  EXPECT_EQ(std::vector(marker.begin() + 25, marker.begin() + 37), Lines(29, 12));
  EXPECT_EQ(marker[37], axis);
  EXPECT_EQ(state("DataPointText").caption, "11");
  EXPECT_EQ(state("MarkerValueText").caption, "75");  // coolant 0x82 less 55

  // The plotted texts are read off: battery " 13", not " 13.0".
  for (const auto& [button, value] :
       {std::pair{"BatteryButton", " 13"}, {"ThrottleButton", " 90"}}) {
    SCOPED_TRACE(button);
    Show(frames, button);
    marker = MarkerLines();
    ASSERT_EQ(marker.size(), 13u);
    EXPECT_EQ(std::vector(marker.begin(), marker.begin() + 12), Lines(2, 12));
    EXPECT_EQ(marker[12], axis);
    EXPECT_EQ(state("MarkerValueText").caption, value);
  }

  // The lambda redraw leaves nothing out: sample 6 ends at y 175.
  Show(frames, "LambdaButton");
  marker = MarkerLines();
  ASSERT_EQ(marker.size(), 25u);
  EXPECT_EQ(marker[5].y2, 175);
  EXPECT_EQ(marker[12].colour, chart::kGreen);

  // A "#time" log's fuel texts are "0": the marker draws them on the 0 level,
  // here on the Fahrenheit face.
  Show(ShortTimeLog({{2, std::vector<std::string>(13, "130")}}), "TemperatureButton");
  marker = MarkerLines();
  ASSERT_EQ(marker.size(), 38u);
  EXPECT_EQ(marker[0], (chart::Line{550, 700, 11200, 700, chart::kRed, 2}));
  EXPECT_EQ(marker[25].colour, chart::kMagenta);
  EXPECT_EQ(marker[25].y1, 3900);
  EXPECT_EQ(marker[36].y2, 3900);

  // Lambda on a column log has no second series: the intake temperatures an
  // earlier decode left behind are not drawn.
  Show(TimeLog({{8, std::vector<std::string>(13, "1")}}), "TemperatureButton");
  ASSERT_TRUE(page().Click("LambdaButton"));
  marker = MarkerLines();
  ASSERT_EQ(marker.size(), 13u);
  EXPECT_EQ(marker[12], axis);

  // A "Time" log repeats its intake as the third series: the marker draws it
  // in magenta over the green one.
  Show(TimeLog({{5, std::vector<std::string>(13, "90")}, {8, std::vector<std::string>(13, "30")}}),
       "TemperatureButton");
  marker = MarkerLines();
  ASSERT_EQ(marker.size(), 38u);
  for (size_t k = 13; k < 25; ++k) {
    EXPECT_EQ(marker[k + 12], (chart::Line{marker[k].x1, marker[k].y1, marker[k].x2, marker[k].y2,
                                           chart::kMagenta, 2}));
  }

  // Engine speed's limit line comes again; its value is read off as stored.
  Show(frames, "RPMButton");
  marker = MarkerLines();
  ASSERT_EQ(marker.size(), 14u);
  EXPECT_EQ(marker[0], (chart::Line{550, 250, 11200, 250, chart::kRed, 2}));
  EXPECT_EQ(state("MarkerValueText").caption, " 0");

  // A pressure that is no number reads off as an empty value.
  for (const auto& [stored, value] : {std::pair{"101", "15.15"}, {"abc", ""}}) {
    Show(TimeLog({{6, std::vector<std::string>(13, stored)}}), "MAPButton");
    MarkerLines();
    EXPECT_EQ(state("MarkerValueText").caption, value);
  }
}

}  // namespace
}  // namespace zelk::testing
