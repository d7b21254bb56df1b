// The driver's own contract (commands, errors, dumps, messages and exit), and
// what a whole run shows beyond the page's rules: each kind of log loaded,
// the marker's steps, every channel on the sample logs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {

// The browser opens on the program folder's `logs` folder, or on the program
// folder where there is none, listing its ".txt" files only.
TEST(Driver, StartUpOpensTheBrowserOnTheLogsFolder) {
  for (const bool logsFolder : {true, false}) {
    Scratch s;
    const std::string folder = logsFolder ? s.dir() + "/logs" : s.dir();
    for (const char* name : {"a.txt", "B.TXT.old", "c.log", "sub/d.txt"})
      s.Write(std::string(logsFolder ? "logs/" : "") + name, "x");
    const DriverRun run = s.Run("dump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& c = run.dumps.at(0)["controls"];
    EXPECT_TRUE(c["Background"]["visible"].boolean);
    EXPECT_EQ(c["File1"]["folder"].text, folder);
    EXPECT_EQ(c["File1"]["items"].Strings(), (std::vector<std::string>{"B.TXT.old", "a.txt"}));
    EXPECT_EQ(c["Dir1"]["folder"].text, folder);
    EXPECT_NE(c["Dir1"]["items"].Strings().back().find("sub"), std::string::npos);
    EXPECT_EQ(c["Drive1"]["items"][0].text, "/");
    EXPECT_EQ(run.dumps.at(0)["vars"]["MarkerStep"].number, 10);
    EXPECT_TRUE(run.dumps.at(0)["canvas"].items.empty());
  }
}

TEST(Driver, BadLinesStopTheScriptWithStatusTwo) {
  for (const std::string line :
       {"jump", "click NoSuchButton", "select YAxis 9", "select Nope 0", "key left",
        "scroll MarkerStepScroll 500", "type Nope x", "open"}) {
    Scratch s;
    const DriverRun run = s.Run("# a comment\n\n" + line + "\ndump\n");
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
    EXPECT_TRUE(run.dumps.empty()) << line;
  }
}

TEST(Driver, MessagesAndStartedProgramsAreListedOnceAndExitEndsTheScript) {
  Scratch s;
  // Clicks on hidden controls are taken and do nothing (a log shorter than
  // its 5-minute window has no next page); nothing runs after the exit.
  const DriverRun run = s.Run("open " + s.Write("short.txt", FrameLog(10, {900})) +
                              "\nselect YAxis 2\nclick NextImage\nclick PictureAbout\n"
                              "click Version\nclick ShellButton\nclick ShellButton\n"
                              "dump\ndump\nclick ExitMenu\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(run.dumps.size(), 2u);
  const Json& first = run.dumps[0];
  EXPECT_EQ(first["vars"]["WinStartMins"].number, 0);
  ASSERT_EQ(first["messages"].size(), 1u);
  EXPECT_EQ(first["messages"][0]["title"].text, "ZelkScope");
  EXPECT_EQ(first["messages"][0]["text"].text,
            "V1.00 - Initial Issue\r\nV1.01 - Added LTFT Readout\r\nV1.02 - Added STFT Display\r\n"
            "V1.03 - Added BIT Display\r\nV1.04 - Bug fixes");
  EXPECT_EQ(first["started"].Strings(),
            (std::vector<std::string>{"C:\\Readzelk.exe", "C:\\Readzelk.exe"}));
  EXPECT_TRUE(run.dumps[1]["messages"].items.empty());
  EXPECT_TRUE(run.dumps[1]["started"].items.empty());
}

// With a log on the Full Trip, actions on controls that are hidden (the
// paging arrows, the user-defined selectors, the marker step) change nothing
// at all.
TEST(Driver, HiddenControlsIgnoreTheUserWithALogLoaded) {
  Scratch s;
  const std::string open = "open " + s.Write("trip.txt", FrameLog(300, {900, 1800})) + "\n";
  for (const char* action :
       {"click NextImage", "click PreviousImage", "select UserPageSelect 0",
        "select UserByteSelect 3", "scroll MarkerStepScroll 50", "type MarkerStepValueText 3"}) {
    const DriverRun run = s.Run(open + "dump\n" + action + "\ndump\n");
    ASSERT_EQ(run.status, 0) << action << ": " << run.err;
    ASSERT_EQ(run.dumps.size(), 2u) << action;
    EXPECT_TRUE(run.dumps[0] == run.dumps[1]) << action;
  }
}

// Each kind of log sets the byte list's caption and place, its rate of
// samples and the trip's length in whole minutes (half to even), whatever
// its lines end with.
TEST(Load, EachKindOfLogSetsItsByteListAndTripLength) {
  const auto timeLog = [](int samples) {
    return TimeLog({{1, std::vector<std::string>(samples - 1, "900")}});
  };
  // The trip: 72 / 145 and 74 / 145 minutes; 0.5 goes to 0, 1.5 to 2. After a
  // load, a frame log's bytes from 0x10 on have one blank after the number.
  const struct {
    std::string text;
    bool frames;
    int sampleCount, tripMins, perMinute;
    size_t entries;
    std::string first, last;
  } cases[] = {
      {FrameLog(71, {}, "\n"), true, 72, 0, 145, 32, "00  Frame Size", "1F Unknown"},
      {FrameLog(73, {}, "\r"), true, 74, 1, 145, 32, "00  Frame Size", "1F Unknown"},
      {timeLog(30), false, 30, 0, 60, 31, " 1 RPM", " 31 GPS Altitude"},
      {timeLog(90), false, 90, 2, 60, 31, " 1 RPM", " 31 GPS Altitude"},
      {ShortTimeLog({{1, std::vector<std::string>(75, "1500")}}), false, 76, 1, 150, 11, " 1 RPM",
       " 11 "},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.sampleCount);
    Scratch s;
    const DriverRun run = s.Run("open " + s.Write("log.txt", k.text) + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json &vars = run.dumps.at(0)["vars"], &c = run.dumps.at(0)["controls"];
    EXPECT_EQ(vars["SampleCount"].number, k.sampleCount);
    EXPECT_EQ(vars["TripMins"].number, k.tripMins);
    EXPECT_EQ(vars["SamplesPerMinute"].number, k.perMinute);
    const std::vector<std::string> bytes = c["UserByteSelect"]["items"].Strings();
    ASSERT_EQ(bytes.size(), k.entries);
    EXPECT_EQ(bytes.front(), k.first);
    EXPECT_EQ(bytes.back(), k.last);
    EXPECT_EQ(c["UserPageSelect"]["items"].Strings(),
              (std::vector<std::string>{"0x80 Status Page", "0x7D Status Page"}));
    // A frame log's list starts on byte 1, under a caption of its own.
    EXPECT_EQ(c["UserByteSelect"]["index"].number, k.frames ? 1 : 0);
    EXPECT_EQ(c["UserByteSelect"]["top"].number, k.frames ? 4560 : 4000);
    EXPECT_EQ(c["LabelInfo(4)"]["caption"].text, k.frames ? "Byte" : "Byte/Field");
    EXPECT_EQ(c["LabelInfo(4)"]["top"].number, k.frames ? 4300 : 3700);
    EXPECT_EQ(c["CurrentFileText"]["text"].text, "log.txt");
    EXPECT_FALSE(c["Background"]["visible"].boolean);
    EXPECT_TRUE(run.dumps.at(0)["messages"].items.empty());
  }
}

// A second log keeps the chosen channel and shows nothing of the first: a
// 5-minute window of the short log reaches past its last sample, where every
// point lies on the time axis.
TEST(Load, SecondLogKeepsTheChannelAndShowsNothingOfTheFirst) {
  Scratch s;
  const std::string longLog = s.Write("long.txt", FrameLog(1000, {3000}));
  const std::string shortLog = s.Write("short.txt", FrameLog(300, {1000}));
  const DriverRun run =
      s.Run("open " + longLog + "\nclick TemperatureButton\nclick RPMButton\nopen " + shortLog +
            "\ndump\nselect YAxis 2\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& d = run.dumps.at(0);
  EXPECT_EQ(d["vars"]["CurrentChannel"].number, 1);
  EXPECT_EQ(d["vars"]["FileName"].text, "short.txt");
  // Full Trip of 300 samples: 298 segments after the axes and the limit line.
  EXPECT_EQ(d["canvas"].size(), 3u + 298u);
  EXPECT_EQ(d["canvas"][3][1].number, static_cast<float>(4000 - 1000 * 0.68));
  const Json& paged = run.dumps.at(1);
  const std::string listing = paged["controls"]["Text"]["text"].text;
  EXPECT_EQ(listing.find("3000"), std::string::npos);
  EXPECT_NE(listing.find("1000"), std::string::npos);
  EXPECT_EQ(paged["canvas"][paged["canvas"].size() - 1][3].number, 4000);
}

// The marker after a step of 7 (offset 17, 105 twips a sample from 550): a
// typed step that is taken moves on by it; one that is not moves on by 7 and
// the box shows 7 again. The window spans 100 samples: a step onto offset
// 100 leaves the marker on the last sample it read off. A step left past the
// start leaves the graph. Any other key only draws the value axis again.
TEST(Marker, StepsReadOffSamples) {
  Scratch s;
  const std::string path = s.Write("m.txt", FrameLog(102, {850}, "\r\n", 1));
  const struct {
    const char* action;
    int pos;
    const char *step, *marked;  // an empty `marked`: the marker is off the graph
  } cases[] = {
      {"type MarkerStepValueText 3\nkey 39", 20, "3", "21"},
      {"type MarkerStepValueText abc\nkey 39", 24, "7", "25"},
      {"type MarkerStepValueText -3\nkey 39", 24, "7", "25"},
      {"type MarkerStepValueText 2.5\nkey 39", 24, "7", "25"},
      {"type MarkerStepValueText 0\nkey 39", 24, "7", "25"},
      {"type MarkerStepValueText 12\nkey 39", 29, "12", "30"},
      {"type MarkerStepValueText 83\nkey 39", 100, "83", "18"},
      {"scroll MarkerStepScroll 25\nkey 39", 42, " 25", "43"},
      {"key 37\nkey 37", 3, "7", "4"},
      {"key 37\nkey 37\nkey 37", 0, "7", ""},
      {"key 38", 17, "7", "18"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.action);
    const DriverRun run = s.Run("open " + path + "\nkey 39\ntype MarkerStepValueText 7\nkey 39\n" +
                                k.action + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json &d = run.dumps.at(0), &c = d["controls"];
    EXPECT_EQ(d["vars"]["MarkerPos"].number, k.pos);
    EXPECT_EQ(d["vars"]["MarkerStep"].text, k.step);
    EXPECT_EQ(c["MarkerStepValueText"]["text"].text, k.step);
    EXPECT_EQ(c["DataPointText"]["visible"].boolean, *k.marked != 0);
    EXPECT_EQ(c["MarkerInstructions"]["visible"].boolean, *k.marked == 0);
    if (*k.marked) EXPECT_EQ(c["DataPointText"]["text"].text, k.marked);
    if (*k.marked && k.pos < 100) EXPECT_EQ(c["Overlay"]["left"].number, 550 + k.pos * 105);
    if (*k.marked) EXPECT_EQ(c["MarkerValueText"]["text"].text, " 850");
  }
  const DriverRun axis = s.Run("open " + path + "\nkey 39\nkey 38\ndump\n");
  const Json& canvas = axis.dumps.at(0)["canvas"];
  const Json& last = canvas[canvas.size() - 1];
  EXPECT_EQ(last[0].number, 550);
  EXPECT_EQ(last[3].number, 4000);
  EXPECT_EQ(last[4].number, 0xFF0000);
}

// Every channel on each of the sample logs, as a user reaches it: the
// button, the next page of a 5-minute window, a marker step. Each draws its
// axes and at least a segment for each sample of the window, at finite
// places, and the marker reads the sample ten on.
TEST(Channels, EveryChannelOnEverySampleLogPagedAndMarked) {
  const std::pair<const char*, int> buttons[] = {{"RPMButton", 1},      {"TemperatureButton", 2},
                                                 {"BatteryButton", 3},  {"IgnitionButton", 4},
                                                 {"LambdaButton", 5},   {"LoopButton", 6},
                                                 {"ThrottleButton", 7}, {"UserDefinedButton", 8},
                                                 {"MAPButton", 9},      {"STFTButton", 10}};
  Scratch s;
  for (const char* log : {"drive_frames.txt", "drive_time.txt", "drive_quillon.txt"}) {
    for (const auto& [button, number] : buttons) {
      SCOPED_TRACE(std::string(log) + " " + button);
      const DriverRun run =
          s.Run("open " ZELK_SAMPLE_LOGS "/" + std::string(log) + "\nclick " + button +
                "\nselect YAxis 2\nclick NextImage\ndump\nkey 39\ndump\n");
      ASSERT_EQ(run.status, 0) << run.err;
      ASSERT_EQ(run.dumps.size(), 2u);
      const Json& vars = run.dumps[0]["vars"];
      const long first = std::lround(vars["YStart"].number);
      long last = std::lround(vars["YEnd"].number);
      // The user-defined curve stops at the log's last sample.
      if (number == 8) last = std::min(last, std::lround(vars["SampleCount"].number) - 1);
      for (const Json& d : run.dumps) {
        EXPECT_EQ(d["vars"]["CurrentChannel"].number, number);
        EXPECT_EQ(d["controls"]["Duration"]["caption"].text, "5 mins to 10 mins");
        EXPECT_FALSE(d["controls"]["Text"]["text"].text.empty());
        ASSERT_GE(d["canvas"].size(), static_cast<size_t>(last - first + 1));
        for (const Json& line : d["canvas"].items) {
          for (int k = 0; k < 4; ++k) ASSERT_TRUE(std::isfinite(line[k].number));
        }
      }
      EXPECT_EQ(run.dumps[1]["controls"]["DataPointText"]["text"].text, std::to_string(first + 10));
      EXPECT_GT(run.dumps[1]["canvas"].size(), run.dumps[0]["canvas"].size());
    }
  }
}

}  // namespace
}  // namespace zelk::e2e
