// Whole sessions through the driver: a user loads a log, reads the lamps,
// picks a byte of their own, moves the marker, pages through the trip and
// uses the menus, as the window shows it at each step.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {

constexpr int kFrames = 900;  // six minutes of frames: a 5-minute window has a next page
constexpr int kFaultFrom = 600;

// A frame log whose 0x80 byte 13 reports the coolant sensor fault (bit 0)
// from frame kFaultFrom on, or never; 0x7D byte 3 is A5 in the first sample
// and 3C in the eleventh.
std::string SessionLog(bool fault) {
  std::vector<std::string> frames80, frames7D;
  for (int i = 0; i < kFrames; ++i) {
    frames80.push_back(Frame80With({{13, fault && i >= kFaultFrom ? "01" : "00"}}));
    frames7D.push_back(Frame7DWith({{3, i == 0 ? "A5" : i == 10 ? "3C" : "00"}}));
  }
  return FrameLogOf(frames80, frames7D);
}

bool Shown(const Json& c, const std::string& name, int i) {
  return c[name + "(" + std::to_string(i) + ")"]["visible"].boolean;
}

void ExpectLamps(const Json& c, bool coolantRed) {
  for (int i = 0; i < 12; ++i) {
    const bool red = i == 0 && coolantRed;
    EXPECT_EQ(Shown(c, "FaultRed", i), red) << "lamp " << i;
    EXPECT_EQ(Shown(c, "FaultGreen", i), !red) << "lamp " << i;
  }
}

void ExpectBits(const Json& c, int byte) {
  EXPECT_TRUE(c["BitSurround"]["visible"].boolean);
  EXPECT_TRUE(c["BitLabel"]["visible"].boolean);
  for (int k = 0; k < 8; ++k) {
    const bool set = (byte >> k) & 1;
    EXPECT_EQ(Shown(c, "Bit", k), set) << "bit " << k << " of " << Hex(byte);
    EXPECT_EQ(Shown(c, "BitClear", k), !set) << "bit " << k << " of " << Hex(byte);
  }
}

