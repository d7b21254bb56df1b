// The strips of the Channels window: each channel's samples, value axis and
// ticks on every kind of log, its values at the marker, its drawing by the
// main graph's rule into a rectangle, a click on it, and the one data table
// of a stack.
#include <cmath>
#include <map>

#include "channel_fixture.h"
#include "channels/combined.h"
#include "channels/series.h"
#include "channels/values.h"
#include "chart/ticks.h"
#include "form/channel_buttons.h"

namespace zelk::testing {
namespace {

using channels::StripAxis;
using testlogs::Hex;

constexpr channels::ByteChoice kNoByte{};

// Ten samples of every kind of log. Frame log, sample s: engine speed
// 1000 + 100 s, coolant 80 + s °C, intake 20 °C, fuel 30 °C, 100 kPa,
// 12.6 V, 10° of advance, throttle s°, lambda 0.05 s V with status s % 2,
// closed loop, no trim (raw 100).
std::string FrameTen() {
  Texts frames80, frames7D;
  for (int s = 1; s <= 10; ++s) {
    const int rpm = 1000 + 100 * s;
    frames80.push_back(Frame80With({{1, Hex(rpm >> 8)},
                                    {2, Hex(rpm & 0xFF)},
                                    {3, Hex(135 + s)},
                                    {5, Hex(75)},
                                    {6, Hex(85)},
                                    {7, Hex(100)},
                                    {8, Hex(126)},
                                    {22, Hex(68)}}));
    frames7D.push_back(
        Frame7DWith({{2, Hex(s)}, {6, Hex(10 * s)}, {9, Hex(s % 2)}, {10, "01"}, {12, Hex(100)}}));
  }
  return FrameLogOf(frames80, frames7D);
}

// "Time", row r: 800 + 50 r rpm, coolant 70 + r, intake 25.5, 100 kPa,
// throttle at half the supply (2.5 V), 13.8 V, 12° of advance, closed loop,
// lambda 100 r mV, trim 103 (3 %).
std::string TimeTen() {
  Texts rpm, coolant, lambda;
  for (int r = 1; r <= 10; ++r) {
    rpm.push_back(std::to_string(800 + 50 * r));
    coolant.push_back(std::to_string(70 + r));
    lambda.push_back(std::to_string(100 * r));
  }
  return TimeLog({{1, rpm},
                  {5, coolant},
                  {6, Texts(10, "100")},
                  {7, Texts(10, "12")},
                  {8, Texts(10, "25.5")},
                  {9, Texts(10, "0.5")},
                  {10, Texts(10, "13.8")},
                  {12, Texts(10, "1")},
                  {13, lambda},
                  {14, Texts(10, "103")}});
}

// "#time", row r: 2000 rpm, coolant 60 + r, intake -3, throttle 1.5 V,
// 14.7 psi, 14 V, open loop, lambda 0.45 V (4500 tenths of a millivolt).
std::string ShortTen() {
  Texts coolant;
  for (int r = 1; r <= 10; ++r) coolant.push_back(std::to_string(60 + r));
  return ShortTimeLog({{1, Texts(10, "2000")},
                       {2, coolant},
                       {3, Texts(10, "-3")},
                       {4, Texts(10, "1.5")},
                       {5, Texts(10, "14.7")},
                       {7, Texts(10, "14")},
                       {10, Texts(10, "4500")}});
}

const std::string& LogText(int kind) {
  static const std::string logs[] = {FrameTen(), TimeTen(), ShortTen()};
  return logs[kind];
}

class StripsTest : public ::testing::Test {
 protected:
  // Loads the log and decodes every channel, over the Full Trip (or the
  // page of `lengthMins` from `startMins`).
  void Load(int kind, const channels::ByteChoice& choice = kNoByte, int lengthMins = 0,
            double startMins = 0) {
    log_ = store::LogData();
    ASSERT_EQ(store::ReadLogText(LogText(kind), log_).outcome, store::ReadOutcome::Loaded);
    perMinute_ = store::kLogKinds[log_.format].samplesPerMinute;
    window_ = chart::TimeWindow::Of(log_.sampleCount, 0, lengthMins, startMins, perMinute_);
    choice_ = choice;
    ++logId_;
  }
  channels::TablesSource Source() { return decoded_.Source(log_, logId_, choice_); }
  channels::Strip StripOf(ChannelId id, StripAxis axis = StripAxis::Fitted) {
    return channels::MakeStrip(Source(), id, log_, window_, {.axis = axis}).value();
  }
  static Texts TickTexts(const channels::Strip& strip) {
    Texts texts;
    for (const auto& tick : strip.ticks) texts.push_back(tick.text);
    return texts;
  }

