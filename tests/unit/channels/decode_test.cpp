// Each channel's decode and draw through its own Load and Draw on a recording
// canvas: the tables it fills, the listing, the average and the lines drawn.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

// The engine-speed graph: frame, limit line and series (its title and labels
// are checked where the window shows them), and its listing.
TEST_F(ChannelTest, EngineSpeedGraphAndListing) {
  // 102 samples, a step of 10500 / 101; the unpaired last frame is none.
  Show(ChannelId::EngineSpeed, testlogs::FrameLog(102, {850, 6000, 0, 65535}, "\r\n", 1));
  const auto& l = lines();
  ASSERT_GE(l.size(), 3u + 101u);
  EXPECT_EQ(l[0], (chart::Line{550, 100, 550, 4000, chart::kBlue, 1}));
  EXPECT_EQ(l[1], (chart::Line{550, 4000, 11200, 4000, chart::kBlue, 1}));
  EXPECT_EQ(l[2], (chart::Line{550, 250, 11200, 250, chart::kRed, 2}));
  // The first sample stands on the value axis.
  EXPECT_EQ(l[3], (chart::Line{550, 3473, 653.96039f, 280, chart::kBlack, 2}));
  EXPECT_EQ(l.back().x2, 11050);

  // A speed that cannot be read counts as 0, and the rest of the log is
  // still listed, every sample to the last: four characters a sample where
  // they fit, never a digit or a sign cut off.
  const auto speed = [](const char* high, const char* low) {
    return Frame80With({{1, high}, {2, low}});
  };
  const std::pair<std::string, std::string> cases[] = {
      {FrameLogOf({speed("03", "52"), speed("0G", "52"),  // no hexadecimal
                   kShort80,                              // too short for byte 2
                   speed("FF", "FF"), speed("30", "39"), speed("00", "32"), speed("04", "D2"),
                   speed("00", "00")},
                  {}),
       "0850 0000 0000 -1 12345  50 1234 0000 "},
      {ShortTimeLog({{1, {"850", "N/A", "99999", "850.5", "-7", "", "1e3", "0"}}}),
       "0850 0000 0000 0850 -7 0000 1000 0000 "},
  };
  for (const auto& [log, listing] : cases) {
    Show(ChannelId::EngineSpeed, log);
    EXPECT_EQ(view_.text, "Raw Data - Revolutions/Minute\r\n" + listing);
  }

  // Over the longest window, 8999 steps, the x of every point is the exact
  // sum of its steps rounded once: no drift from adding rounded steps.
  Show(ChannelId::EngineSpeed, testlogs::FrameLog(9000, {1500}));
  EXPECT_EQ(std::pair(lines()[4500].x2, lines().back().x2), std::pair(5798.25f, 11050.0f));
}

// The temperatures channel: three series from a frame log, in degrees
// Celsius, the coolant listed with its sign.
TEST_F(ChannelTest, TemperaturesFrameLogDrawsCoolantIntakeAndFuelWithTheirLegend) {
  // Bytes 3, 5 and 6 of the 0x80 frame, less 55: upper and lower case,
  // 00 and FF, a frame too short for them and bytes that are no hexadecimal.
  ExpectDecoded(
      {.id = ChannelId::Temperatures,
       .what = "frame log",
       .log = FrameLogOf({Frame80With({{3, "8C"}, {5, "50"}, {6, "4B"}}),
                          Frame80With({{3, "00"}, {5, "00"}, {6, "FF"}}),
                          Frame80With({{3, "3e"}, {5, "41"}, {6, "4b"}}), kShort80,
                          Frame80With({{3, "ZZ"}, {5, "G5"}, {6, "4B"}})},
                         {}),
       .data = "85|-55|7|0|0",
       .text = "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n85° -55°  7°  0°  0° ",
       .lines = 24});
  // The legend: a stroke of each series' colour beside its name.
  EXPECT_EQ(lines()[15], (chart::Line{2800, 520, 3400, 520, chart::kBlack, 2}));
  EXPECT_EQ(lines()[16], (chart::Line{4100, 520, 4700, 520, chart::kGreen, 2}));
  EXPECT_EQ(lines()[17].colour, chart::kMagenta);
  EXPECT_EQ(lines()[23], (chart::Line{5400, 520, 5800, 520, chart::kMagenta, 2}));
  EXPECT_EQ(TextsOf(tables_.plot[2], 5), (Texts{" 20", " 200", " 20", " 0", " 20"}));
}