TEST(Session, LoadReadAByteOfOnesOwnPageThroughTheTripAndLeave) {
  Scratch s;
  const std::string faulty = s.Write("faulty.txt", SessionLog(true));
  const std::string clean = s.Write("clean.txt", SessionLog(false));
  // One dump after each step, numbered as the checks below read them.
  std::string script = "open " + faulty + "\nclick UserDefinedButton\ndump\n";  // 0
  script += "select UserPageSelect 0\ndump\n";                                  // 1
  script += "select UserPageSelect 1\nselect UserByteSelect 3\ndump\n";         // 2
  script += "key 39\ndump\n";                                                   // 3
  script += "select YAxis 2\nclick NextImage\ndump\n";                          // 4
  script += "click PreviousImage\ndump\n";                                      // 5
  script += "open " + clean + "\nclick AboutMenu\ndump\n";                      // 6
  script += "click PictureAbout\nclick Version\nclick ShellButton\ndump\n";     // 7
  script += "click ExitMenu\ndump\n";  // ends the script: no dump
  const DriverRun run = s.Run(script);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(run.dumps.size(), 8u);

  // The first page of the user-defined channel: the 0x7D page, byte 1.
  const Json& loaded = run.dumps[0]["controls"];
  ExpectLamps(loaded, true);
  EXPECT_EQ(loaded["UserPageSelect"]["index"].number, 1);
  EXPECT_EQ(loaded["UserByteSelect"]["index"].number, 1);
  EXPECT_EQ(loaded["ScreenTitle"]["caption"].text, "User Defined - Ignition Switch ?");
  EXPECT_TRUE(loaded["UserPageSelect"]["visible"].boolean);
  EXPECT_FALSE(loaded["BitSurround"]["visible"].boolean);

  // Another page lists its own bytes and starts at byte 0.
  const Json& page80 = run.dumps[1]["controls"];
  const auto bytes80 = page80["UserByteSelect"]["items"].Strings();
  ASSERT_EQ(bytes80.size(), 28u);
  EXPECT_EQ(bytes80.front(), "00  Frame Size");
  EXPECT_EQ(bytes80[16], "10  Idle HotBDPos");
  EXPECT_EQ(page80["UserByteSelect"]["index"].number, 0);
  EXPECT_EQ(page80["ScreenTitle"]["caption"].text, "User Defined - Frame Size");
  EXPECT_FALSE(page80["BitSurround"]["visible"].boolean);

  // Byte 3 of 0x7D is a bit field: the strip shows the first sample's byte.
  const Json& bits = run.dumps[2]["controls"];
  const auto bytes7D = bits["UserByteSelect"]["items"].Strings();
  ASSERT_EQ(bytes7D.size(), 32u);
  EXPECT_EQ(bytes7D[3], "03  Unknown");
  EXPECT_EQ(bytes7D.back(), "1F  Unknown");
  EXPECT_EQ(bits["UserByteSelect"]["index"].number, 3);
  EXPECT_EQ(bits["ScreenTitle"]["caption"].text, "User Defined - Unknown");
  ExpectBits(bits, 0xA5);

  // The marker ten samples on reads the eleventh sample's byte.
  const Json& marked = run.dumps[3];
  EXPECT_EQ(marked["vars"]["MarkerPos"].number, 10);
  EXPECT_EQ(marked["controls"]["DataPointText"]["text"].text, "11");
  EXPECT_EQ(marked["controls"]["MarkerValueText"]["text"].text, "60");
  ExpectBits(marked["controls"], 0x3C);

  // Paging by five minutes puts the marker back at the window's start.
  const struct {
    const char* duration;
    bool previous, next;
  } pages[] = {{"5 mins to 10 mins", true, false}, {"0 mins to 5 mins", false, true}};
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(pages[p].duration);
    const Json& d = run.dumps[4 + p];
    const Json& c = d["controls"];
    EXPECT_EQ(c["Duration"]["caption"].text, pages[p].duration);
    EXPECT_EQ(c["PreviousImage"]["visible"].boolean, pages[p].previous);
    EXPECT_EQ(c["NextImage"]["visible"].boolean, pages[p].next);
    EXPECT_EQ(d["vars"]["MarkerPos"].number, 0);
    EXPECT_EQ(c["Overlay"]["left"].number, 560);
    EXPECT_EQ(c["ScreenTitle"]["caption"].text, "User Defined - Unknown");
  }
  // The second page starts 5 of the trip's 6 minutes into its 900 samples.
  EXPECT_EQ(run.dumps[4]["controls"]["DataPointText"]["text"].text, "750");
  EXPECT_EQ(run.dumps[5]["controls"]["DataPointText"]["text"].text, "1");

  // A clean log turns the lamp green again; About shows its picture.
  const Json& about = run.dumps[6]["controls"];
  ExpectLamps(about, false);
  EXPECT_TRUE(about["PictureAbout"]["visible"].boolean);
  EXPECT_EQ(about["PictureAbout"]["left"].number, 4000);

  const Json& last = run.dumps[7];
  EXPECT_FALSE(last["controls"]["PictureAbout"]["visible"].boolean);
  ASSERT_EQ(last["messages"].size(), 1u);
  EXPECT_EQ(last["messages"][0]["title"].text, "ZelkScope");
  const std::string versions = last["messages"][0]["text"].text;
  EXPECT_EQ(versions.rfind("V1.00 - Initial Issue\r\n", 0), 0u) << versions;
  EXPECT_EQ(std::count(versions.begin(), versions.end(), '\n'), 4);
  EXPECT_TRUE(versions.ends_with("\r\nV1.04 - Bug fixes")) << versions;
  EXPECT_EQ(last["started"].Strings(), (std::vector<std::string>{"C:\\Readzelk.exe"}));
}

}  // namespace
}  // namespace zelk::e2e
