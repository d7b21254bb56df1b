// The marker: a click on the graph moves it to the sample whose point lies
// nearest, leaving the window as the arrow keys would that land there; on a
// flag byte it shows the marked sample's bits.
#include <algorithm>
#include <fstream>
#include <map>
#include <tuple>

#include "form/channel_buttons.h"
#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Hex;

// A frame log whose every channel changes from sample to sample; sample s
// runs at 999 + s rpm.
std::string BusyLog(int samples) {
  std::vector<std::string> frames80, frames7D;
  for (int i = 0; i < samples; ++i) {
    // clang-format off
    frames80.push_back(testlogs::Frame80With({{1, Hex((1000 + i) >> 8)}, {2, Hex(1000 + i)},
        {3, Hex(60 + i % 90)}, {5, Hex(50 + i % 40)}, {6, Hex(70 + i % 30)}, {7, Hex(30 + i % 70)},
        {8, Hex(120 + i % 20)}, {22, Hex(i % 99)}}));
    frames7D.push_back(testlogs::Frame7DWith({{1, Hex(i)}, {2, Hex(i % 90)}, {6, Hex(i % 180)},
        {9, Hex(i % 2)}, {10, Hex(i / 7 % 2)}, {12, Hex(90 + i % 20)}}));
    // clang-format on
  }
  return testlogs::FrameLogOf(frames80, frames7D);
}

// The keys of the controls whose state differs between two windows.
std::vector<std::string> Differences(const form::Controls& a, const form::Controls& b) {
  const auto tie = [](const form::ControlState& s) {
    return std::tie(s.caption, s.visible, s.left, s.top, s.width, s.height, s.items, s.index,
                    s.backColour, s.value, s.folder, s.enabled);
  };
  std::vector<std::string> keys;
  for (size_t k = 0; k < a.all().size(); ++k) {
    if (tie(a.all()[k].state) != tie(b.all()[k].state)) keys.push_back(a.all()[k].Key());
  }
  return keys;
}

class MarkerTest : public PageTest {
 protected:
  // A new window on a clean canvas showing a log of `samples` samples over
  // the Full Trip, or over the second page of the 2-minute window.
  void Load(int samples, bool paged) {
    TearDown();
    canvas_ = chart::RecordingCanvas();
    SetUp();
    Open(BusyLog(samples));
    ASSERT_EQ(page().session().log().sampleCount, samples + 1);
    PickWindow(page(), paged);
  }
  static void PickWindow(form::UserPage& p, bool paged) {
    if (paged) Run(p, "select YAxis 1\nclick NextImage");
  }
  long First() { return session().window().yStart; }
  // Where the channel's draw puts sample j's point.
  double PointOf(long j) { return 550 + (j - First()) * session().window().xStep.ToDouble(); }
};

TEST_F(MarkerTest, ClickLeavesTheWindowAsTheArrowKeysDo) {
  // Both windows move the marker 10 samples on and take a typed step, then
  // have text typed that is no step, which leaves that step in use; one goes
  // on by the arrow key and the other is clicked where that lands. Both then
  // read off and redraw the marker by the same code whatever the channel:
  // the cases differ in the window and in where the marker lands, up to the
  // log's last sample.
  const struct {
    const char* button;
    bool paged;
    int sample;
  } cases[] = {{"RPMButton", false, 123},
               {"BatteryButton", false, 580},
               {"IgnitionButton", true, 580},
               {"UserDefinedButton", true, 512}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    Load(580, c.paged);
    chart::RecordingCanvas keysCanvas;
    form::UserPage keys(keysCanvas, dir_);
    keys.Form_Load();
    ASSERT_TRUE(keys.OpenPath(dir_ + "/log.txt"));
    PickWindow(keys, c.paged);
    const std::string step = std::to_string(c.sample - First() - 10);
    for (form::UserPage* p : {&page(), &keys}) {
      Run(*p, std::string("click ") + c.button + "\nkey 39\ntype MarkerStepValueText " + step +
                  "\nkey 13\ntype MarkerStepValueText x");
    }
    keys.Form_KeyUp(39);
    page().Picture1_MouseDown(1, PointOf(c.sample), 1500);
    ASSERT_EQ(state("DataPointText").caption, std::to_string(c.sample));
    EXPECT_EQ(lines(), keysCanvas.lines());
    EXPECT_EQ(Differences(page().controls(), keys.controls()), std::vector<std::string>{});
  }
}

