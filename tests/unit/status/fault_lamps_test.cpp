// The fault lamps: which of them a log lights red.
#include "status/fault_lamps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_text.h"

namespace zelk::status {
namespace {

using testlogs::Frame7DWith;
using testlogs::Frame80With;
using testlogs::FrameLogOf;

std::vector<std::string> Status80(const std::vector<std::string>& byte13,
                                  const std::vector<std::string>& byte14 = {}) {
  std::vector<std::string> frames;
  for (size_t i = 0; i < byte13.size(); ++i) {
    frames.push_back(Frame80With({{13, byte13[i]}, {14, i < byte14.size() ? byte14[i] : "00"}}));
  }
  return frames;
}

// Which lamps a log lights red, and when one of their faults was reported
// (first, last, in how many samples), on every kind of log: in the first
// sample, a later and the last one, from a 0x7D frame. A red lamp's tip
// says so in times and samples, a green one has none.
TEST(FaultLamps, AnyReadingOfTheLogLightsItsLamps) {
  const std::vector<std::string> none;
  const struct {
    const char* what;
    std::string log;
    std::vector<int> red;
    int lamp = -1;  // whose span is checked
    FaultSpan span = {};
  } cases[] = {
      // clang-format off
      {"bit 3 in two frames, bit 0 in the last",
       FrameLogOf(Status80({"00", "08", "00", "09"}), none), {0, 11}, 11, {2, 4, 2}},
      {"every lamp of byte 14, none of byte 13",
       FrameLogOf(Status80({"00", "00"}, {"BB", "70"}), none), {4, 5, 6, 7, 8, 10}},
      {"bits that no lamp shows", FrameLogOf(Status80({"94"}, {"44"}), none), {}},
      {"0x7D byte 5 bit 3", FrameLogOf({}, {Frame7DWith({{5, "00"}}), Frame7DWith({{5, "08"}})}),
       {9}, 9, {2, 2, 1}},
      {"0x7D byte 5 without bit 3", FrameLogOf({}, {Frame7DWith({{5, "F7"}})}), {}},
      {"lower-case digits, in the first sample", FrameLogOf(Status80({"0a"}), none), {1, 11}, 1,
       {1, 1, 1}},
      // A cut-off frame and one that is no hexadecimal count for nothing;
      // the frames after them still do.
      {"cut-off and unreadable frames are skipped",
       FrameLogOf({"80  1C 00", Frame80With({{13, "G1"}}), Frame80With({{13, "20"}})}, none), {2}},
      {"a log of one frame", "ZelkLog\r\nECU\r\nrec\r\n" + Frame80With({{14, "80"}}), {7}},
      // "Time" logs: FByte1 (column 19) and FByte2 (column 20) as decimal
      // numbers; the coolant column is no status byte.
      {"Time log status columns",
       testlogs::TimeLog({{5, {"95", "96"}}, {19, {"0", "1"}}, {20, {"128", "0"}}}), {0, 7}, 7,
       {1, 1, 1}},
      {"Time log, later and last", testlogs::TimeLog({{19, {"0", "1", "3"}}}), {0, 1}, 0,
       {2, 3, 2}},
      {"Time log values that are no byte", testlogs::TimeLog({{19, {"1.5", "-1", "256", "x"}}}),
       {}},
      {"#time log", testlogs::ShortTimeLog({{1, {"255", "255"}}, {2, {"9", "9"}}}), {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    store::LogData log;
    ASSERT_EQ(store::ReadLogText(c.log, log).outcome, store::ReadOutcome::Loaded) << c.what;
    std::vector<int> red;
    const auto spans = FaultSpans(log);
    for (int i = 0; i < kLampCount; ++i)
      if (LampStates(log)[i]) red.push_back(i);
    EXPECT_EQ(red, c.red) << c.what;
    if (c.lamp >= 0) {
      EXPECT_EQ(spans[c.lamp], c.span) << c.what;
    }
  }
  // Sample 1 is at the log's start.
  EXPECT_EQ(FaultToolTip({1, 61, 2}, store::kTimeLog),
            "First reported at 0:00.0 (sample 1), last at 1:00.0 (sample 61), in 2 samples");
  EXPECT_EQ(FaultToolTip({}, store::kTimeLog), "");
}

}  // namespace
}  // namespace zelk::status
