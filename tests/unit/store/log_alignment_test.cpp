// A second log on the first log's time axis: where its samples stand, which
// of them is nearest a time, and the offset as the user types and reads it.
#include "store/log_alignment.h"

#include <gtest/gtest.h>

namespace zelk::store {
namespace {

Ticks Typed(std::string_view text) { return ReadOffset(text, {}).offset.value_or(-1); }

// 12.4 s later, every pair of kinds: the second log's sample at 1 minute
// stands at 72.4 s, its 10000th 12.4 s after the first log's 10000th to the
// last bit; set at two markers, its sample stands on the first's.
TEST(LogAlignment, SecondSamplesStandAtTheirTimesOnTheFirstAxis) {
  constexpr LogFormat kKinds[] = {kFrameLog, kTimeLog, kShortTimeLog};
  // The first log's sample at 72.4 s, and 12.4 s in samples, of each kind.
  const double at72s[] = {176 - 1.0 / 30, 73.4, 182}, shift[] = {30 - 1.0 / 30, 12.4, 31};
  for (const LogFormat first : kKinds) {
    for (const LogFormat second : kKinds) {
      SCOPED_TRACE(std::to_string(first) + " under " + std::to_string(second));
      LogAlignment a({first, 10000}, {second, 10000}, Typed("12.4"));
      EXPECT_EQ(a.SecondAsFirstSample(KindOf(second).samplesPerMinute + 1), at72s[first]);
      if (first == second) EXPECT_EQ(a.SecondAsFirstSample(10000), 10000 + shift[first]);
      a.AlignAt(7001, 2);
      EXPECT_EQ(a.SecondAsFirstSample(2), 7001);
      EXPECT_EQ(a.SecondNearestTo(7001), 2);
    }
  }
}

// A "Time" log (1 s a sample, 0 to 9 s) under a "#time" log (0.4 s a
// sample, 0 to 4 s from its start).
TEST(LogAlignment, NearestSecondSampleTiesToTheEarlierAndEndsHalfASpacingOut) {
  const struct {
    const char* offset;
    long firstSample;
    std::optional<long> nearest;
  } cases[] = {
      {"0", 1, 1},     {"0", 2, 3},       // 1.0 s between 0.8 and 1.2 s
      {"0", 5, 11},    {"0", 6, {}},      // the second log ends at 4.0 s
      {"0.2", 1, 1},   {"0.3", 1, {}},    // half a spacing before its start
      {"-0.2", 5, 11}, {"-0.3", 5, {}},   // and after its end
      {"-2", 1, 6},    {"+3.1 s", 5, 3},  // it starts before, inside the first log
      {"100", 10, {}}, {"-100", 1, {}},   // past the first log's either end
  };
  for (const auto& c : cases) {
    const LogAlignment a({kTimeLog, 10}, {kShortTimeLog, 11}, Typed(c.offset));
    EXPECT_EQ(a.SecondNearestTo(c.firstSample), c.nearest)
        << c.offset << " s, sample " << c.firstSample;
  }
}

// The offset typed and as the window names it, or why it is refused.
TEST(LogAlignment, OffsetsTypedAndReadAsTheWindowShowsThem) {
  EXPECT_EQ(OffsetCaption("logs/drive_b.txt", Typed("12.4")), "drive_b.txt +12.4 s");
  EXPECT_EQ(OffsetCaption("drive_b.txt", Typed(" -3 s")), "drive_b.txt -3.0 s");
  EXPECT_EQ(OffsetCaption("drive_b.txt", Typed("-0.04")), "drive_b.txt +0.0 s");
  const OffsetReading comma = ReadOffset("12,4", {});
  EXPECT_EQ(comma.offset, std::nullopt);
  EXPECT_EQ(comma.problem, "\"12,4\" is not a number of seconds, such as 12.4 or -3.");
}

}  // namespace
}  // namespace zelk::store
