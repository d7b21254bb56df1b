// The strips of the Channels window: each channel's samples, value axis and
// ticks on every kind of log, its values at the marker, its drawing into a
// rectangle, a click on it, and the one data table of a stack.
#include <cmath>

#include "channel_fixture.h"
#include "channels/combined.h"
#include "channels/series.h"
#include "form/channel_buttons.h"

namespace zelk::testing {
namespace {

using channels::StripAxis;
using testlogs::Hex;
using Id = ChannelId;
constexpr int kFrames = 0, kTime = 1, kShort = 2;
constexpr auto kFit = StripAxis::Fitted, kFix = StripAxis::Fixed;

// Ten values, `first` + `step` the first, `step` apart.
Texts Ten(double first, double step = 0) {
  Texts texts;
  for (int r = 1; r <= 10; ++r) texts.push_back(text::Plain(first + step * r));
  return texts;
}

// Ten samples of each kind of log. Frame log, sample s: 1000 + 100 s rpm,
// coolant 80 + s °C, intake 20, fuel 30, 100 kPa, 12.6 V, 10° of advance,
// throttle s°, lambda 0.05 s V with status s % 2, closed loop, no trim.
// "Time", row r: 800 + 50 r rpm, coolant 70 + r, 100 kPa, 12°, intake 25.5,
// throttle 2.5 V, 13.8 V, closed loop, lambda 100 r mV, 3 % trim. "#time":
// 2000 rpm, coolant 60 + r, intake -3, 1.5 V, 14.7 psi, 14 V, lambda 0.45 V.
std::string LogOf(int kind) {
  // clang-format off
  if (kind == kTime) {
    return TimeLog({{1, Ten(800, 50)}, {5, Ten(70, 1)}, {6, Ten(100)}, {7, Ten(12)}, {8, Ten(25.5)},
                    {9, Ten(0.5)}, {10, Ten(13.8)}, {12, Ten(1)}, {13, Ten(0, 100)}, {14, Ten(103)}});
  }
  if (kind == kShort) {
    return ShortTimeLog({{1, Ten(2000)}, {2, Ten(60, 1)}, {3, Ten(-3)}, {4, Ten(1.5)},
                         {5, Ten(14.7)}, {7, Ten(14)}, {10, Ten(4500)}});
  }
  Texts f80, f7D;
  for (int s = 1; s <= 10; ++s) {
    const int rpm = 1000 + 100 * s;
    f80.push_back(Frame80With({{1, Hex(rpm >> 8)}, {2, Hex(rpm & 0xFF)}, {3, Hex(135 + s)},
                               {5, Hex(75)}, {6, Hex(85)}, {7, Hex(100)}, {8, Hex(126)}, {22, Hex(68)}}));
    f7D.push_back(Frame7DWith({{2, Hex(s)}, {6, Hex(10 * s)}, {9, Hex(s % 2)}, {10, "01"}, {12, Hex(100)}}));
  }
  return FrameLogOf(f80, f7D);
  // clang-format on
}

class StripsTest : public ::testing::Test {
 protected:
  // Loads a log and decodes its channels over the Full Trip, or the page of
  // `lengthMins` from minute `startMins`.
  void Load(int kind, const channels::ByteChoice& choice = {}, int lengthMins = 0,
            double startMins = 0) {
    static const std::string logs[] = {LogOf(kFrames), LogOf(kTime), LogOf(kShort)};
    log_ = store::LogData();
    ASSERT_EQ(store::ReadLogText(logs[kind], log_).outcome, store::ReadOutcome::Loaded);
    window_ = chart::TimeWindow::Of(log_.sampleCount, 0, lengthMins, startMins,
                                    store::kLogKinds[log_.format].samplesPerMinute);
    choice_ = choice;
    ++logId_;
  }
  channels::TablesSource Source() { return decoded_.Source(log_, logId_, choice_); }
  channels::Strip StripOf(Id id, StripAxis axis = kFit) {
    return channels::MakeStrip(Source(), id, log_, window_, {.axis = axis}).value();
  }