  store::LogData log_;
  double perMinute_ = 0;
  chart::TimeWindow window_;
  channels::DecodedChannels decoded_;
  channels::ByteChoice choice_;
  unsigned long logId_ = 0;
};

constexpr int kFrames = 0, kTime = 1, kShort = 2;
constexpr auto kFit = StripAxis::Fitted, kFix = StripAxis::Fixed;

// Each channel on each kind of log: the caption, the lines (and so the
// legend), the axis fitted to the window's samples with 5 % to spare (a flat
// series 5 % of its value, or 1 about 0) or fixed at the main graph's labels,
// and the round values labelling it.
TEST_F(StripsTest, EachChannelsStripOnEachKindOfLog) {
  const channels::ByteChoice trimByte{1, 12, "STFT byte", false};
  const channels::ByteChoice coolantColumn{1, 4, "Coolant Temp (C)", false};
  const struct {
    int log;
    ChannelId id;
    StripAxis axis;
    const char* caption;
    size_t lines;
    double low, high;
    Texts ticks;
    channels::ByteChoice choice = {};
  } cases[] = {
      // clang-format off
      {kFrames, ChannelId::EngineSpeed, kFit, "Engine speed (rpm)", 1, 1055, 2045,
       {"1200", "1400", "1600", "1800", "2000"}},
      {kFrames, ChannelId::EngineSpeed, kFix, "Engine speed (rpm)", 1, 0, 6000,
       {"0", "2000", "4000", "6000"}},
      {kFrames, ChannelId::Temperatures, kFit, "Temperatures (°C)", 3, 16.5, 93.5,
       {"20", "40", "60", "80"}},
      {kFrames, ChannelId::Temperatures, kFix, "Temperatures (°C)", 3, 0, 120, {"0", "50", "100"}},
      // Flat series: 5 % of the value either side.
      {kFrames, ChannelId::Battery, kFit, "Battery (V)", 1, 11.97, 13.23, {"12", "12.5", "13"}},
      {kFrames, ChannelId::Battery, kFix, "Battery (V)", 1, 10, 16, {"10", "12", "14", "16"}},
      {kFrames, ChannelId::Ignition, kFit, "Ignition advance (°)", 1, 9.5, 10.5,
       {"9.6", "9.8", "10", "10.2", "10.4"}},
      {kFrames, ChannelId::Ignition, kFix, "Ignition advance (°)", 1, 0, 30, {"0", "10", "20", "30"}},
      // The status is the lambda's second line, on its axis.
      {kFrames, ChannelId::Lambda, kFit, "Lambda (V)", 2, -0.05, 1.05, {"0", "0.5", "1"}},
      {kFrames, ChannelId::Lambda, kFix, "Lambda (V)", 2, 0, 1.2, {"0", "0.5", "1"}},
      {kFrames, ChannelId::FuelLoop, kFit, "Fuel loop closed", 1, 0.95, 1.05,
       {"0.96", "0.98", "1", "1.02", "1.04"}},
      {kFrames, ChannelId::Throttle, kFit, "Throttle (°)", 1, 0.55, 10.45, {"2", "4", "6", "8", "10"}},
      {kFrames, ChannelId::Throttle, kFix, "Throttle (°)", 1, 0, 90, {"0", "20", "40", "60", "80"}},
      // Kilopascals in the log, psi on the axis.
      {kFrames, ChannelId::Manifold, kFit, "Manifold (psi)", 1, 14.5038 * 0.95, 14.5038 * 1.05,
       {"14", "14.5", "15"}},
      {kFrames, ChannelId::Manifold, kFix, "Manifold (psi)", 1, 0, 18, {"0", "5", "10", "15"}},
      // A flat 0 gets 1 either side.
      {kFrames, ChannelId::ShortTermTrim, kFit, "STFT (%)", 1, -1, 1, {"-1", "-0.5", "0", "0.5", "1"}},
      {kFrames, ChannelId::ShortTermTrim, kFix, "STFT (%)", 1, -15, 15, {"-10", "0", "10"}},
      // A frame byte: hexadecimal at powers of two; fixed, from 0 as on the main graph.
      {kFrames, ChannelId::UserDefined, kFit, "User-defined: STFT byte", 1, 95, 105,
       {"0x60", "0x62", "0x64", "0x66", "0x68"}, trimByte},
      {kFrames, ChannelId::UserDefined, kFix, "User-defined: STFT byte", 1, 0, 105,
       {"0x00", "0x20", "0x40", "0x60"}, trimByte},

      {kTime, ChannelId::EngineSpeed, kFit, "Engine speed (rpm)", 1, 827.5, 1322.5,
       {"900", "1000", "1100", "1200", "1300"}},
      {kTime, ChannelId::Temperatures, kFit, "Temperatures (°C)", 2, 22.775, 82.725,
       {"40", "60", "80"}},
      {kTime, ChannelId::Throttle, kFit, "Throttle (V)", 1, 2.375, 2.625,
       {"2.4", "2.45", "2.5", "2.55", "2.6"}},
      {kTime, ChannelId::Throttle, kFix, "Throttle (V)", 1, 0, 6, {"0", "2", "4", "6"}},
      {kTime, ChannelId::Manifold, kFit, "Manifold (psi)", 1, 14.5038 * 0.95, 14.5038 * 1.05,
       {"14", "14.5", "15"}},
      {kTime, ChannelId::Lambda, kFit, "Lambda (V)", 1, 0.055, 1.045,
       {"0.2", "0.4", "0.6", "0.8", "1"}},
      {kTime, ChannelId::Ignition, kFit, "Ignition advance (°)", 1, 11.4, 12.6, {"11.5", "12", "12.5"}},
      {kTime, ChannelId::ShortTermTrim, kFit, "STFT (%)", 1, 2.85, 3.15, {"2.9", "3", "3.1"}},
      {kTime, ChannelId::Battery, kFit, "Battery (V)", 1, 13.11, 14.49, {"13.5", "14"}},
      // A column is read in decimals.
      {kTime, ChannelId::UserDefined, kFit, "User-defined: Coolant Temp (C)", 1, 70.55, 80.45,
       {"72", "74", "76", "78", "80"}, coolantColumn},

      {kShort, ChannelId::EngineSpeed, kFit, "Engine speed (rpm)", 1, 1900, 2100,
       {"1900", "1950", "2000", "2050", "2100"}},
      {kShort, ChannelId::Temperatures, kFit, "Temperatures (°C)", 2, -6.65, 73.65, {"0", "20", "40", "60"}},
      {kShort, ChannelId::Temperatures, kFix, "Temperatures (°C)", 2, 0, 120, {"0", "50", "100"}},
      {kShort, ChannelId::Lambda, kFit, "Lambda (V)", 1, 0.4275, 0.4725,
       {"0.43", "0.44", "0.45", "0.46", "0.47"}},
      // Psi in the log.
      {kShort, ChannelId::Manifold, kFit, "Manifold (psi)", 1, 13.965, 15.435, {"14", "14.5", "15"}},
      {kShort, ChannelId::Throttle, kFit, "Throttle (V)", 1, 1.425, 1.575, {"1.45", "1.5", "1.55"}},
      {kShort, ChannelId::FuelLoop, kFit, "Fuel loop closed", 1, -1, 1, {"-1", "-0.5", "0", "0.5", "1"}},
      // Not recorded: an empty strip on the fixed axis, saying so.
      {kShort, ChannelId::Ignition, kFit, "Ignition advance (°)", 0, 0, 30, {}},
      {kShort, ChannelId::ShortTermTrim, kFix, "STFT (%)", 0, -15, 15, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + " on log " + std::to_string(c.log) +
                 (c.axis == kFit ? " fitted" : " fixed"));
    Load(c.log, c.choice);
    const channels::Strip strip = StripOf(c.id, c.axis);
    EXPECT_EQ(strip.caption, c.caption);
    EXPECT_EQ(strip.recorded, c.lines > 0);
    EXPECT_EQ(strip.note, c.lines > 0 ? "" : channels::kNotRecorded);
    EXPECT_EQ(strip.lines.size(), c.lines);
    EXPECT_EQ(strip.first, 1);
    EXPECT_EQ(strip.last, 10);
    EXPECT_NEAR(strip.low, c.low, 1e-9);
    EXPECT_NEAR(strip.high, c.high, 1e-9);
    EXPECT_EQ(TickTexts(strip), c.ticks);
    EXPECT_EQ(strip.segments, c.lines > 0 ? static_cast<long>(9 * c.lines) : 0);
    for (const auto& tick : strip.ticks) {
      EXPECT_GE(tick.value, strip.low - 1e-9);
      EXPECT_LE(tick.value, strip.high + 1e-9);
    }
  }
}

TEST_F(StripsTest, LegendNamesTheLinesWithTheirColours) {
  const struct {
    int log;
    ChannelId id;
    Texts legend;
    std::vector<uint32_t> colours;
  } cases[] = {
      {kFrames,
       ChannelId::Temperatures,
       {"Coolant", "Intake", "Fuel"},
       {chart::kBlack, chart::kGreen, chart::kMagenta}},
      {kTime, ChannelId::Temperatures, {"Coolant", "Intake"}, {chart::kBlack, chart::kGreen}},
      {kFrames, ChannelId::Lambda, {"Lambda", "Lambda status"}, {chart::kBlack, chart::kGreen}},
      {kTime, ChannelId::Lambda, {}, {chart::kBlack}},
      {kFrames, ChannelId::EngineSpeed, {}, {chart::kBlack}},
  };
  for (const auto& c : cases) {
    Load(c.log);
    const channels::Strip strip = StripOf(c.id);
    EXPECT_EQ(strip.Legend(), c.legend);
    std::vector<uint32_t> colours;
    for (const auto& line : strip.lines) colours.push_back(line.colour);
    EXPECT_EQ(colours, c.colours);
  }
}

// A window beyond the log's end draws no sample; one reaching past it draws
// up to the log's last.
TEST_F(StripsTest, NothingPastTheLogsLastSample) {
  Load(kFrames, kNoByte, 2, 0);  // samples 1 to 290, the log ends at 10
  channels::Strip strip = StripOf(ChannelId::EngineSpeed);
  EXPECT_EQ(strip.first, 1);
  EXPECT_EQ(strip.last, 10);
  EXPECT_EQ(strip.segments, 9);
  Load(kFrames, kNoByte, 2, 2);  // samples 291 to 580
  strip = StripOf(ChannelId::EngineSpeed);
  EXPECT_GT(strip.first, strip.last);
  EXPECT_EQ(strip.segments, 0);
  // No samples to fit: the channel's own range.
  EXPECT_EQ(strip.low, 0);
  EXPECT_EQ(strip.high, 6000);
}

// The fixed axis is the main graph's: its low and high stand where that
// graph's draw puts label 0 and label 6.
TEST_F(StripsTest, FixedAxisIsTheMainGraphsLabels) {
  for (const int kind : {kFrames, kTime, kShort}) {
    Load(kind);
    for (const channels::ChannelRow& row : channels::ChannelTable()) {
      if (row.byteChannel) continue;
      SCOPED_TRACE(std::to_string(kind) + " " + channels::StripCaption(row, log_, kNoByte));
      const channels::Strip strip = StripOf(row.id, kFix);
      chart::RecordingCanvas canvas;
      channels::Tables tables;
      const channels::View view =
          channels::LoadAndDraw(row, log_, kNoByte, window_, tables, canvas);
      const auto storedAt = [&](double y) { return (view.baseLine - y) / view.valueScale; };
      EXPECT_NEAR(strip.low / strip.perStored, storedAt(chart::kAxisBottom), 1e-9);
      EXPECT_NEAR(strip.high / strip.perStored,
                  storedAt(chart::kAxisBottom - 6 * channels::kLabelPitch), 1e-9);
    }
  }
}

// Every strip's value at a sample is the values panel's, row for row.
TEST_F(StripsTest, ValuesAtASampleAreTheValuesPanels) {
  for (const int kind : {kFrames, kTime, kShort}) {
    Load(kind, {1, 2, "Byte 2", false});
    for (const long i : {1L, 5L, 10L}) {
      std::vector<channels::ValueRow> rows;
      for (const channels::ChannelRow& row : channels::ChannelTable()) {
        const auto more = StripOf(row.id).ValuesAt(log_, i);
        rows.insert(rows.end(), more.begin(), more.end());
      }
      EXPECT_EQ(rows, decoded_.At(log_, logId_, choice_, i)) << kind << " sample " << i;
    }
  }
  const struct {
    int log;
    ChannelId id;
    long i;
    const char* text;
  } cases[] = {
      {kFrames, ChannelId::EngineSpeed, 3, "1300 rpm"},
      {kFrames, ChannelId::Temperatures, 2, "Coolant 82 °C, Intake 20 °C, Fuel 30 °C"},
      {kFrames, ChannelId::Manifold, 1, "14.5 psi"},
      {kFrames, ChannelId::Lambda, 3, "Lambda 0.15 V, Lambda status 1"},
      {kFrames, ChannelId::Ignition, 1, "10°"},
      {kTime, ChannelId::Temperatures, 1, "Coolant 71 °C, Intake 25.5 °C, Fuel not recorded"},
      {kTime, ChannelId::Throttle, 1, "2.5 V"},
      {kTime, ChannelId::ShortTermTrim, 1, "3%"},
      {kShort, ChannelId::Ignition, 1, "not recorded"},
      {kShort, ChannelId::Lambda, 1, "Lambda 0.45 V, Lambda status not recorded"},
  };
  for (const auto& c : cases) {
    Load(c.log);
    EXPECT_EQ(StripOf(c.id).TextAt(log_, c.i), c.text);
  }
}

// A strip drawn into a rectangle: its frame, a tick a round value, and its
// lines by the main graph's rule, each segment within the rectangle and its
// points where the main graph's stand, laid into it.
TEST_F(StripsTest, DrawsIntoItsRectangleByTheMainGraphsRule) {
  Load(kFrames);
  const chart::Rect plot{1000, 500, 8000, 1500};
  for (const ChannelId id :
       {ChannelId::EngineSpeed, ChannelId::Temperatures, ChannelId::Manifold}) {
    const channels::Strip strip = StripOf(id);
    chart::RecordingCanvas canvas;
    const channels::Drawn drawn = channels::DrawStrip(canvas, strip, window_, plot);
    const size_t legend = strip.Legend().size();
    EXPECT_EQ(drawn.seriesLines, static_cast<size_t>(strip.segments));
    EXPECT_EQ(drawn.lines, 4 + strip.ticks.size() + legend + drawn.seriesLines);
    EXPECT_EQ(canvas.lines().size(), drawn.lines);
    // Caption, tick labels, legend names.
    EXPECT_EQ(drawn.texts.size(), 1 + strip.ticks.size() + legend);
    EXPECT_EQ(drawn.texts[0].text, strip.caption);
    const auto series =
        std::vector<chart::Line>(canvas.lines().end() - drawn.seriesLines, canvas.lines().end());
    for (const chart::Line& l : series) {
      EXPECT_GE(std::min(l.x1, l.x2), plot.left - 0.01);
      EXPECT_LE(std::max(l.x1, l.x2), plot.right + 0.01);
      EXPECT_GE(std::min(l.y1, l.y2), plot.top - 0.01);
      EXPECT_LE(std::max(l.y1, l.y2), plot.bottom + 0.01);
      EXPECT_EQ(l.width, 2);
    }
    // The first line starts on the left edge at the first sample's value
    // and the last ends on the right edge (the Full Trip fills the width).
    const double first = strip.lines[0].table->Value(1) * strip.perStored;
    EXPECT_NEAR(series.front().x1, plot.left, 0.01);
    EXPECT_NEAR(series.front().y1, channels::StripY(strip, plot, first), 0.01);
    EXPECT_NEAR(series.back().x2, plot.right, 0.01);
  }
  // Into the main graph's own plot area, a line stands where the main
  // graph's does: the same x for every sample.
  const channels::Strip speed = StripOf(ChannelId::EngineSpeed);
  chart::RecordingCanvas strip, main;
  const channels::Drawn drawn = channels::DrawStrip(strip, speed, window_, chart::kPlotArea);
  channels::Tables tables;
  channels::LoadAndDraw(*channels::ChannelOf(ChannelId::EngineSpeed), log_, kNoByte, window_,
                        tables, main);
  const auto tail = [](const chart::RecordingCanvas& c, size_t n) {
    std::vector<float> xs;
    for (size_t k = c.lines().size() - n; k < c.lines().size(); ++k) xs.push_back(c.lines()[k].x2);
    return xs;
  };
  EXPECT_EQ(tail(strip, drawn.seriesLines), tail(main, 9));
  // A channel the log lacks: the frame and the note, no line.
  Load(kShort);
  chart::RecordingCanvas canvas;
  const channels::Drawn empty =
      channels::DrawStrip(canvas, StripOf(ChannelId::Ignition), window_, plot);
  EXPECT_EQ(empty.lines, 4u);
  EXPECT_EQ(empty.seriesLines, 0u);
  ASSERT_EQ(empty.texts.size(), 2u);
  EXPECT_EQ(empty.texts[1].text, channels::kNotRecorded);
}

// Values whose span is beyond any number (two of 308 digits, one of each
// sign) cannot be fitted: the strip takes the channel's own range.
TEST_F(StripsTest, ValuesTooFarApartTakeTheChannelsRange) {
  const std::string huge(308, '9');
  log_ = store::LogData();
  ASSERT_EQ(store::ReadLogText(TimeLog({{5, {huge, "-" + huge}}}), log_).outcome,
            store::ReadOutcome::Loaded);
  window_ = chart::TimeWindow::Of(log_.sampleCount, 0, 0, 0, 60);
  choice_ = kNoByte;
  ++logId_;
  const channels::Strip strip = StripOf(ChannelId::Temperatures);
  EXPECT_EQ(strip.low, 0);
  EXPECT_EQ(strip.high, 120);
  chart::RecordingCanvas canvas;
  // Coolant crosses the whole strip: held at the top, across, held at the bottom.
  EXPECT_EQ(channels::DrawStrip(canvas, strip, window_, {0, 0, 100, 100}).seriesLines, 4u);
}

// Values beyond a fixed axis are held at its edge in the paler colour, as
// on the main graph.
TEST_F(StripsTest, FixedAxisHoldsValuesBeyondItAtItsEdge) {
  Load(kShort);  // intake -3 °C, below the axis's 0
  const chart::Rect plot{1000, 500, 8000, 1500};
  chart::RecordingCanvas canvas;
  channels::DrawStrip(canvas, StripOf(ChannelId::Temperatures, kFix), window_, plot);
  const chart::Line& last = canvas.lines().back();
  EXPECT_EQ(last.colour, chart::Paler(chart::kGreen));
  EXPECT_NEAR(last.y1, plot.bottom, 0.01);
  EXPECT_NEAR(last.y2, plot.bottom, 0.01);
}

// The time axis gives the main graph's caption times at its eleven places;
// the marker is a red line through the stack at its sample, with the
// marker panel's time.
TEST_F(StripsTest, TimeAxisAndMarker) {
  Load(kFrames);
  const chart::Rect stack{1000, 500, 8000, 6500};
  chart::RecordingCanvas canvas;
  const channels::Drawn axis = channels::DrawTimeAxis(canvas, window_, stack);
  EXPECT_EQ(axis.lines, 12u);
  // 700 twips apart, every second time is labelled.
  ASSERT_EQ(axis.texts.size(), 6u);
  const auto times = window_.CaptionTimes();
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(axis.texts[i].text, times[2 * i]);
  EXPECT_NEAR(axis.texts[0].x, stack.left, 1e-9);
  EXPECT_NEAR(axis.texts[5].x, stack.right, 1e-9);

  const struct {
    long offset;
    std::optional<double> x;
    const char* time;
  } marks[] = {
      {0, 1000, "0:00.0"},
      {9, 8000, "0:03.7"},  // sample 10: 9 / 145 minutes
      {3, 1000 + 7000.0 / 3, "0:01.2"},
      {10, std::nullopt, ""},
      {-1, std::nullopt, ""},
  };
  for (const auto& m : marks) {
    SCOPED_TRACE(m.offset);
    const auto x = channels::MarkerX(window_, stack, m.offset);
    ASSERT_EQ(x.has_value(), m.x.has_value());
    chart::RecordingCanvas marked;
    const channels::Drawn drawn = channels::DrawMarker(marked, window_, stack, m.offset);
    if (!x) {
      EXPECT_EQ(drawn.lines, 0u);
      continue;
    }
    EXPECT_NEAR(*x, *m.x, 0.01);
    ASSERT_EQ(marked.lines().size(), 1u);
    EXPECT_EQ(marked.lines()[0].colour, chart::kRed);
    EXPECT_EQ(marked.lines()[0].y1, static_cast<float>(stack.top));
    EXPECT_EQ(marked.lines()[0].y2, static_cast<float>(stack.bottom));
    EXPECT_EQ(drawn.texts.at(0).text, m.time);
    EXPECT_EQ(channels::MarkerTime(window_, m.offset), m.time);
  }
}

// A click at a fraction of a strip's width marks the nearest sample.
TEST_F(StripsTest, ClickPicksTheNearestSample) {
  const struct {
    int lengthMins;
    double fraction;
    std::optional<long> offset;
  } cases[] = {
      // Full Trip: 10 samples over 9 steps.
      {0, 0, 0},
      {0, 1, 9},
      {0, 0.5, 4},  // 4.5: halves to even
      {0, 0.06, 1},
      {0, 0.05, 0},
      {0, -0.5, 0},
      {0, 2, 9},
      {0, NAN, std::nullopt},
      // A 2-minute page of 290 samples: the log ends at its tenth.
      {2, 0.01, 3},
      {2, 0.9, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.lengthMins) + " " + std::to_string(c.fraction));
    Load(kFrames, kNoByte, c.lengthMins);
    EXPECT_EQ(channels::OffsetAtFraction(window_, c.fraction), c.offset);
    const chart::Rect plot{1000, 0, 8000, 100};
    if (std::isfinite(c.fraction)) {
      EXPECT_EQ(channels::OffsetAtX(window_, plot, 1000 + 7000 * c.fraction), c.offset);
    }
  }
}

// The one table of a stack: the sample and minutes (and log_time) columns
// once, then each channel's columns, each as in its own table.
TEST_F(StripsTest, CombinedTableHoldsEachChannelsOwnColumns) {
  const auto columns = [](const std::string& csv) {
    std::vector<std::pair<std::string, Texts>> named;
    const Texts rows = Split(csv, '\n');
    for (const std::string& name : Split(rows.at(0), ',')) named.push_back({name, {}});
    for (size_t r = 1; r < rows.size(); ++r) {
      const Texts fields = Split(rows[r], ',');
      for (size_t f = 0; f < named.size(); ++f) named[f].second.push_back(fields.at(f));
    }
    return named;
  };
  for (const int kind : {kFrames, kTime, kShort}) {
    for (const int lengthMins : {0, 2}) {
      SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(lengthMins));
      const channels::ByteChoice choice{1, 2, "Byte 2", false};
      Load(kind, choice, lengthMins);
      std::vector<ChannelId> ids = channels::DefaultStrips();
      ids.insert(ids.end(), {ChannelId::Ignition, ChannelId::UserDefined});
      const auto combined = columns(channels::StripsCsv(Source(), ids, log_, window_, perMinute_));
      const size_t shared = kind == kFrames ? 2 : 3;
      std::vector<std::pair<std::string, Texts>> expected;
      for (const ChannelId id : ids) {
        const auto own =
            columns(channels::DataCsv(*channels::ChannelOf(id), log_,
                                      decoded_.Of(*channels::ChannelOf(id), log_, logId_, choice_),
                                      choice, window_, perMinute_));
        if (expected.empty()) expected.assign(own.begin(), own.begin() + shared);
        expected.insert(expected.end(), own.begin() + shared, own.end());
      }
      EXPECT_EQ(combined, expected);
      EXPECT_EQ(combined.at(0).second.size(), 10u);
    }
  }
}

