// What the table of channels gives every channel alike: the face around its
// graph, a window reaching past the log's end, and the marker's redraw.
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

// Every series of every channel on every kind of log: a value stands level
// with the middle of the label that names it (label k's at 4000 - 620k).
TEST_F(ChannelsTest, EveryValueStandsLevelWithTheLabelNamingIt) {
  constexpr float k0 = 4000, k1 = 3380, k2 = 2760, k3 = 2140, k4 = 1520, k5 = 900;
  // Two samples alike: each series' one segment lies level at its height.
  const auto frames = [](std::map<int, std::string> bytes80, std::map<int, std::string> bytes7D) {
    const std::string f80 = Frame80With(bytes80), f7D = Frame7DWith(bytes7D);
    return FrameLogOf({f80, f80}, {f7D, f7D});
  };
  // Two rows alike of a "Time" log or, with `quillon`, a "#time" log.
  const auto rows = [](std::map<int, std::string> values, bool quillon) {
    std::map<int, Texts> columns;
    for (const auto& [k, v] : values) columns[k] = {v, v};
    return quillon ? ShortTimeLog(columns) : TimeLog(columns);
  };
  const auto time = [&](std::map<int, std::string> values) { return rows(values, false); };
  const auto quillon = [&](std::map<int, std::string> values) { return rows(values, true); };
  using chart::kBlack, chart::kGreen, chart::kMagenta;
  const struct {
    ChannelId id;
    std::string log;
    std::vector<std::pair<uint32_t, float>> heights;  // each series' colour and height
  } cases[] = {
      // clang-format off
      {ChannelId::EngineSpeed, frames({{1, "0B"}, {2, "B8"}}, {}), {{kBlack, k3}}},  // 3000 rpm
      {ChannelId::EngineSpeed, quillon({{1, "5000"}}), {{kBlack, k5}}},
      {ChannelId::Temperatures, frames({{3, "73"}, {5, "5F"}, {6, "9B"}}, {}),      // 60, 40, 100 °C
       {{kBlack, k3}, {kGreen, k2}, {kMagenta, k5}}},
      {ChannelId::Temperatures, time({{5, "80"}, {8, "20"}}), {{kBlack, k4}, {kGreen, k1}}},
      {ChannelId::Temperatures, quillon({{2, "100"}, {3, "0"}}), {{kBlack, k5}, {kGreen, k0}}},
      {ChannelId::Battery, frames({{8, "82"}}, {}), {{kBlack, k3}}},                  // 13.0 V
      {ChannelId::Battery, time({{10, "12"}}), {{kBlack, k2}}},
      {ChannelId::Battery, quillon({{7, "14"}}), {{kBlack, k4}}},
      {ChannelId::Ignition, frames({{22, "4E"}}, {}), {{kBlack, k3}}},                // 15°
      {ChannelId::Ignition, time({{7, "25"}}), {{kBlack, k5}}},
      {ChannelId::Lambda, frames({}, {{6, "78"}, {9, "01"}}), {{kBlack, k3}, {kGreen, k5}}},  // 0.6 V
      {ChannelId::Lambda, time({{13, "400"}}), {{kBlack, k2}}},                       // millivolts
      {ChannelId::Lambda, quillon({{10, "8000"}}), {{kBlack, k4}}},                   // tenths of them
      {ChannelId::FuelLoop, frames({}, {{10, "01"}}), {{kBlack, k5}}},                // closed
      {ChannelId::FuelLoop, quillon({{9, "0"}}), {{kBlack, k0}}},                     // open
      {ChannelId::Throttle, frames({}, {{2, "2D"}}), {{kBlack, k3}}},                 // 45°
      {ChannelId::Throttle, time({{9, "0.8"}}), {{kBlack, k4}}},                      // 4 V of 5
      {ChannelId::Throttle, quillon({{4, "2"}}), {{kBlack, k2}}},                     // 2 V
      {ChannelId::Manifold, time({{6, "62.0528"}}), {{kBlack, k3}}},                  // 9 psi in kPa
      {ChannelId::Manifold, quillon({{5, "12"}}), {{kBlack, k4}}},                    // psi
      {ChannelId::ShortTermTrim, frames({}, {{12, "6E"}}), {{kBlack, k5}}},           // +10 %
      {ChannelId::ShortTermTrim, time({{14, "90"}}), {{kBlack, k1}}},                 // -10 %
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log.substr(0, 5) + " " + std::to_string(static_cast<int>(c.id)));
    Show(c.id, c.log);
    for (const auto& [colour, y] : c.heights) {
      const auto segment = std::find_if(lines().begin(), lines().end(), [&](const chart::Line& l) {
        return l.colour == colour && l.x1 == 550 && l.x2 == 11050;
      });
      ASSERT_NE(segment, lines().end()) << colour;
      EXPECT_NEAR(segment->y1, y, 0.01) << colour;
      EXPECT_NEAR(segment->y2, y, 0.01) << colour;
    }
  }
}