// Every fresh draw with the marker in use reads the new graph at the strip:
// an action taken with the marker on offset 40 leaves the window as the
// same action taken first, with the marker moved there after it. Where the
// new window or log holds no sample at the strip, the marker starts again.
TEST_F(MarkerTest, ThePanelReadsEveryFreshDrawAtTheStrip) {
  const struct {
    const char* what;
    std::string action;
    bool kept;  // the strip still stands over a sample
  } cases[] = {
      {"another channel", "click TemperatureButton", true},
      {"a flag byte", "click UserDefinedButton\nselect UserByteSelect 3", true},
      {"another window length", "select YAxis 1", true},
      {"a refresh", "click AboutMenu\nclick PictureAbout", true},
      {"another log", "select File1 1", true},
      {"a log too short", "select File1 2", false},
  };
  const std::string mark = "key 39\ntype MarkerStepValueText 30\nkey 39";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(580, false);
    std::ofstream(dir_ + "/more.txt") << BusyLog(400);
    std::ofstream(dir_ + "/short.txt") << BusyLog(30);
    chart::RecordingCanvas freshCanvas;
    form::UserPage fresh(freshCanvas, dir_);
    fresh.Form_Load();
    ASSERT_TRUE(fresh.OpenPath(dir_ + "/log.txt"));
    page().OpenPath(dir_ + "/log.txt");  // the browser lists the new files too
    Run(page(), mark + "\n" + c.action);
    Run(fresh, c.kept ? c.action + "\n" + mark : c.action);
    // Starting again keeps the step chosen and, hidden, the last sample read.
    using Keys = std::vector<std::string>;
    const Keys hidden = {"DataPointText", "MarkerTimeText", "MarkerStepScroll",
                         "MarkerStepValueText"};
    EXPECT_EQ(Differences(page().controls(), fresh.controls()), c.kept ? Keys{} : hidden);
  }
}

// The exported table holds what the marker reads off, sample by sample, on
// every channel of every kind of log: the same number, or none where the
// marker reads off no number.
TEST_F(MarkerTest, TheTableHoldsWhatTheMarkerReadsOff) {
  std::map<int, Texts> columns;
  const char* odd[] = {"abc", "-1.5", "", "12.25", "1e3"};
  for (int c = 1; c <= 31; ++c) {
    for (int r = 0; r < 60; ++r) {
      columns[c].push_back(r % 11 == 3 ? odd[(r + c) % 5] : std::to_string((r * 7 + c * 13) % 200));
    }
  }
  ASSERT_TRUE(page().Click("ValuesMenu"));  // ticked, for every log after
  for (const std::string& log :
       {BusyLog(60), testlogs::TimeLog(columns), testlogs::ShortTimeLog(columns)}) {
    Open(log);
    for (const form::ChannelButton& button : form::ChannelButtons()) {
      SCOPED_TRACE(std::string(button.key) + " on " + log.substr(0, 5));
      ASSERT_TRUE(page().Click(button.key));
      const channels::ChannelRow& row = *channels::ChannelOf(button.id);
      std::map<std::string, Texts> table;  // sample -> its minutes and values
      for (const std::string& line : Split(page().DataCsv(), '\n')) {
        const Texts fields = Split(line + ",", ',');
        table[fields.at(0)] = Texts(fields.begin() + 1, fields.end());
      }
      const Texts& header = table["sample"];
      // A column log's table gives each row's own time after the minutes.
      const size_t first = header.at(1) == "log_time" ? 2 : 1;
      // The first sample, then one at a time.
      Run(page(), "clickat 0 2000\ntype MarkerStepValueText 1");
      for (int k = 0; k < 40; ++k, page().Form_KeyUp(39)) {
        // A frame byte is read off in hexadecimal, then its number: "0x14 (20)".
        std::string shown = state("MarkerValueText").caption;
        if (shown.starts_with("0x")) shown = shown.substr(shown.find('(') + 1, shown.size() - 1);
        if (shown.ends_with(')')) shown.pop_back();
        const auto value = text::ReadDecimal(shown);
        ASSERT_TRUE(table.contains(state("DataPointText").caption)) << k;
        const Texts& fields = table[state("DataPointText").caption];
        // A quantity the log does not record has no column, and no read-off.
        EXPECT_EQ(first < fields.size() ? fields[first] : "", value ? text::Plain(*value) : "")
            << state("DataPointText").caption << " shows \"" << shown << '"';
        EXPECT_EQ(state("MarkerTimeText").caption, text::ClockText(std::stod(fields.at(0))));
        EXPECT_EQ(state("MarkerLogTimeText").visible ? state("MarkerLogTimeText").caption : "",
                  first == 2 ? "Logged " + fields.at(1) : "");
        // The values panel gives each exported series' number, or says it
        // is not recorded; the user-defined byte is its last row.
        const form::ValuesView values = page().ValuesAtMarker();
        for (size_t f = first; f + 1 < header.size(); ++f) {
          const auto named = channels::NameAndUnit(header[f]);
          const auto at = std::find_if(values.rows.begin(), values.rows.end(), [&](auto& r) {
            return r.quantity == named.quantity && r.unit == named.unit;
          });
          ASSERT_TRUE(row.byteChannel || at != values.rows.end()) << header[f];
          const auto& got = row.byteChannel ? values.rows.back() : *at;
          EXPECT_EQ(got.value, fields[f].empty() ? channels::kNotRecorded : fields[f]) << header[f];
        }
      }
    }
    // Fuel temperatures are recorded in frame logs only.
    EXPECT_EQ(std::ranges::count(page().ValuesAtMarker().rows,
                                 channels::ValueRow{"Fuel", "not recorded", "°C"}),
              page().session().log().format == store::kFrameLog ? 0 : 1);
  }
}