TEST_F(StripsTest, StackNamesAndPlaces) {
  std::vector<channels::NamedChannel> names;
  for (const form::ChannelButton& button : form::ChannelButtons()) {
    names.push_back({button.id, button.caption});
  }
  const struct {
    const char* list;
    std::vector<ChannelId> ids;
    const char* problem;
  } cases[] = {
      {"", channels::DefaultStrips(), ""},
      {"  ", channels::DefaultStrips(), ""},
      {"rpm, Temperature,LAMBDA",
       {ChannelId::EngineSpeed, ChannelId::Temperatures, ChannelId::Lambda},
       ""},
      {"user-defined,stft,Stft", {ChannelId::UserDefined, ChannelId::ShortTermTrim}, ""},
      {"Battery,Ignition,Loop,Throttle,Manifold",
       {ChannelId::Battery, ChannelId::Ignition, ChannelId::FuelLoop, ChannelId::Throttle,
        ChannelId::Manifold},
       ""},
      {"RPM,Boost", {}, "no channel is called \"Boost\""},
      {"RPM,", {}, "no channel is called \"\""},
  };
  for (const auto& c : cases) {
    const channels::StripList read = channels::ParseStrips(c.list, names);
    EXPECT_EQ(read.ids, c.ids) << c.list;
    EXPECT_EQ(read.problem, c.problem) << c.list;
  }
  EXPECT_EQ(
      channels::DefaultStrips(),
      (std::vector<ChannelId>{ChannelId::EngineSpeed, ChannelId::Throttle, ChannelId::Manifold,
                              ChannelId::Lambda, ChannelId::Temperatures}));
  const auto rects = channels::StackRects({1000, 0, 8000, 5200}, 5, 100);
  ASSERT_EQ(rects.size(), 5u);
  EXPECT_EQ(rects[0], (chart::Rect{1000, 0, 8000, 960}));
  EXPECT_EQ(rects[4], (chart::Rect{1000, 4240, 8000, 5200}));
  EXPECT_TRUE(channels::StackRects({0, 0, 1, 1}, 0, 10).empty());
}

