// What the table of channels gives every channel alike: the face around its
// graph, a window reaching past the log's end, and the marker's redraw.
#include <algorithm>
#include <map>

#include "channel_fixture.h"

namespace zelk::testing {
namespace {

class ChannelsTest : public ChannelTest {
 protected:
  static std::string Repeat(const std::string& entry, int times) {
    std::string text;
    for (int k = 0; k < times; ++k) text += entry;
    return text;
  }
  // Shows the log on the channel and gives the `count` lines the marker then
  // adds over the graph (more or fewer fail the test).
  std::vector<chart::Line> Redrawn(ChannelId id, const std::string& log, size_t count) {
    Show(id, log);
    const size_t before = lines().size();
    channels::RedrawAtMarker(*channels::ChannelOf(id), log_, tables_, window_, graph_, canvas_);
    std::vector<chart::Line> added(lines().begin() + static_cast<long>(before), lines().end());
    EXPECT_EQ(added.size(), count);
    added.resize(count);
    return added;
  }
  std::vector<chart::Line> Lines(size_t first, size_t count) {
    return {lines().begin() + static_cast<long>(first),
            lines().begin() + static_cast<long>(first + count)};
  }
};

// Scale and base line are pinned by each channel's own y's, the average box
// by its decode; here the title, labels and red line that frame the graph.
TEST_F(ChannelsTest, EachChannelFramesItsGraph) {
  const std::string frames = testlogs::FrameLog(5, {900});
  const std::string time = TimeLog({{1, {"900", "900", "900", "900"}}});
  const std::string shortTime = ShortTimeLog({{1, {"900", "900", "900", "900"}}});
  const Texts celsius = {"00°", "20°", "40°", "60°", "80°", "100°", "120°"};
  const Texts advance = {" +0°", " +5°", " +10°", " +15°", " +20°", " +25°", " +30°"};
  const Texts lambda = {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2"};
  const Texts volts = {"0.0V", "1.0V", "2.0V", "3.0V", "4.0V", "5.0V", "6.0V"};
  const Texts trim = {"-15%", "-10%", "-5%", "0%", "+5%", "+10%", "+15%"};
  const std::string temperatures = "Temperatures (°C)          Coolant                Intake";
  const struct {
    ChannelId id;
    const std::string& log;
    std::optional<int> limitY;
    Texts labels;
    std::string title;
  } cases[] = {
      // clang-format off
      {ChannelId::Temperatures, frames, 1000, celsius, temperatures + "                Fuel"},
      {ChannelId::Battery, frames, {}, {" 10V", " 11V", " 12V", " 13V", " 14V", " 15V", " 16V"},
       "Battery Voltage"},
      {ChannelId::Ignition, frames, {}, advance, "Ignition Advance(°)"},
      {ChannelId::Lambda, frames, {}, lambda, "Lambda (Oxygen) Sensor         Voltage           Status"},
      {ChannelId::Lambda, time, {}, lambda, "Lambda (Oxygen) Sensor (Volts)"},
      {ChannelId::FuelLoop, frames, {}, {"Open", " ", " ", " ", " ", "Closed", " "},
       "ECU Fuel Loop Status (Open/Closed)"},
      {ChannelId::Throttle, frames, {}, {"00°", "15°", "30°", "45°", "60°", "75°", "90°"},
       "Throttle Position Sensor(°)"},
      {ChannelId::Throttle, time, {}, volts, "Throttle Pot Voltage"},
      {ChannelId::Throttle, shortTime, {}, volts, "Throttle Pot Voltage"},
      {ChannelId::Manifold, frames, {}, {" 0psi", " 3psi", " 6psi", " 9psi", "12psi", "15psi", "18psi"},
       "Inlet Manifold Pressure (MAP)(Pounds/sq inch)"},
      {ChannelId::ShortTermTrim, frames, {}, trim, "Short Term Fuel Trim (STFT)(%)"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title + " " + c.log.substr(0, 5));
    Show(c.id, c.log);
    EXPECT_EQ(view_.title, c.title);
    EXPECT_EQ(view_.titleTop, 120);
    EXPECT_EQ(Labels(), c.labels);
    EXPECT_EQ(view_.limitY, c.limitY);
    const auto red = std::count_if(lines().begin(), lines().end(),
                                   [](const chart::Line& l) { return l.colour == chart::kRed; });
    EXPECT_EQ(red, c.limitY ? 1 : 0);
  }
}

// A window that reaches past the log's end: every channel draws, lists and
// averages the samples the log holds and leaves the rest of the canvas empty.
TEST_F(ChannelsTest, NothingIsDrawnOrListedPastTheLogsLastSample) {
  // 100 records make a 2-minute log of samples 1 to 100.
  std::map<int, Texts> columns;
  // clang-format off
  for (const auto& [column, value] : std::map<int, const char*>{
           {5, "130"}, {6, "100"}, {7, "10"}, {8, "30"}, {9, "0.5"}, {10, "13.5"}, {12, "1"},
           {13, "500"}, {14, "103"}}) {
    // clang-format on
    columns[column].assign(100, value);
  }
  const std::string log = TimeLog(columns);
  const struct {
    ChannelId id;
    std::string heading, entry;
    std::optional<std::string> average;
  } cases[] = {
      // clang-format off
      {ChannelId::Temperatures, "Raw Data - Coolant Temperature (Deg Centrigrade)", "130° ", {}},
      {ChannelId::Battery, "Raw Data - Battery Voltage", "13.5V ", {}},
      {ChannelId::Ignition, "Raw Data - Ignition Advance", "10° ", "Average Advance = 10.0°"},
      {ChannelId::Lambda, "Raw Data - Lambda (Oxygen Sensor) Voltage", "0.50 ", {}},
      {ChannelId::FuelLoop, "Raw Data - ECU Fuel Loop Status", "1 ", {}},
      {ChannelId::Throttle, "Raw Data - Throttle Potentiometer Voltage", "2.5V ", {}},
      {ChannelId::Manifold, "Raw Data - Manifold Absolute Pressure (MAP) - PSI", "15 ", {}},
      {ChannelId::ShortTermTrim, "Raw Data - Short Term Fuel Trim (STFT) - %", "103 ", "Average STFT = 3.0%"},
      {ChannelId::UserDefined, "Raw Data - ", "130 ", {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    for (const int minutes : {2, 5, 30}) {
      SCOPED_TRACE(c.heading + " " + std::to_string(minutes));
      Show(c.id, log, {1, 4, ""}, minutes);
      EXPECT_EQ(view_.text, c.heading + "\r\n" + Repeat(c.entry, 100));
      EXPECT_EQ(view_.average, c.average);
      // The first series' 100th and last segment ends level at sample 100.
      const chart::Line& last = lines().at((view_.limitY ? 3 : 2) + 99);
      EXPECT_NEAR(last.x2, 550 + 100 * window_.xStep.ToDouble(), 0.01);
      EXPECT_EQ(last.y2, last.y1);
      EXPECT_EQ(last.colour, chart::kBlack);
    }
  }
  // The face follows the coolant of the last sample drawn: 130, Fahrenheit.
  Show(ChannelId::Temperatures, log, {}, 2);
  EXPECT_TRUE(view_.title.starts_with("Temperatures (°F)"));

  // 399 samples in a 3-minute log; the second 2-minute page walks samples
  // 267 to 534, of which the log holds 133.
  const std::string frames =
      FrameLogOf(Texts(400, Frame80With({{22, "44"}})), Texts(400, Frame7DWith({{12, "67"}})));
  Show(ChannelId::Ignition, frames, {}, 2, 2);
  ASSERT_NEAR(window_.yStart, 800.0 / 3, 1e-9);
  EXPECT_EQ(view_.text, "Raw Data - Ignition Advance\r\n" + Repeat("10° ", 133));
  EXPECT_EQ(view_.average, "Average Advance = 10.0°");
  Show(ChannelId::ShortTermTrim, frames, {}, 2, 2);
  EXPECT_EQ(view_.text, "Raw Data - Short Term Fuel Trim (STFT) - %\r\n" + Repeat("103 ", 133));
  EXPECT_EQ(view_.average, "Average STFT = 3.0%");
}

TEST_F(ChannelsTest, MarkerRedrawsEverySeriesWithTheChannelsOffsets) {
  // 12 samples in the window, read off at sample 11.
  Texts frames80, frames7D;
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
  const auto readOff = [&](ChannelId id) {
    return channels::ReadOff(*channels::ChannelOf(id), log_, tables_, 11);
  };

  // 42 lines drawn: the magenta series after the strokes.
  std::vector<chart::Line> marker = Redrawn(ChannelId::Temperatures, frames, 38);
  EXPECT_EQ(marker[0], (chart::Line{550, 1000, 11200, 1000, chart::kRed, 2}));
  EXPECT_EQ(std::vector(marker.begin() + 1, marker.begin() + 25), Lines(3, 24));
  EXPECT_EQ(std::vector(marker.begin() + 25, marker.begin() + 37), Lines(29, 12));
  EXPECT_EQ(marker[37], axis);
  EXPECT_EQ(readOff(ChannelId::Temperatures), "75");  // coolant 0x82 less 55

  // The plotted texts are read off: battery " 13", not " 13.0".
  for (const auto& [id, value] :
       {std::pair{ChannelId::Battery, " 13"}, {ChannelId::Throttle, " 90"}}) {
    marker = Redrawn(id, frames, 13);
    EXPECT_EQ(std::vector(marker.begin(), marker.begin() + 12), Lines(2, 12));
    EXPECT_EQ(marker[12], axis);
    EXPECT_EQ(readOff(id), value);
  }

  // The lambda redraw leaves nothing out: sample 6 ends at y 175.
  marker = Redrawn(ChannelId::Lambda, frames, 25);
  EXPECT_EQ(marker[5].y2, 175);
  EXPECT_EQ(marker[12].colour, chart::kGreen);

  // A "#time" log's fuel texts are "0": the marker draws them on the 0 level,
  // here on the Fahrenheit face.
  marker = Redrawn(ChannelId::Temperatures, ShortTimeLog({{2, Texts(13, "130")}}), 38);
  EXPECT_EQ(marker[0], (chart::Line{550, 700, 11200, 700, chart::kRed, 2}));
  EXPECT_EQ(marker[25].colour, chart::kMagenta);
  EXPECT_EQ(marker[25].y1, 3900);
  EXPECT_EQ(marker[36].y2, 3900);

  // Lambda on a column log has no second series: the intake temperatures an
  // earlier decode left behind are not drawn.
  Show(ChannelId::Temperatures, TimeLog({{8, Texts(13, "1")}}));
  marker = Redrawn(ChannelId::Lambda, TimeLog({{8, Texts(13, "1")}}), 13);
  EXPECT_EQ(marker[12], axis);

  // A "Time" log repeats its intake as the third series: the marker draws it
  // in magenta over the green one.
  marker =
      Redrawn(ChannelId::Temperatures, TimeLog({{5, Texts(13, "90")}, {8, Texts(13, "30")}}), 38);
  for (size_t k = 13; k < 25; ++k) {
    EXPECT_EQ(marker[k + 12], (chart::Line{marker[k].x1, marker[k].y1, marker[k].x2, marker[k].y2,
                                           chart::kMagenta, 2}));
  }

  // Engine speed's limit line comes again; its value is read off as stored.
  marker = Redrawn(ChannelId::EngineSpeed, frames, 14);
  EXPECT_EQ(marker[0], (chart::Line{550, 250, 11200, 250, chart::kRed, 2}));
  EXPECT_EQ(readOff(ChannelId::EngineSpeed), " 0");
}

}  // namespace
}  // namespace zelk::testing