// A red lamp takes the window, at its length, to the page holding the first
// sample that reports its fault, and the marker onto that sample.
TEST_F(MarkerTest, ARedLampGoesToItsFirstReport) {
  Texts frames80, frames7D(580, testlogs::Frame7DWith({{1, "00"}}));
  for (int i = 1; i <= 580; ++i) frames80.push_back(testlogs::Frame80With({{13, Hex(i >= 400)}}));
  Open(testlogs::FrameLogOf(frames80, frames7D));
  EXPECT_EQ(state("FaultRed", 0).toolTip,
            "First reported at 2:45.1 (sample 400), last at 3:59.6 (sample 580), in 181 samples");
  const std::tuple<int, const char*, int> windows[] = {
      {1, "2 mins to 4 mins", 291}, {0, "0 mins to 4 mins", 1}, {2, "0 mins to 5 mins", 1}};
  for (const auto& [window, duration, first] : windows) {
    Run(page(), "select YAxis " + std::to_string(window) + "\nclick FaultRed(0)");
    EXPECT_EQ(state("Duration").caption, duration);
    EXPECT_EQ(First(), first);
    EXPECT_EQ(state("DataPointText").caption, "400");
    EXPECT_EQ(state("MarkerTimeText").caption, "2:45.1");
  }
}

TEST_F(MarkerTest, OnAFlagByteTheBitsFollowTheMarker) {
  // 24 samples: the window spans 23, the marker steps 10.
  std::vector<std::string> frames(24, testlogs::Frame7DWith({}));
  for (const auto& [i, byte] : {std::pair{0, "81"}, {10, "0A"}, {13, "1G"}, {20, "FF"}})
    frames[i] = testlogs::Frame7DWith({{3, byte}});
  Open(testlogs::FrameLogOf({}, frames));
  Run(page(), "click UserDefinedButton\nselect UserByteSelect 3");
  const auto bits = [&] {
    std::string shown;  // bit 7 first, as on screen: 1 set, 0 clear, ? both, - neither
    for (int k = 7; k >= 0; --k)
      shown += "-10?"[state("Bit", k).visible + 2 * state("BitClear", k).visible];
    return shown;
  };
  EXPECT_TRUE(state("BitSurround").visible && state("BitLabel").visible);
  EXPECT_EQ(bits(), "10000001");
  // Each step: the sample marked, its value and the bits.
  const std::pair<const char*, const char*> steps[] = {
      {"key 39", "11 0x0A (10) 00001010"},
      {"key 39", "21 0xFF (255) 11111111"},
      {"key 39", "24 0x00 (0) 00000000"},                  // a step past the end stops on it
      {"key 37", "14  00000000"},                          // no byte: all clear
      {"select UserByteSelect 2", "14 0x00 (0) --------"},  // no flags: no strip
  };
  for (const auto& [line, shown] : steps) {
    Run(page(), line);
    EXPECT_EQ(
        state("DataPointText").caption + " " + state("MarkerValueText").caption + " " + bits(),
        shown)
        << line;
  }
  EXPECT_FALSE(state("BitSurround").visible || state("BitLabel").visible);
}