// A value beyond the plot is held at its edge, drawn paler from where the
// line crosses the edge; the listing and the read-off keep the true value.
// Temperatures stay Celsius however hot the coolant.
TEST_F(ChannelsTest, ValuesBeyondThePlotAreHeldAtItsEdgeInAPalerLine) {
  const uint32_t grey = 0x808080;  // black made paler
  Show(ChannelId::Ignition, TimeLog({{7, {"40", "15", "-5"}}}));
  // 40° lies at -960, above the top at 100; -5° at 4620, below the time axis.
  const std::vector<chart::Line> expected = {{550, 100, 2345.1614f, 100, grey, 2},
                                             {2345.1614f, 100, 5800, 2140, 0, 2},
                                             {5800, 2140, 9737.5f, 4000, 0, 2},
                                             {9737.5f, 4000, 11050, 4000, grey, 2}};
  EXPECT_EQ(Lines(2, 4), expected);
  EXPECT_EQ(lines().size(), 6u);
  EXPECT_EQ(view_.text, "Raw Data - Ignition Advance\r\n40° 15° -05° ");
  EXPECT_EQ(channels::ReadOff(*channels::ChannelOf(ChannelId::Ignition), log_, tables_, 3), "-5");

  Show(ChannelId::Temperatures, TimeLog({{5, {"125", "-10"}}}));
  EXPECT_TRUE(view_.title.starts_with("Temperatures (°C)"));
  EXPECT_EQ(view_.labels[6], "120°");
  EXPECT_EQ(view_.text, "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n125° -10° ");
  EXPECT_EQ(Lines(3, 2), (std::vector<chart::Line>{{550, 125, 10272.22266f, 4000, 0, 2},
                                                   {10272.22266f, 4000, 11050, 4000, grey, 2}}));
}

