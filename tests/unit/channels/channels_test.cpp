// What the table of channels gives every channel alike: the face around its
// graph, a window reaching past the log's end, and the marker's redraw.
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
// by its decode, the red line by the draws and redraws that show it; here
// the title and labels that frame the graph.
TEST_F(ChannelsTest, EachChannelFramesItsGraph) {
  const std::string frames = testlogs::FrameLog(5, {900});
  const std::string time = TimeLog({{1, {"900", "900", "900", "900"}}});
  const Texts celsius = {"00°", "20°", "40°", "60°", "80°", "100°", "120°"};
  const Texts advance = {" +0°", " +5°", " +10°", " +15°", " +20°", " +25°", " +30°"};
  const Texts lambda = {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2"};
  const Texts volts = {"0.0V", "1.0V", "2.0V", "3.0V", "4.0V", "5.0V", "6.0V"};
  const Texts trim = {"-15%", "-10%", "-5%", "0%", "+5%", "+10%", "+15%"};
  const std::string temperatures = "Temperatures (°C)          Coolant                Intake";
  const struct {
    ChannelId id;
    const std::string& log;
    Texts labels;
    std::string title;
  } cases[] = {
      // clang-format off
      {ChannelId::Temperatures, frames, celsius, temperatures + "                Fuel"},
      {ChannelId::Battery, frames, {" 10V", " 11V", " 12V", " 13V", " 14V", " 15V", " 16V"},
       "Battery Voltage"},
      {ChannelId::Ignition, frames, advance, "Ignition Advance(°)"},
      {ChannelId::Lambda, frames, lambda, "Lambda (Oxygen) Sensor         Voltage           Status"},
      {ChannelId::Lambda, time, lambda, "Lambda (Oxygen) Sensor (Volts)"},
      {ChannelId::FuelLoop, frames, {"Open", " ", " ", " ", " ", "Closed", " "},
       "ECU Fuel Loop Status (Open/Closed)"},
      {ChannelId::Throttle, frames, {"00°", "15°", "30°", "45°", "60°", "75°", "90°"},
       "Throttle Position Sensor(°)"},
      {ChannelId::Throttle, time, volts, "Throttle Pot Voltage"},
      {ChannelId::Manifold, frames, {" 0psi", " 3psi", " 6psi", " 9psi", "12psi", "15psi", "18psi"},
       "Inlet Manifold Pressure (MAP)(Pounds/sq inch)"},
      {ChannelId::ShortTermTrim, frames, trim, "Short Term Fuel Trim (STFT)(%)"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title + " " + c.log.substr(0, 5));
    Show(c.id, c.log);
    EXPECT_EQ(view_.title, c.title);
    EXPECT_EQ(view_.titleTop, 120);
    EXPECT_EQ(Labels(), c.labels);
  }
}

// A window that reaches past the log's end: a channel draws, lists and
// averages the samples the log holds and leaves the rest of the canvas empty.
// Every channel's listed series walks the window's samples alike; these are
// the channels that walk them again for a face, a scale or an average.
TEST_F(ChannelsTest, NothingIsDrawnOrListedPastTheLogsLastSample) {
  // 100 records make a 2-minute log of samples 1 to 100.
  const std::string log =
      TimeLog({{5, Texts(100, "130")}, {7, Texts(100, "10")}, {14, Texts(100, "103")}});
  const struct {
    ChannelId id;
    std::string heading, entry;
    std::optional<std::string> average;
  } cases[] = {
      // clang-format off
      {ChannelId::Temperatures, "Raw Data - Coolant Temperature (Deg Centrigrade)", "130° ", {}},
      {ChannelId::Ignition, "Raw Data - Ignition Advance", "10° ", "Average Advance = 10.0°"},
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
      // The first series' 100th and last segment ends at sample 100.
      const chart::Line& last = lines().at((view_.limitY ? 3 : 2) + 99);
      EXPECT_NEAR(last.x2, 550 + 100 * window_.xStep.ToDouble(), 0.01);
    }
  }
  // The face follows the coolant of the last sample drawn: 130, Fahrenheit.
  Show(ChannelId::Temperatures, log, {}, 2);
  EXPECT_TRUE(view_.title.starts_with("Temperatures (°F)"));

  // 399 samples in a 3-minute log; the second 2-minute page walks samples
  // 267 to 534, of which the log holds 133.
  Show(ChannelId::Ignition, FrameLogOf(Texts(400, Frame80With({{22, "44"}})), {}), {}, 2, 2);
  EXPECT_EQ(view_.text, "Raw Data - Ignition Advance\r\n" + Repeat("10° ", 133));
  EXPECT_EQ(view_.average, "Average Advance = 10.0°");
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
  const auto readOff = [&](ChannelId id) {
    return channels::ReadOff(*channels::ChannelOf(id), log_, tables_, 11);
  };

  // 42 lines drawn: the magenta series after the strokes.
  std::vector<chart::Line> marker = Redrawn(ChannelId::Temperatures, frames, 38);
  EXPECT_EQ(std::vector(marker.begin() + 1, marker.begin() + 25), Lines(3, 24));
  EXPECT_EQ(std::vector(marker.begin() + 25, marker.begin() + 37), Lines(29, 12));
  EXPECT_EQ(marker[37], (chart::Line{550, 100, 550, 4000, chart::kBlue, 2}));  // the value axis

  // The plotted texts are read off: battery " 13", not " 13.0".
  for (const auto& [id, value] :
       {std::pair{ChannelId::Battery, " 13"}, {ChannelId::Throttle, " 90"}}) {
    marker = Redrawn(id, frames, 13);
    EXPECT_EQ(std::vector(marker.begin(), marker.begin() + 12), Lines(2, 12));
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
  Redrawn(ChannelId::Lambda, TimeLog({{8, Texts(13, "1")}}), 13);

  // Engine speed's limit line comes again; its value is read off as stored.
  marker = Redrawn(ChannelId::EngineSpeed, frames, 14);
  EXPECT_EQ(marker[0], (chart::Line{550, 250, 11200, 250, chart::kRed, 2}));
  EXPECT_EQ(readOff(ChannelId::EngineSpeed), " 0");
}

}  // namespace
}  // namespace zelk::testing