// A 580-sample log over the Full Trip (samples 1 to 580, 4 minutes): zooms,
// pans, pages and the keys, one after another, as the window box, the
// details (the log's, zoomed or not), the paging arrows and the marker
// (while shown) give them. The Backspace typed into the step box edits the
// step only.
TEST_F(MarkerTest, ZoomsAndKeysShowTheWindowChosen) {
  Load(580, false);
  // Only a left click marks a sample: one with the right button changes nothing.
  const std::vector<chart::Line> drawn = lines();
  const form::Controls controls = page().controls();
  for (const double x : {0.0, 600.0, 5000.0}) page().Picture1_MouseDown(2, x, 900);
  EXPECT_EQ(lines(), drawn);
  EXPECT_EQ(Differences(page().controls(), controls), std::vector<std::string>{});
  const std::pair<const char*, const char*> steps[] = {
      {"key 39", "0 mins to 4 mins|580||11"},
      {"drag 3000 1000", "0.2 mins to 0.9 mins|580|<>|"},
      {"key 36", "0.2 mins to 0.9 mins|580|<>|26"},
      {"key 39", "0.2 mins to 0.9 mins|580|<>|36"},
      {"wheel 1000 1", "0.2 mins to 0.6 mins|580|<>|36"},
      {"pan -2", "0.1 mins to 0.5 mins|580|<>|36"},
      {"key 34", "0.5 mins to 0.9 mins|580|<>|72"},
      {"key 35", "0.5 mins to 0.9 mins|580|<>|127"},
      {"type MarkerStepValueText 2", "0.5 mins to 0.9 mins|580|<>|127"},
      {"key 8", "0.5 mins to 0.9 mins|580|<>|127"},
      {"click RPMButton", "0.5 mins to 0.9 mins|580|<>|127"},
      {"key 8", "0.2 mins to 0.9 mins|580|<>|127"},
      {"key 33", "0.0 mins to 0.8 mins|580|>|1"},
      {"key 8", "0 mins to 4 mins|580||1"},
      {"wheel 600 20", "0.0 mins to 0.1 mins|580|<>|"},
      {"wheel 600 -20", "0 mins to 4 mins|580||"},
      {"select YAxis 1", "0 mins to 2 mins|580|>|"},
      {"pan 2", "0.4 mins to 2.4 mins|580|<>|"},  // a pan from the list's window is
      {"key 8", "0 mins to 2 mins|580|>|"},       // undone like a zoom
      {"key 34", "2 mins to 4 mins|580|<|"},
      {"wheel 5000 1", "2.4 mins to 3.4 mins|580|<>|"},
      {"select YAxis 1", "2 mins to 4 mins|580|<|"},
      {"key 39", "2 mins to 4 mins|580|<|293"},
      {"select YAxis 0", "0 mins to 4 mins|580||293"},  // the sample marked stays marked
      {"key 35", "0 mins to 4 mins|580||580"},
      {"click TemperatureButton", "0 mins to 4 mins|580||580"}};
  for (const auto& [line, shown] : steps) {
    ASSERT_TRUE(page().Apply(*form::ParseUserEvent(line))) << line;
    EXPECT_EQ(state("Duration").caption + "|" + state("DataText", 0).caption + "|" +
                  (state("PreviousImage").visible ? "<" : "") +
                  (state("NextImage").visible ? ">|" : "|") +
                  (state("DataPointText").visible ? state("DataPointText").caption : ""),
              shown)
        << line;
  }
  // Escape closes the About picture and the browser; the exported table
  // follows the zoom.
  Run(page(), "click AboutMenu\nkey 27\nclick OpenMenu\nkey 27\ndrag 1000 3000");
  EXPECT_FALSE(state("PictureAbout").visible || state("Background").visible);
  EXPECT_EQ(Split(page().DataCsv(), '\n').at(1).substr(0, 3), "26,");
  // A long session of zooms keeps its latest hundred and, at the bottom, the
  // window list's own window, which Backspace comes back to at last.
  Load(10000, false);
  std::string zooms;
  for (int i = 0; i < 6; ++i) zooms += "wheel 11000 1\n";
  for (int i = 0; i < 60; ++i) zooms += "wheel 3000 1\nwheel 9000 -1\n";
  Run(page(), zooms);
  EXPECT_EQ(session().zoomDepth(), 100u);
  for (int i = 0; i < 100; ++i) page().Form_KeyUp(8);
  EXPECT_EQ(state("Duration").caption, "0 mins to 69 mins");
  EXPECT_TRUE(!session().zoomed());
}

}  // namespace
}  // namespace zelk::testing