TEST(RoundTicksBetween, RoundValuesWithinARange) {
  const struct {
    double low, high;
    int most;
    bool powersOfTwo;
    std::vector<double> values;
  } cases[] = {
      {780, 3200, 5, false, {1000, 1500, 2000, 2500, 3000}},
      {780, 3200, 3, false, {1000, 2000, 3000}},
      {-15, 15, 5, false, {-10, 0, 10}},
      {0, 6000, 4, false, {0, 2000, 4000, 6000}},
      {95, 105, 5, true, {96, 98, 100, 102, 104}},
      {95, 105, 3, true, {96, 100, 104}},
      {-1, 1, 5, false, {-1, -0.5, 0, 0.5, 1}},
      {1, 1, 5, false, {}},
      {2, 1, 5, false, {}},
      {0, NAN, 5, false, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chart::RoundTicksBetween(c.low, c.high, c.most, c.powersOfTwo).values, c.values)
        << c.low << ".." << c.high;
  }
}

// The canvas that lays the plot area into a rectangle.
TEST(MappedCanvas, LaysThePlotAreaIntoItsRectangle) {
  const chart::Rect into{100, 1000, 1150, 1390};
  chart::RecordingCanvas target;
  chart::MappedCanvas mapped(target, into);
  mapped.DrawLine(chart::kAxisX, chart::kAxisTop, 11050, chart::kAxisBottom, chart::kRed);
  mapped.DrawLine(5800, 2050, 5800, 2050, chart::kRed);
  mapped.Clear();
  ASSERT_EQ(target.lines().size(), 2u);
  EXPECT_EQ(target.lines()[0], (chart::Line{100, 1000, 1150, 1390, chart::kRed, 1}));
  EXPECT_EQ(target.lines()[1], (chart::Line{625, 1195, 625, 1195, chart::kRed, 1}));
  EXPECT_EQ(mapped.lines(), 2u);
  EXPECT_DOUBLE_EQ(chart::PlotXOf(into, 625), 5800);
}

}  // namespace
}  // namespace zelk::testing