// A window that reaches past the log's end: a channel draws, lists and
// averages the samples the log holds and leaves the rest of the canvas empty.
// Every channel's listed series walks the window's samples alike; these are
// the channels that walk them again for a scale or an average.
TEST_F(ChannelsTest, NothingIsDrawnOrListedPastTheLogsLastSample) {
  // 100 records make a 2-minute log of samples 1 to 100.
  const std::string log =
      TimeLog({{5, Texts(100, "110")}, {7, Texts(100, "10")}, {14, Texts(100, "103")}});
  const struct {
    ChannelId id;
    std::string heading, entry;
    std::optional<std::string> average;
  } cases[] = {
      // clang-format off
      {ChannelId::Temperatures, "Raw Data - Coolant Temperature (Deg Centrigrade)", "110° ", {}},
      {ChannelId::Ignition, "Raw Data - Ignition Advance", "10° ", "Average Advance = 10.0°"},
      {ChannelId::ShortTermTrim, "Raw Data - Short Term Fuel Trim (STFT) - %", "03 ", "Average STFT = 3.0%"},
      {ChannelId::UserDefined, "Raw Data - ", "110 ", {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    for (const int minutes : {2, 5, 30}) {
      SCOPED_TRACE(c.heading + " " + std::to_string(minutes));
      Show(c.id, log, {1, 4, ""}, minutes);
      EXPECT_EQ(view_.text, c.heading + "\r\n" + Repeat(c.entry, 100));
      EXPECT_EQ(view_.average, c.average);
      // The first series' 99th and last segment ends at sample 100.
      const chart::Line& last = lines().at((view_.limitY ? 3 : 2) + 98);
      EXPECT_NEAR(last.x2, 550 + 99 * window_.xStep.ToDouble(), 0.01);
    }
  }

  // 400 samples in a 3-minute log; the second 2-minute page walks samples
  // 291 to 580, of which the log holds 110.
  Show(ChannelId::Ignition, FrameLogOf(Texts(400, Frame80With({{22, "44"}})), {}), {}, 2, 2);
  EXPECT_EQ(view_.text, "Raw Data - Ignition Advance\r\n" + Repeat("10° ", 110));
  EXPECT_EQ(view_.average, "Average Advance = 10.0°");
}

// The marker draws the channel's series again as the draw did, on its scale,
// held edges and all, between the red line and the value axis.
TEST_F(ChannelsTest, MarkerRedrawsEverySeriesAsDrawn) {
  // 13 samples, read off at sample 11.
  Texts frames80, frames7D;
  for (int i = 0; i < 13; ++i) {
    frames80.push_back(Frame80With({{3, testlogs::Hex(60 + i * 7)},
                                    {5, testlogs::Hex(70 + i * 3)},
                                    {6, testlogs::Hex(60 + i * 5)},
                                    {8, testlogs::Hex(100 + i * 3)}}));
    frames7D.push_back(Frame7DWith({{2, testlogs::Hex(i * 7)},
                                    {6, testlogs::Hex(i == 5 ? 255 : i * 20)},
                                    {9, testlogs::Hex(i % 2)}}));
  }
  const std::string frames = FrameLogOf(frames80, frames7D);
  const auto readOff = [&](ChannelId id) {
    return channels::ReadOff(*channels::ChannelOf(id), log_, tables_, 11);
  };
  const chart::Line valueAxis{550, 100, 550, 4000, chart::kBlue, 2};

  // 42 lines drawn: the magenta series after the strokes.
  std::vector<chart::Line> marker = Redrawn(ChannelId::Temperatures, frames, 38);
  EXPECT_EQ(marker[0], (chart::Line{550, 1000, 11200, 1000, chart::kRed, 2}));
  EXPECT_EQ(std::vector(marker.begin() + 1, marker.begin() + 25), Lines(3, 24));
  EXPECT_EQ(std::vector(marker.begin() + 25, marker.begin() + 37), Lines(29, 12));
  EXPECT_EQ(marker[37], valueAxis);

  // The plotted texts are read off: battery " 13", not " 13.0".
  for (const auto& [id, value] :
       {std::pair{ChannelId::Battery, " 13"}, {ChannelId::Throttle, " 70"}}) {
    marker = Redrawn(id, frames, 13);
    EXPECT_EQ(std::vector(marker.begin(), marker.begin() + 12), Lines(2, 12));
    EXPECT_EQ(readOff(id), value);
  }

  // Sample 6's 1.275 V lies above the plot: the redraw holds it at the top
  // as the draw did (two more stretches), then the status series.
  marker = Redrawn(ChannelId::Lambda, frames, 27);
  EXPECT_EQ(std::vector(marker.begin(), marker.begin() + 26), Lines(2, 26));
  EXPECT_EQ(marker[5], (chart::Line{marker[5].x1, 100, marker[5].x2, 100, 0x808080, 2}));
  EXPECT_EQ(marker[14].colour, chart::kGreen);

  // A column log records no fuel temperature: the marker draws none.
  marker = Redrawn(ChannelId::Temperatures, ShortTimeLog({{2, Texts(13, "90")}}), 26);
  EXPECT_EQ(marker[0], (chart::Line{550, 1000, 11200, 1000, chart::kRed, 2}));
  EXPECT_EQ(marker[25], valueAxis);

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
