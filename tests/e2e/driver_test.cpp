// The driver's own contract (commands, errors, dumps, messages and exit), and
// what a whole run shows beyond the page's rules: each kind of log loaded and
// the marker's steps.
#include <gtest/gtest.h>

#include <cmath>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {

// The browser opens on the program folder's `logs` folder, or on the program
// folder where there is none, listing its ".txt" files only. (That the
// browser is shown at start is a unit test's:
// StartUpWaitsForALogAndEachLoadSetsTheLampsAndTheTrimReadout.) Messages and
// started programs are listed once; nothing runs after the exit.
TEST(Driver, StartUpOpensTheBrowserOnTheLogsFolderAndTellsMessagesOnce) {
  for (const std::string logs : {"logs/", ""}) {
    Scratch s;
    for (const char* name : {"a.txt", "B.TXT.old", "c.log", "sub/d.txt"}) s.Write(logs + name, "x");
    const DriverRun run = s.Run(
        "dump\nclick Version\nclick ShellButton\nclick ShellButton\n"
        "dump\ndump\nclick ExitMenu\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 3u);
    const Json& c = run.dumps[0]["controls"];
    EXPECT_EQ(c["File1"]["folder"].text, logs.empty() ? s.dir() : s.dir() + "/logs");
    EXPECT_EQ(c["File1"]["items"].Strings(), (Texts{"B.TXT.old", "a.txt"}));
    EXPECT_EQ(c["Dir1"]["folder"].text, c["File1"]["folder"].text);
    EXPECT_NE(c["Dir1"]["items"].Strings().back().find("sub"), std::string::npos);
    EXPECT_EQ(c["Drive1"]["items"][0].text, "/");
    EXPECT_TRUE(run.dumps[0]["canvas"].items.empty());
    const Json& told = run.dumps[1];
    ASSERT_EQ(told["messages"].size(), 1u);
    EXPECT_EQ(told["messages"][0]["title"].text, "ZelkScope");
    EXPECT_EQ(
        told["messages"][0]["text"].text,
        "V1.00 - Initial Issue\r\nV1.01 - Added LTFT Readout\r\nV1.02 - Added STFT Display\r\n"
        "V1.03 - Added BIT Display\r\nV1.04 - Bug fixes");
    EXPECT_EQ(told["started"].Strings(), (Texts{"C:\\Readzelk.exe", "C:\\Readzelk.exe"}));
    for (const Json& d : {run.dumps[0], run.dumps[2]})
      EXPECT_TRUE(d["messages"].items.empty() && d["started"].items.empty());
  }
}

// A bad line stops the script with status 2, naming its line.
TEST(Driver, BadLineStopsTheScript) {
  Scratch s;
  for (const std::string line :
       {"jump", "click NoSuchButton", "select YAxis 9", "select Nope 0", "key left",
        "scroll MarkerStepScroll 500", "type Nope x", "open"}) {
    const DriverRun run = s.Run("# a comment\n\n" + line + "\ndump\n");
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
    EXPECT_TRUE(run.dumps.empty()) << line;
  }
}

// Each kind of log sets the byte list's caption and place, its rate of
// samples and the trip's length in whole minutes, its samples over its rate
// (half to even: 30 / 60 and 90 / 60 minutes give 0 and 2), whatever its
// lines end with. After a
// load, a frame log's bytes from 0x10 on have one blank after the number;
// its list starts on byte 1, under a caption of its own. Actions on the
// controls hidden on the Full Trip (the paging arrows, the user-defined
// selectors, the marker step) change nothing.
TEST(Load, EachKindOfLogSetsItsByteListAndTripLength) {
  const std::string hidden =
      "click NextImage\nclick PreviousImage\nselect UserPageSelect 0\nselect UserByteSelect 3\n"
      "scroll MarkerStepScroll 50\ntype MarkerStepValueText 3\ndump\n";
  const auto timeLog = [](int samples) { return TimeLog({{1, Texts(samples, "900")}}); };
  const std::pair<std::string, std::string> cases[] = {
      {FrameLog(72, {}, "\n"), "73 0 145 | 32 00  Frame Size..1F Unknown 1 4560 | Byte 4300"},
      {FrameLog(74, {}, "\r"), "75 1 145 | 32 00  Frame Size..1F Unknown 1 4560 | Byte 4300"},
      {timeLog(30), "31 0 60 | 31  1 RPM.. 31 GPS Altitude 0 4000 | Byte/Field 3700"},
      {timeLog(90), "91 2 60 | 31  1 RPM.. 31 GPS Altitude 0 4000 | Byte/Field 3700"},
      {ShortTimeLog({{1, Texts(76, "1500")}}),
       "77 1 150 | 11  1 RPM.. 11  0 4000 | Byte/Field 3700"},
  };
  for (const auto& [text, expected] : cases) {
    Scratch s;
    const DriverRun run = s.Run("open " + s.Write("log.txt", text) + "\ndump\n" + hidden);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.dumps.at(0) == run.dumps.at(1));
    const Json &vars = run.dumps.at(0)["vars"], &c = run.dumps.at(0)["controls"];
    const Texts bytes = c["UserByteSelect"]["items"].Strings();
    const auto number = [](const Json& j) { return std::to_string(std::lround(j.number)); };
    EXPECT_EQ(number(vars["SampleCount"]) + " " + number(vars["TripMins"]) + " " +
                  number(vars["SamplesPerMinute"]) + " | " + std::to_string(bytes.size()) + " " +
                  bytes.at(0) + ".." + bytes.back() + " " + number(c["UserByteSelect"]["index"]) +
                  " " + number(c["UserByteSelect"]["top"]) + " | " +
                  c["LabelInfo(4)"]["caption"].text + " " + number(c["LabelInfo(4)"]["top"]),
              expected);
    EXPECT_EQ(c["UserPageSelect"]["items"].Strings(),
              (Texts{"0x80 Status Page", "0x7D Status Page"}));
    EXPECT_EQ(c["CurrentFileText"]["text"].text, "log.txt");
    EXPECT_TRUE(!c["Background"]["visible"].boolean && run.dumps.at(0)["messages"].items.empty());
  }
}

