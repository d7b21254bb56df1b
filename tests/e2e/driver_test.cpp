// The driver's own contract: commands, errors, dumps, messages and exit.
#include <gtest/gtest.h>

#include <tuple>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {

TEST(Driver, StartUpOpensTheBrowserOnTheLogsFolder) {
  Scratch s;
  s.Write("logs/a.txt", "x");
  s.Write("logs/B.TXT.old", "x");
  s.Write("logs/c.log", "x");
  s.Write("logs/sub/d.txt", "x");
  const DriverRun run = s.Run("dump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& c = run.dumps.at(0)["controls"];
  EXPECT_TRUE(c["Background"]["visible"].boolean);
  EXPECT_EQ(c["File1"]["folder"].text, s.dir() + "/logs");
  EXPECT_EQ(c["File1"]["items"].Strings(), (std::vector<std::string>{"B.TXT.old", "a.txt"}));
  EXPECT_EQ(c["Dir1"]["folder"].text, s.dir() + "/logs");
  EXPECT_EQ(c["Dir1"]["items"].Strings().back().find("sub") != std::string::npos, true);
  EXPECT_EQ(c["Drive1"]["items"][0].text, "/");
  EXPECT_EQ(run.dumps.at(0)["vars"]["MarkerStep"].number, 10);
  EXPECT_EQ(run.dumps.at(0)["vars"]["CurrentChannel"].number, 0);
  EXPECT_TRUE(run.dumps.at(0)["canvas"].items.empty());
}

TEST(Driver, WithoutALogsFolderTheBrowserShowsTheProgramFolder) {
  Scratch s;
  s.Write("here.txt", "x");
  const DriverRun run = s.Run("dump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.dumps.at(0)["controls"]["File1"]["folder"].text, s.dir());
  EXPECT_EQ(run.dumps.at(0)["controls"]["File1"]["items"].Strings(),
            (std::vector<std::string>{"here.txt"}));
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

TEST(Driver, SecondLoadKeepsTheChosenChannelAndRedraws) {
  Scratch s;
  const std::string a = s.Write("a.txt", FrameLog(20, {1000}));
  const std::string b = s.Write("b.txt", FrameLog(40, {2000}));
  const DriverRun run =
      s.Run("open " + a + "\nclick TemperatureButton\nclick RPMButton\nopen " + b + "\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& d = run.dumps.at(0);
  EXPECT_EQ(d["vars"]["CurrentChannel"].number, 1);
  EXPECT_EQ(d["vars"]["FileName"].text, "b.txt");
  // Full Trip of 40 samples: 38 segments after the axes and the limit line.
  EXPECT_EQ(d["canvas"].size(), 3u + 38u);
  EXPECT_EQ(d["canvas"][3][1].number, static_cast<float>(4000 - 2000 * 0.68));
}

TEST(Driver, MarkerReadsOffSamples) {
  Scratch s;
  const std::string path = s.Write("m.txt", FrameLog(102, {850}, "\r\n", 1));  // a step of 105
  const DriverRun run = s.Run("open " + path +
                              "\nkey 39\ndump\nkey 37\nkey 37\ndump\nkey 38\ndump\n"
                              "key 39\nscroll MarkerStepScroll 25\nkey 39\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& in = run.dumps.at(0)["controls"];
  EXPECT_EQ(run.dumps.at(0)["vars"]["MarkerPos"].number, 10);
  EXPECT_EQ(in["Overlay"]["left"].number, 550 + 10 * 105);
  EXPECT_EQ(in["DataPointText"]["text"].text, "11");
  EXPECT_EQ(in["MarkerValueText"]["text"].text, " 850");
  EXPECT_TRUE(in["DataPointText"]["visible"].boolean);
  EXPECT_FALSE(in["MarkerInstructions"]["visible"].boolean);
  EXPECT_EQ(in["MarkerStepValueText"]["text"].text, "10");

  const Json& out = run.dumps.at(1);
  EXPECT_EQ(out["vars"]["MarkerPos"].number, 0);
  EXPECT_FALSE(out["controls"]["DataPointText"]["visible"].boolean);
  EXPECT_TRUE(out["controls"]["MarkerInstructions"]["visible"].boolean);

  // Any other key only draws the value axis again.
  const Json& canvas = run.dumps.at(2)["canvas"];
  const Json& last = canvas[canvas.size() - 1];
  EXPECT_EQ(last[0].number, 550);
  EXPECT_EQ(last[3].number, 4000);
  EXPECT_EQ(last[4].number, 0xFF0000);

  const Json& stepped = run.dumps.at(3);
  EXPECT_EQ(stepped["controls"]["MarkerStepValueText"]["text"].text, " 25");
  EXPECT_EQ(stepped["vars"]["MarkerStep"].text, " 25");
  EXPECT_EQ(stepped["vars"]["MarkerPos"].number, 35);
}

TEST(Driver, MarkerStepMustBeAPositiveWholeNumber) {
  Scratch s;
  const std::string path = s.Write("m.txt", FrameLog(102, {850}, "\r\n", 1));
  // After a step of 7 (offset 17), a typed step that is taken moves on by
  // it; one that is not moves on by 7 and the box shows 7 again. The window
  // spans 100 samples: a step onto offset 100 leaves the marker on the last
  // sample it read off.
  for (const auto& [typed, pos, step, marked] : {std::tuple{"3", 20, "3", "21"},
                                                 {"abc", 24, "7", "25"},
                                                 {"-3", 24, "7", "25"},
                                                 {"2.5", 24, "7", "25"},
                                                 {"0", 24, "7", "25"},
                                                 {"12", 29, "12", "30"},
                                                 {"83", 100, "83", "18"}}) {
    SCOPED_TRACE(typed);
    const DriverRun run = s.Run("open " + path + "\nkey 39\ntype MarkerStepValueText 7\nkey 39\n" +
                                "type MarkerStepValueText " + typed + "\nkey 39\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& d = run.dumps.at(0);
    EXPECT_EQ(d["vars"]["MarkerPos"].number, pos);
    EXPECT_EQ(d["vars"]["MarkerStep"].text, step);
    EXPECT_EQ(d["controls"]["MarkerStepValueText"]["text"].text, step);
    EXPECT_EQ(d["controls"]["DataPointText"]["text"].text, marked);
  }
}

}  // namespace
}  // namespace zelk::e2e
