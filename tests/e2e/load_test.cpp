// Loading logs through the driver: what the user sees after picking a file.
#include <gtest/gtest.h>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {

// A "Time" log of `samples` samples, engine speed in its first column.
std::string TimeLogOf(int samples) {
  return TimeLog({{1, std::vector<std::string>(samples - 1, "900")}});
}

TEST(Load, FirstFrameLogShowsEngineSpeedAndItsDetails) {
  Scratch s;
  const std::string path = s.Write("drive.txt", FrameLog(51, {850}));
  const DriverRun run = s.Run("open " + path + "\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& d = run.dumps.at(0);
  const Json& vars = d["vars"];
  EXPECT_EQ(vars["FileLoaded"].number, 1);
  EXPECT_EQ(vars["FileName"].text, "drive.txt");
  const Json& c = d["controls"];
  EXPECT_EQ(c["CurrentFileText"]["text"].text, "drive.txt");
  EXPECT_FALSE(c["Background"]["visible"].boolean);

  const auto bytes = c["UserByteSelect"]["items"].Strings();
  ASSERT_EQ(bytes.size(), 32u);
  EXPECT_EQ(bytes.front(), "00  Frame Size");
  EXPECT_EQ(bytes[11], "0B  Long Term Trim?");
  EXPECT_EQ(bytes.back(), "1F Unknown");
  EXPECT_EQ(c["UserByteSelect"]["index"].number, 1);
  EXPECT_EQ(c["UserPageSelect"]["items"].Strings(),
            (std::vector<std::string>{"0x80 Status Page", "0x7D Status Page"}));
  EXPECT_EQ(c["UserPageSelect"]["index"].number, 1);
  EXPECT_EQ(c["LabelInfo(4)"]["caption"].text, "Byte");
  EXPECT_EQ(c["LabelInfo(4)"]["top"].number, 4300);
  EXPECT_EQ(c["UserByteSelect"]["top"].number, 4560);
  EXPECT_TRUE(d["messages"].items.empty());
}

TEST(Load, ColumnLogsFillTheirByteLists) {
  const struct {
    std::string name, text;
    size_t entries;
    std::string first, last;
    int perMinute, sampleCount;
  } cases[] = {
      {"time.txt", TimeLogOf(90), 31, " 1 RPM", " 31 GPS Altitude", 60, 90},
      {"short.txt", ShortTimeLog({{1, std::vector<std::string>(75, "1500")}}), 11, " 1 RPM", " 11 ",
       150, 76},
  };
  for (const auto& k : cases) {
    Scratch s;
    const DriverRun run = s.Run("open " + s.Write(k.name, k.text) + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& c = run.dumps.at(0)["controls"];
    const auto bytes = c["UserByteSelect"]["items"].Strings();
    ASSERT_EQ(bytes.size(), k.entries) << k.name;
    EXPECT_EQ(bytes.front(), k.first);
    EXPECT_EQ(bytes.back(), k.last);
    EXPECT_EQ(c["UserByteSelect"]["index"].number, 0);
    EXPECT_EQ(c["LabelInfo(4)"]["caption"].text, "Byte/Field");
    EXPECT_EQ(c["LabelInfo(4)"]["top"].number, 3700);
    EXPECT_EQ(c["UserByteSelect"]["top"].number, 4000);
    EXPECT_FALSE(c["LTFTValue"]["visible"].boolean);
    EXPECT_FALSE(c["LabelInfo(21)"]["visible"].boolean);
    const Json& vars = run.dumps.at(0)["vars"];
    EXPECT_EQ(vars["SamplesPerMinute"].number, k.perMinute);
    EXPECT_EQ(vars["SampleCount"].number, k.sampleCount);
  }
}

TEST(Load, TripLengthRoundsHalfToEvenWhateverTheLinesEndWith) {
  const struct {
    std::string text;
    int sampleCount, tripMins;
  } cases[] = {{FrameLog(71, {}, "\n"), 72, 0},  // 72 / 145
               {FrameLog(73, {}, "\r"), 74, 1},  // 74 / 145
               {TimeLogOf(30), 30, 0},           // 0.5 goes to 0
               {TimeLogOf(90), 90, 2}};          // 1.5 goes to 2
  for (const auto& k : cases) {
    Scratch s;
    const DriverRun run = s.Run("open " + s.Write("log.txt", k.text) + "\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.dumps.at(0)["vars"]["SampleCount"].number, k.sampleCount);
    EXPECT_EQ(run.dumps.at(0)["vars"]["TripMins"].number, k.tripMins) << k.sampleCount;
  }
}

TEST(Load, RejectedFileKeepsTheLoadedLogAndItsNames) {
  Scratch s;
  const std::string good = s.Write("good.txt", TimeLogOf(100));
  const std::string bad = s.Write("bad.txt", "Zelk\r\necu\r\nx\r\n");
  const DriverRun run = s.Run("open " + good + "\ndump\nopen " + bad + "\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& before = run.dumps.at(0);
  const Json& after = run.dumps.at(1);
  ASSERT_EQ(after["messages"].size(), 1u);
  EXPECT_EQ(after["messages"][0]["title"].text, "ZelkScope");
  EXPECT_EQ(after["messages"][0]["text"].text, "Not a valid ZELK data file");
  EXPECT_TRUE(after["controls"]["Background"]["visible"].boolean);
  for (const char* var : {"LogFormat", "SampleCount", "TripMins", "SamplesPerMinute"}) {
    EXPECT_EQ(after["vars"][var].number, before["vars"][var].number) << var;
  }
  EXPECT_EQ(after["vars"]["FileName"].text, "good.txt");
  EXPECT_EQ(after["vars"]["FilePath"].text, good);
  EXPECT_EQ(after["controls"]["CurrentFileText"]["text"].text, "good.txt");
  EXPECT_EQ(after["controls"]["LabelInfo(4)"]["caption"].text, "Byte/Field");
  EXPECT_EQ(after["controls"]["Text"]["text"].text, before["controls"]["Text"]["text"].text);
  EXPECT_EQ(after["canvas"].size(), before["canvas"].size());
}

TEST(Load, LogBeyondTheTablesIsCutWithAMessage) {
  Scratch s;
  const DriverRun run = s.Run("open " + s.Write("huge.txt", FrameLog(10005, {700})) + "\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& d = run.dumps.at(0);
  EXPECT_EQ(d["vars"]["SampleCount"].number, 10000);
  ASSERT_EQ(d["messages"].size(), 1u);
  EXPECT_EQ(d["messages"][0]["text"].text,
            "\"huge.txt\" is longer than ZelkScope can hold: it was cut at line 20004, after 9999 "
            "samples.");
}

TEST(Load, ShortLogAfterALongOneShowsNothingOfTheLongOne) {
  Scratch s;
  const std::string longLog = s.Write("long.txt", FrameLog(1000, {3000}));
  const std::string shortLog = s.Write("short.txt", FrameLog(300, {1000}));
  // A 5-minute window of the short log reaches past its last sample.
  const DriverRun run =
      s.Run("open " + longLog + "\nopen " + shortLog + "\nselect YAxis 2\ndump\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const Json& d = run.dumps.at(0);
  const std::string listing = d["controls"]["Text"]["text"].text;
  EXPECT_EQ(listing.find("3000"), std::string::npos);
  EXPECT_NE(listing.find("1000"), std::string::npos);
  // Past the short log's last sample every point lies on the time axis.
  const Json& last = d["canvas"][d["canvas"].size() - 1];
  EXPECT_EQ(last[3].number, 4000);
}

}  // namespace
}  // namespace zelk::e2e