  store::LogData log_;
  chart::TimeWindow window_;
  channels::DecodedChannels decoded_;
  channels::ByteChoice choice_;
  unsigned long logId_ = 0;
};

// A strip as the window shows it: caption, legend, axis from bottom to top,
// tick labels, and its note.
std::string Shown(const channels::Strip& strip) {
  std::string text = strip.caption;
  for (const std::string& name : strip.Legend()) text += " " + name + ",";
  const auto plain = [](double v) { return text::Plain(text::RoundSignificant(v, 7)); };
  text += " " + plain(strip.low) + ".." + plain(strip.high) + ":";
  for (const channels::StripTick& tick : strip.ticks) text += " " + tick.text;
  return strip.note.empty() ? text : text + " " + strip.note;
}

// Fitted: the samples with 5 % of their range to spare, a flat series 5 % of
// its value, a flat 0 1. Fixed: the main graph's labels; a frame byte's from
// 0. A page past the log's end holds no sample: the channel's own range.
TEST_F(StripsTest, EachChannelsAxisOnEachKindOfLog) {
  // The byte shown as User-defined: a frame log's trim, a column log's coolant.
  const channels::ByteChoice trimByte{1, 12, "STFT byte", false}, coolant{1, 4, "Coolant Temp (C)"};
  const struct {
    int log;
    Id id;
    StripAxis axis;
    const char* shown;
    double startMins = -1;  // a 2-minute page from there, or the Full Trip
    long first = 1, last = 10;
  } cases[] = {
      // clang-format off
      {kFrames, Id::EngineSpeed, kFit, "Engine speed (rpm) 1055..2045: 1200 1400 1600 1800 2000"},
      {kFrames, Id::EngineSpeed, kFit, "Engine speed (rpm) 1055..2045: 1200 1400 1600 1800 2000", 0},
      {kFrames, Id::EngineSpeed, kFit, "Engine speed (rpm) 0..6000: 0 2000 4000 6000", 2, 1, 0},
      {kFrames, Id::EngineSpeed, kFix, "Engine speed (rpm) 0..6000: 0 2000 4000 6000"},
      {kFrames, Id::Temperatures, kFit, "Temperatures (°C) Coolant, Intake, Fuel, 16.5..93.5: 20 40 60 80"},
      {kFrames, Id::Battery, kFit, "Battery (V) 11.97..13.23: 12 12.5 13"},
      {kFrames, Id::Lambda, kFit, "Lambda (V) Lambda, Lambda status, -0.05..1.05: 0 0.5 1"},
      {kFrames, Id::FuelLoop, kFit, "Fuel loop closed 0.95..1.05: 0.96 0.98 1 1.02 1.04"},
      {kFrames, Id::Throttle, kFit, "Throttle (°) 0.55..10.45: 2 4 6 8 10"},
      {kFrames, Id::Manifold, kFit, "Manifold (psi) 13.77861..15.22899: 14 14.5 15"},
      {kFrames, Id::ShortTermTrim, kFit, "STFT (%) -1..1: -1 -0.5 0 0.5 1"},  // a flat 0
      {kFrames, Id::UserDefined, kFit, "User-defined: STFT byte 95..105: 0x60 0x62 0x64 0x66 0x68"},
      {kFrames, Id::UserDefined, kFix, "User-defined: STFT byte 0..105: 0x00 0x20 0x40 0x60"},
      {kTime, Id::EngineSpeed, kFit, "Engine speed (rpm) 827.5..1322.5: 900 1000 1100 1200 1300"},
      {kTime, Id::Temperatures, kFit, "Temperatures (°C) Coolant, Intake, 22.775..82.725: 40 60 80"},
      {kTime, Id::Throttle, kFix, "Throttle (V) 0..6: 0 2 4 6"},
      {kTime, Id::Ignition, kFit, "Ignition advance (°) 11.4..12.6: 11.5 12 12.5"},
      {kTime, Id::UserDefined, kFit, "User-defined: Coolant Temp (C) 70.55..80.45: 72 74 76 78 80"},
      {kShort, Id::Temperatures, kFit, "Temperatures (°C) Coolant, Intake, -6.65..73.65: 0 20 40 60"},
      {kShort, Id::Lambda, kFit, "Lambda (V) 0.4275..0.4725: 0.43 0.44 0.45 0.46 0.47"},
      {kShort, Id::Ignition, kFit, "Ignition advance (°) 0..30: not recorded"},
      {kShort, Id::ShortTermTrim, kFix, "STFT (%) -15..15: not recorded"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Load(c.log, c.log == kFrames ? trimByte : coolant, c.startMins < 0 ? 0 : 2,
         std::max(c.startMins, 0.0));
    const channels::Strip strip = StripOf(c.id, c.axis);
    EXPECT_EQ(Shown(strip), c.shown) << "log " << c.log;
    EXPECT_EQ(strip.first, c.first) << c.shown;
    EXPECT_EQ(strip.last, c.last) << c.shown;
  }
}

// On the fixed axis a strip's segments stand where the main graph's do, laid
// into its rectangle: 1100 rpm at its left edge, 2000 at its right, on 0 to
// 6000 rpm; the labels left of it.
TEST_F(StripsTest, DrawsWhereTheMainGraphDoesLaidIntoItsRectangle) {
  Load(kFrames);
  const chart::Rect plot{1000, 500, 8000, 1500};
  chart::RecordingCanvas canvas;
  const channels::Drawn drawn =
      channels::DrawStrip(canvas, StripOf(Id::EngineSpeed, kFix), window_, plot);
  ASSERT_EQ(drawn.seriesLines, 9u);
  // To the nearest twip: 1100 and 1200 rpm a ninth apart at the left, 1900
  // and 2000 at the right.
  const auto ends = [&](size_t k) {
    const chart::Line& l = canvas.lines()[canvas.lines().size() - 9 + k];
    return std::vector<double>{std::round(l.x1), std::round(l.y1), std::round(l.x2),
                               std::round(l.y2)};
  };
  EXPECT_EQ(ends(0), (std::vector<double>{1000, 1317, 1778, 1300}));
  EXPECT_EQ(ends(8), (std::vector<double>{7222, 1183, 8000, 1167}));
  EXPECT_EQ(drawn.texts.at(4),  // after the caption and three ticks
            (channels::TextAt{910, 500, "6000", chart::kBlack, channels::TextAt::Align::Right}));
}

// A click at a fraction of a strip's width marks the nearest sample the log
// holds: a red line through the stack there (x to the nearest twip), under
// the sample's time.
TEST_F(StripsTest, ClickMarksTheNearestSample) {
  const chart::Rect stack{1000, 500, 8000, 6500};
  const struct {
    int lengthMins;
    double fraction;
    std::optional<long> offset;
    double x = 0;
    const char* time = "";
  } cases[] = {
      // The Full Trip: 10 samples over 9 steps; sample 10 at 9 / 145 minutes.
      {0, 1, 9, 8000, "0:03.7"},
      {0, 0.5, 4, 4111, "0:01.7"},  // 4.5 steps: halves to even
      {0, 0.06, 1, 1778, "0:00.4"},
      {0, 0.05, 0, 1000, "0:00.0"},
      {0, NAN, std::nullopt},
      // A 2-minute page of 290 samples: the log ends at its tenth.
      {2, 0.01, 3, 1072, "0:01.2"},
      {2, 0.9, 9, 1217, "0:03.7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.lengthMins) + " min, " + std::to_string(c.fraction));
    Load(kFrames, {}, c.lengthMins);
    const std::optional<long> offset = channels::OffsetAtFraction(window_, c.fraction);
    EXPECT_EQ(offset, c.offset);
    if (!offset) continue;
    EXPECT_EQ(channels::OffsetAtX(window_, stack, 1000 + 7000 * c.fraction), c.offset);
    chart::RecordingCanvas canvas;
    const channels::Drawn drawn = channels::DrawMarker(canvas, window_, stack, *offset);
    ASSERT_EQ(canvas.lines().size(), 1u);
    const float x = canvas.lines()[0].x1;
    EXPECT_EQ(std::round(x), c.x);
    EXPECT_EQ(canvas.lines()[0], (chart::Line{x, 500, x, 6500, chart::kRed, 1}));
    EXPECT_EQ(drawn.texts.at(0).text, c.time);
  }
  EXPECT_EQ(channels::MarkerX(window_, stack, 10), std::nullopt);  // past the log
}

// A stack's table holds the sample and minutes (and log_time) columns once,
// then each channel's columns as in its own table; its strips' values at a
// sample are the values panel's, row for row.
TEST_F(StripsTest, TableAndValuesAreEachChannelsOwn) {
  // A table's rows, the first `from` fields of each left out.
  const auto rows = [](const std::string& csv, size_t from) {
    Texts rows;
    for (const std::string& row : Split(csv, '\n')) {
      const Texts fields = Split(row, ',');
      rows.emplace_back();
      for (size_t f = from; f < fields.size(); ++f) rows.back() += "," + fields[f];
    }
    return rows;
  };
  std::vector<Id> ids = channels::DefaultStrips();
  ids.insert(ids.end(), {Id::Ignition, Id::UserDefined});
  for (const int kind : {kFrames, kTime, kShort}) {
    Load(kind, {1, 2, "Byte 2", false}, 2);  // a page past the log's end
    const double perMinute = window_.samplesPerMinute;
    const size_t shared = kind == kFrames ? 2 : 3;
    Texts expected;
    for (const Id id : ids) {
      const channels::ChannelRow& row = *channels::ChannelOf(id);
      const Texts own = rows(channels::DataCsv(row, log_, decoded_.Of(row, log_, logId_, choice_),
                                               choice_, window_, perMinute),
                             expected.empty() ? 0 : shared);
      if (expected.empty()) expected.resize(own.size());
      for (size_t r = 0; r < own.size(); ++r) expected.at(r) += own[r];
    }
    EXPECT_EQ(rows(channels::StripsCsv(Source(), ids, log_, window_, perMinute), 0), expected);
    EXPECT_EQ(expected.size(), 11u);  // the names and ten samples
    for (const long i : {1L, 5L, 10L}) {
      std::vector<channels::ValueRow> panel;
      for (const channels::ChannelRow& row : channels::ChannelTable()) {
        const auto more = StripOf(row.id).ValuesAt(log_, i);
        panel.insert(panel.end(), more.begin(), more.end());
      }
      EXPECT_EQ(panel, decoded_.At(log_, logId_, choice_, i)) << kind << " sample " << i;
    }
  }
}

TEST(Strips, StackFromAListOfNames) {
  std::vector<channels::NamedChannel> names;
  for (const form::ChannelButton& b : form::ChannelButtons()) names.push_back({b.id, b.caption});
  const std::pair<const char*, std::vector<Id>> cases[] = {
      {"  ", {Id::EngineSpeed, Id::Throttle, Id::Manifold, Id::Lambda, Id::Temperatures}},
      {"rpm, Temperature,LAMBDA,lambda", {Id::EngineSpeed, Id::Temperatures, Id::Lambda}},
      {"user-defined,stft,Loop", {Id::UserDefined, Id::ShortTermTrim, Id::FuelLoop}},
      {"RPM,Boost", {}},
  };
  for (const auto& [list, ids] : cases) EXPECT_EQ(channels::ParseStrips(list, names).ids, ids);
  EXPECT_EQ(channels::ParseStrips("RPM,Boost", names).problem, "no channel is called \"Boost\"");
}

}  // namespace
}  // namespace zelk::testing