// Every channel on each kind of log: a frame log's bytes, a "Time" log's and a
// "#time" log's column texts, with the unreadable, empty and cut-off values
// among them.
TEST_F(ChannelTest, EachChannelDecodesEachKindOfLog) {
  const std::string volts = "Raw Data - Battery Voltage\r\n",
                    advance = "Raw Data - Ignition Advance\r\n",
                    loop = "Raw Data - ECU Fuel Loop Status\r\n",
                    map = "Raw Data - Manifold Absolute Pressure (MAP) - PSI\r\n",
                    trim = "Raw Data - Short Term Fuel Trim (STFT) - %\r\n",
                    lambda = "Raw Data - Lambda (Oxygen Sensor) Voltage\r\n",
                    tpv = "Raw Data - Throttle Potentiometer Voltage\r\n";
  const auto column = [](int k, Texts values) { return TimeLog({{k, std::move(values)}}); };
  const auto lambda7D = [](const std::string& volts, const std::string& status) {
    return Frame7DWith({{6, volts}, {9, status}});
  };
  // clang-format off
  const Decoded cases[] = {
      {ChannelId::Temperatures, "Time: the intake column again as fuel, not drawn",
       TimeLog({{5, {"50", "120", "0"}}, {8, {"20", "30", "40"}}}), "50|120|0",
       "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n50° 120°  0° ", {}, {}, {}, 9},
      {ChannelId::Temperatures, "#time, rounded half to even", ShortTimeLog({{2, {"85.5", "120.4", "-5"}}}),
       "85.5|120.4|-5", "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n86° 120° -5° "},
      {ChannelId::Battery, "frame log", FramesWith(0, 8, "7E 82 64 05 FF 00 6a G0 8C"),
       " 12.6| 13.0| 10| .5| 25.5| 0| 10.6| 0| 14.0",
       volts + "12.6V 13.0V  10V  .5V 25.5V  0V 10.6V  0V 14.0V ", {}, {},
       " 12.6| 13| 10| .5| 25.5| 0| 10.6| 0| 14"},
      {ChannelId::Battery, "column texts carry no blank, so whole volts stay as they are",
       column(10, {"13.52", "12", "11.0", "9.8", "14"}), "13.52|12|11|9.8|14",
       volts + "13.52V 12V 11V 9.8V 14V "},
      {ChannelId::Battery, "#time", ShortTimeLog({{7, {"12.6", "abc", "-1", "13"}}}), "12.6|abc|-1|13",
       volts + "12.6V abcV -1V 13V "},
      // Half degrees from -24, listed rounded half to even with their sign; a
      // byte that cannot be read stands for 0°, not -24°; 117 over 11 samples.
      {ChannelId::Ignition, "frame log", FramesWith(0, 22, "40 41 42 43 30 20 FF 00 zz - 44"),
       " 8| 8| 9| 10| 0|-8| 104|-24| 0| 0| 10",
       advance + "08° 08° 09° 10° 00° -08° 104° -24° 00° 00° 10° ", {}, "Average Advance = 10.6°"},
      {ChannelId::Ignition, "summed unrounded, listed rounded to even",
       column(7, {"12.5", "0.5", "-0.5", "1.5", "0"}), "12.5|0.5|-0.5|1.5|0",
       advance + "12° 00° 00° 02° 00° ", {}, "Average Advance = 2.8°"},
      {ChannelId::Ignition, "#time records none: nothing drawn", ShortTimeLog({{1, {"900", "900", "900"}}}),
       "N/A|N/A|N/A", "Ignition Advance not supported by Quillon", {}, {}, {}, 2},
      // 0xFF and 0xFD lie above the plot, held at its top; status 2 too.
      {ChannelId::Lambda, "frame log",
       FrameLogOf({}, {lambda7D("57", "00"), lambda7D("FF", "01"), lambda7D("fd", "01"),
                       lambda7D("01", "00"), lambda7D("q1", "02"), kShort7D, lambda7D("C8", "00")}),
       " .435| 1.275| 1.265| .005| 0| 0| 1", lambda + "0.43 1.27 1.26 0.00 0.00 0.00 1.00 ",
       {}, {}, {}, 20},
      // Column logs have no status series and no legend.
      {ChannelId::Lambda, "millivolts", column(13, {"450", "1000", "1300", "abc", "0.004", "0"}),
       "0.45|1|1.3|0|0.000004|0", lambda + "0.45 1.00 1.30 0.00 0.00 0.00 ", {}, {}, {}, 9},
      {ChannelId::Lambda, "#time: tenths of millivolts", ShortTimeLog({{10, {"4500", "12750", "0.05", "-70"}}}),
       "0.45|1.275|0.000005|-0.007", lambda + "0.45 1.27 0.00 0.00 ", {}, {}, {}, 8},
      // An empty text lists as a blank; nothing is cut off.
      {ChannelId::FuelLoop, "frame log", FramesWith(1, 10, "00 00 01 01 10 g0 01"), " 0| 0| 1| 1| 16| 0| 1",
       loop + "0 0 1 1 16 0 1 "},
      {ChannelId::FuelLoop, "Time", column(12, {"1", "", "0", "1"}), "1||0|1", loop + "1  0 1 "},
      {ChannelId::FuelLoop, "#time", ShortTimeLog({{9, {"1", "2.5", "-1"}}}), "1|2.5|-1", loop + "1 2.5 -1 "},
      // Degrees on frame logs; volts / 0.2 on column logs, a text that is no
      // number as 0; "#time" texts are widened in the table, the plotted ones kept.
      {ChannelId::Throttle, "frame log", FramesWith(1, 2, "2D 05 78 00 zz ff 2D"),
       " 45| 5| 120| 0| 0| 255| 45",
       "Raw Data - Throttle Position Sensor (TPS)\r\n45°  5° 120°  0°  0° 255° 45° "},
      {ChannelId::Throttle, "Time", column(9, {"0.9", "0.8", "abc", "", "1", "0.25", "0.000001", "0.3"}),
       "4.5|4.00|0.00|0.00|5.00|1.25|0.000005|1.5",
       tpv + "4.5V 4.00V 0.00V 0.00V 5.00V 1.25V 0.000005V 1.5V "},
      {ChannelId::Throttle, "#time", ShortTimeLog({{4, {"4.5", "1", "2", "0.0", "1.25", "4.5"}}}),
       "4.5|1|2|0|1.25|4.5", tpv + "4.50V 1.00V 2V 0V 1.25V 4.50V "},
      // Listed in whole psi, 0.145038 to the kilopascal.
      {ChannelId::Manifold, "frame log", FramesWith(0, 7, "23 64 1E 6E 00 FF 1e ?x 65"),
       "35|100|30|110|0|255|30|0|101", map + "05 15 04 16 00 37 04 00 15 "},
      {ChannelId::Manifold, "Time", column(6, {"101", "12.5", "-20"}), "101|12.5|-20", map + "15 02 -03 "},
      {ChannelId::Manifold, "#time holds psi", ShortTimeLog({{5, {"abc", "14.7", "0"}}}), "abc|14.7|0",
       map + "00 15 00 "},
      // Percent from the raw 100, averaged over raw values above 70 only.
      {ChannelId::ShortTermTrim, "70 left out and 71 counted", FramesWith(1, 12, "64 00 68 60 46 47 64"),
       "100|0|104|96|70|71|100", trim + "00 -100 04 -04 -30 -29 00 ", {}, "Average STFT = -5.8%",
       "0|-100|4|-4|-30|-29|0"},
      {ChannelId::ShortTermTrim, "raw values rounded half to even",
       column(14, {"101.5", "99", "70.5", "80", "100"}), "101.5|99|70.5|80|100",
       trim + "02 -01 -30 -20 00 ", {}, "Average STFT = -4.8%", "1.5|-1|-29.5|-20|0"},
      {ChannelId::ShortTermTrim, "#time records none: nothing drawn",
       ShortTimeLog({{1, {"900", "900", "900"}}}), "||",
       "Short Term Fuel Trim (STFT) not supported by Quillon", {}, {}, "||", 2},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(c);

  // The lambda status series under the legend of both series.
  Show(ChannelId::Lambda, cases[8].log);
  EXPECT_EQ(lines()[10], (chart::Line{550, 4000, 2300, 900, chart::kGreen, 2}));
  EXPECT_EQ(lines()[18], (chart::Line{3300, 510, 3900, 510, chart::kBlack, 3}));
  EXPECT_EQ(lines()[19], (chart::Line{4400, 510, 5000, 510, chart::kGreen, 3}));
  EXPECT_EQ(view_.startY[1], 4000);

  // The manifold's read-off is in psi (the exported table shows it); a
  // pressure that is no number reads off empty.
  Show(ChannelId::Manifold, column(6, {"95", "abc"}));
  const channels::ChannelRow& manifold = *channels::ChannelOf(ChannelId::Manifold);
  EXPECT_EQ(channels::ReadOff(manifold, log_, tables_, 1), "13.78");
  EXPECT_EQ(channels::ReadOff(manifold, log_, tables_, 2), "");
}

// Averages are rounded as shown, a half away from zero and as shown, not as
// held (how the number text rounds is pinned by its own tests); a log
// without samples averages 0.
// The user-defined byte 12 of the 0x7D frames is averaged as the trim is:
// every sample counts, but one that is no byte is left out of the sum and of
// the count.
TEST_F(ChannelTest, AveragesRoundAsShown) {
  Texts trims(20, "100");
  trims[0] = "97";  // -3 over 20 samples
  // clang-format off
  const std::tuple<ChannelId, std::string, const char*> cases[] = {
      {ChannelId::ShortTermTrim, TimeLog({{14, trims}}), "Average STFT = -0.2%"},
      {ChannelId::UserDefined, FramesWith(1, 12, "64 67 ZZ 67 64 67 64"), "Average STFT = 1.5%"},
      {ChannelId::ShortTermTrim, TimeLog({}), "Average STFT = 0.0%"},
      {ChannelId::Ignition, TimeLog({}), "Average Advance = 0.0°"},
  };
  // clang-format on
  for (const auto& [id, log, average] : cases) {
    Show(id, log, {1, 12, "STFT"});
    EXPECT_EQ(view_.average, average) << log.substr(0, 5);
  }
  EXPECT_EQ(view_.text, "Raw Data - Ignition Advance\r\n");
  EXPECT_EQ(lines().size(), 2u);  // nothing drawn without samples
}

// The user-defined channel: a byte's decode, scale, listing, average and the
// byte whose bits it shows; a column log's columns.
TEST_F(ChannelTest, UserDefinedScalesListsAndShowsBits) {
  // Byte 2 of the 0x7D frames: the largest value of the window stands at
  // 1000, and the labels name round values at their heights.
  const auto showByte2 = [this](const std::string& bytes) {
    Show(ChannelId::UserDefined, FramesWith(1, 2, bytes), {1, 2, "Throttle Angle"});
  };
  showByte2("10 20 40 50 FF 08 30 30");
  EXPECT_EQ(lines()[6].y1, 1000);  // 0xFF
  EXPECT_EQ(view_.text, "Raw Data - Throttle Angle\r\n10 20 40 50 FF 08 30 30 ");
  EXPECT_EQ(Labels(), (Texts{"0x00", "0x40", "0x80", "0xC0", "0x100", "0x140", ""}));
  EXPECT_EQ(view_.labelTops, (std::array<int, 7>{3900, 3147, 2394, 1641, 888, 135, 180}));
  // A byte of 0s and 1s is labelled 0x00 and 0x01 once each.
  showByte2("00 01 00 01");
  EXPECT_EQ(Labels(), (Texts{"0x00", "0x01", "", "", "", "", ""}));
  EXPECT_EQ(view_.labelTops[1], 900);

  const std::pair<const char*, double> cases[] = {{"60 20 40 50 10 08 30 30", 3000.0 / 96},
                                                  {"00 00 00 00 00 00 00 00", 10}};
  for (const auto& [bytes, scale] : cases) {
    showByte2(bytes);
    EXPECT_EQ(view_.valueScale, scale) << bytes;
  }
  EXPECT_EQ(EndYs(2, 7), Ys(7, 4000));

  // A flagged byte shows the bits of the window's first sample.
  Texts frames(400, Frame7DWith({}));
  frames[290] = Frame7DWith({{3, "0A"}});  // sample 291 begins the second 2-minute page
  Show(ChannelId::UserDefined, FrameLogOf({}, frames), {1, 3, "Flags", true}, 2, 2);
  EXPECT_EQ(view_.bitsOf, "0A");
  Show(ChannelId::UserDefined, TimeLog({{1, {"81", "0"}}}), {1, 0, "RPM", true});
  EXPECT_EQ(view_.bitsOf, std::nullopt);  // only frame logs hold flag bytes

  // A column's value is the decimal number written there, listed as written;
  // a text that is no number has none.
  Show(ChannelId::UserDefined, TimeLog({{1, {"5", "850", "-1", "12.5", "FFFF", "0"}}}),
       {1, 0, "RPM"});
  EXPECT_EQ(view_.text, "Raw Data - RPM\r\n5 850 -1 12.5 FFFF 0 ");
  EXPECT_EQ(TextsOf(tables_.plot[0], 6), (Texts{"5", "850", "-1", "12.5", "", "0"}));
  EXPECT_EQ(Labels(), (Texts{"0", "200", "400", "600", "800", "1000", ""}));
  Show(ChannelId::UserDefined, TimeLog({{13, Texts(8, "66")}}), {1, 12, "STFT"});
  EXPECT_EQ(view_.average, std::nullopt);  // the 13th column is no trim
}

}  // namespace
}  // namespace zelk::testing