// The marker after a step of 7 (offset 17, 10500 / 101 twips a sample from
// 550): a typed step that is taken moves on by it; one that is not moves on
// by 7 and the box shows 7 again. The window holds 102 samples: a step past
// the last stops on it. A step left past the start leaves the graph. Any
// other key leaves the marker where it is.
TEST(Marker, StepsReadOffSamples) {
  Scratch s;
  const std::string open = "open " + s.Write("m.txt", FrameLog(102, {850}, "\r\n", 1)) +
                           "\nkey 39\ntype MarkerStepValueText 7\nkey 39\n";
  // Each case: the marker's offset, the step and its box, then the sample
  // and value read off and the strip's place, or "off" the graph.
  const std::pair<const char*, const char*> cases[] = {
      {"type MarkerStepValueText 3\nkey 39", "20 3 3 21 850 2629"},
      {"type MarkerStepValueText abc\nkey 39", "24 7 7 25 850 3045"},
      {"type MarkerStepValueText -3\nkey 39", "24 7 7 25 850 3045"},
      {"type MarkerStepValueText 2\ntype MarkerStepValueText 2.5\nkey 39", "24 7 7 25 850 3045"},
      {"type MarkerStepValueText 99999\nkey 39", "24 7 7 25 850 3045"},
      {"type MarkerStepValueText 0\nkey 39", "24 7 7 25 850 3045"},
      {"type MarkerStepValueText 12\nkey 39", "29 12 12 30 850 3565"},
      {"type MarkerStepValueText 90\nkey 39", "101 90 90 102 850 11050"},
      {"scroll MarkerStepScroll 25\nkey 39", "42  25  25 43 850 4916"},
      {"key 37\nkey 37", "3 7 7 4 850 862"},
      {"key 37\nkey 37\nkey 37", "0 7 7 off"},
      {"key 38", "17 7 7 18 850 2317"},
  };
  for (const auto& [action, expected] : cases) {
    const DriverRun run = s.Run(open + action + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json &d = run.dumps.at(0), &c = d["controls"];
    std::string shown = std::to_string(std::lround(d["vars"]["MarkerPos"].number)) + " " +
                        d["vars"]["MarkerStep"].text + " " + c["MarkerStepValueText"]["text"].text;
    const bool marked = c["DataPointText"]["visible"].boolean;
    EXPECT_NE(marked, c["MarkerInstructions"]["visible"].boolean) << action;
    shown += marked ? " " + c["DataPointText"]["text"].text + c["MarkerValueText"]["text"].text +
                          " " + std::to_string(std::lround(c["Overlay"]["left"].number))
                    : " off";
    EXPECT_EQ(shown, expected) << action;
  }
}

}  // namespace
}  // namespace zelk::e2e
