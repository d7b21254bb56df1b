// Every channel on each of the sample logs, through the driver as a user
// would reach it: the button, a window length, the next page, a marker step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {

// The buttons and the channel each shows.
constexpr std::pair<const char*, int> kChannels[] = {
    {"RPMButton", 1},    {"TemperatureButton", 2}, {"BatteryButton", 3},  {"IgnitionButton", 4},
    {"LambdaButton", 5}, {"LoopButton", 6},        {"ThrottleButton", 7}, {"UserDefinedButton", 8},
    {"MAPButton", 9},    {"STFTButton", 10}};

constexpr const char* kLogs[] = {"drive_frames.txt", "drive_time.txt", "drive_quillon.txt"};

// The window's samples, the last one past the time axis's end included; the
// user-defined curve stops at the log's last sample.
long WindowSamples(const Json& vars, bool toLogEnd) {
  long end = std::lround(vars["YEnd"].number);
  if (toLogEnd) end = std::min(end, std::lround(vars["SampleCount"].number) - 1);
  return end - std::lround(vars["YStart"].number) + 1;
}

TEST(Channels, EveryChannelOnEverySampleLogFullTripPagedAndMarked) {
  Scratch s;
  for (int kind = 0; kind < 3; ++kind) {
    const std::string log = std::string(ZELK_SAMPLE_LOGS) + "/" + kLogs[kind];
    for (const auto& [button, number] : kChannels) {
      SCOPED_TRACE(std::string(kLogs[kind]) + " " + button);
      const DriverRun run = s.Run("open " + log + "\nclick " + button +
                                  "\ndump\nselect YAxis 2\nclick NextImage\ndump\nkey 39\ndump\n");
      ASSERT_EQ(run.status, 0) << run.err;
      ASSERT_EQ(run.dumps.size(), 3u);
      for (const Json& d : run.dumps) {
        const Json& ctl = d["controls"];
        EXPECT_EQ(d["vars"]["CurrentChannel"].number, number);
        EXPECT_FALSE(ctl["ScreenTitle"]["caption"].text.empty());
        EXPECT_FALSE(ctl["Text"]["text"].text.empty());
        EXPECT_EQ(ctl[button]["backcolour"].number, 2147483650.0);
        // Two axes, then at least one segment for every sample of the window.
        const Json& lines = d["canvas"];
        ASSERT_GE(lines.size(),
                  2u + static_cast<size_t>(WindowSamples(d["vars"], number == 8)) - 2);
        EXPECT_EQ(lines[0].items.at(4).number, 0xFF0000);
        for (const Json& line : lines.items) {
          for (int k = 0; k < 4; ++k) ASSERT_TRUE(std::isfinite(line[k].number));
        }
      }
      const Json& paged = run.dumps[1];
      EXPECT_EQ(paged["controls"]["Duration"]["caption"].text, "5 mins to 10 mins");
      EXPECT_TRUE(paged["controls"]["PreviousImage"]["visible"].boolean);
      // The marker: ten samples into the page, read off and drawn again over
      // the graph without clearing it.
      const Json& marked = run.dumps[2];
      const Json& ctl = marked["controls"];
      EXPECT_EQ(ctl["DataPointText"]["text"].text,
                std::to_string(std::lround(marked["vars"]["YStart"].number) + 10));
      EXPECT_GT(marked["canvas"].size(), paged["canvas"].size());
    }
  }
}

}  // namespace
}  // namespace zelk::e2e
