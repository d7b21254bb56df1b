// The data table a user exports: one row per sample of the window that the
// log holds, in the units its header names.
#include "channels/series.h"

#include "channel_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Hex;

// 400 samples, 3 minutes. Sample s: coolant 0x8B + s % 20 (s 1: 0x8C, 85°),
// intake 40 + s % 10 (s 1: -14°), fuel 35°, throttle s % 90°, lambda
// s % 200 × 5 mV, lambda status s % 2.
std::string FrameTrip() {
  Texts frames80, frames7D;
  for (int s = 1; s <= 400; ++s) {
    frames80.push_back(Frame80With({{3, Hex(139 + s % 20)}, {5, Hex(40 + s % 10)}, {6, "5A"}}));
    frames7D.push_back(Frame7DWith({{2, Hex(s % 90)}, {6, Hex(s % 200)}, {9, Hex(s % 2)}}));
  }
  return FrameLogOf(frames80, frames7D);
}

// "Time": 200 rows, 200 samples, 3 minutes; coolant 80 + s % 10.
std::string TimeTrip() {
  Texts coolant;
  for (int s = 1; s <= 200; ++s) coolant.push_back(std::to_string(80 + s % 10));
  return TimeLog(
      {{5, coolant}, {6, Texts(200, "101")}, {8, Texts(200, "25.5")}, {9, Texts(200, "0.5")}});
}

// "#time": 400 rows, 0.1 mV of lambda at sample 1.
std::string ShortTrip() {
  Texts lambda(400, "450");
  lambda[0] = "0.1";
  // clang-format off
  return ShortTimeLog({{1, Texts(400, "1234")}, {2, Texts(400, "90")}, {3, Texts(400, "-3")},
                       {5, Texts(400, "14.7")}, {10, lambda}});
  // clang-format on
}

TEST_F(ChannelTest, DataTableHoldsTheWindowsSamplesAsPlotted) {
  const std::string logs[] = {FrameTrip(), TimeTrip(), ShortTrip()};
  const struct {
    int log;
    bool paged;  // the second 2-minute page, else the Full Trip
    ChannelId id;
    channels::ByteChoice choice;
    const char *header, *first, *last;
  } cases[] = {
      // clang-format off
      {0, false, ChannelId::Temperatures, {}, "coolant_c,intake_c,fuel_c",
       "1,0.0000,85,-14,35", "400,2.7517,84,-15,35"},
      // Page 2 runs from 291 to 580 and the log ends at sample 400.
      {0, true, ChannelId::Lambda, {}, "lambda_v,lambda_status", "291,2.0000,0.455,1",
       "400,2.7517,0,0"},
      {0, false, ChannelId::Throttle, {}, "throttle_deg", "1,0.0000,1", "400,2.7517,40"},
      {0, false, ChannelId::UserDefined, {0, 3, "Coolant Temp"}, "coolant_temp", "1,0.0000,140",
       "400,2.7517,139"},
      // Column logs give the time each row records as well.
      {1, false, ChannelId::Temperatures, {}, "log_time,coolant_c,intake_c", "1,0.0000,1,81,25.5",
       "200,3.3167,200,80,25.5"},
      // Page 2 runs from 121 to 240 and the log ends at sample 200.
      {1, true, ChannelId::Throttle, {}, "log_time,throttle_v", "121,2.0000,121,2.5",
       "200,3.3167,200,2.5"},
      {1, false, ChannelId::UserDefined, {1, 4, "Coolant Temp (C)"}, "log_time,coolant_temp_c",
       "1,0.0000,1,81", "200,3.3167,200,80"},
      // Kilopascals in a "Time" log, psi in a "#time" log: psi in the table.
      {1, false, ChannelId::Manifold, {}, "log_time,manifold_psi", "1,0.0000,1,14.65",
       "200,3.3167,200,14.65"},
      {2, false, ChannelId::Manifold, {}, "log_time,manifold_psi", "1,0.0000,1,14.7",
       "400,2.6600,400,14.7"},
      // Page 2 runs from 301 to 600 and the log ends at sample 400.
      {2, true, ChannelId::Temperatures, {}, "log_time,coolant_c,intake_c", "301,2.0000,301,90,-3",
       "400,2.6600,400,90,-3"},
      {2, false, ChannelId::Lambda, {}, "log_time,lambda_v", "1,0.0000,1,0.00001",
       "400,2.6600,400,0.045"},
      {2, false, ChannelId::UserDefined, {1, 0, "RPM"}, "log_time,rpm", "1,0.0000,1,1234",
       "400,2.6600,400,1234"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.header) + " on log " + std::to_string(c.log));
    Show(c.id, logs[c.log], c.choice, c.paged ? 2 : 0, c.paged ? 2 : 0);
    const std::string csv =
        channels::DataCsv(*channels::ChannelOf(c.id), log_, tables_, c.choice, window_,
                          store::kLogKinds[log_.format].samplesPerMinute);
    ASSERT_TRUE(csv.ends_with('\n'));
    const Texts rows = Split(csv, '\n');
    ASSERT_EQ(rows.size(), std::stol(c.last) - std::stol(c.first) + 2);
    EXPECT_EQ(rows[0], std::string("sample,minutes,") + c.header);
    EXPECT_EQ(rows[1], c.first);
    EXPECT_EQ(rows.back(), c.last);
  }
  for (const char* name : {"", "  --  "}) EXPECT_EQ(channels::Slug(name), "value") << name;
}

}  // namespace
}  // namespace zelk::testing
