// Each channel's decode and draw through its own Load and Draw on a recording
// canvas: the tables it fills, the listing, the average and the lines drawn.
#include "channel_fixture.h"

namespace zelk::testing {
namespace {

// The engine-speed graph: frame, limit line and series (its title and labels
// are checked where the window shows them), and its listing.
TEST_F(ChannelTest, EngineSpeedGraphAndListing) {
  // SampleCount 103: samples 1 to 101, a step of 105.
  Show(ChannelId::EngineSpeed, testlogs::FrameLog(102, {850, 6000, 0, 65535}, "\r\n", 1));
  const auto& l = lines();
  ASSERT_EQ(l.size(), 3u + 101u);
  EXPECT_EQ(l[0], (chart::Line{550, 100, 550, 4000, chart::kBlue, 1}));
  EXPECT_EQ(l[1], (chart::Line{550, 4000, 11200, 4000, chart::kBlue, 1}));
  EXPECT_EQ(l[2], (chart::Line{550, 250, 11200, 250, chart::kRed, 2}));
  // The first segment is level at the first sample's height.
  EXPECT_EQ(l[3], (chart::Line{550, 3422, 655, 3422, chart::kBlack, 2}));
  EXPECT_EQ(l[4], (chart::Line{655, 3422, 760, -80, chart::kBlack, 2}));
  EXPECT_EQ(l[6].y2, 4000.68f);  // -1 lies just below the time axis
  EXPECT_EQ(l.back().x2, 11155);

  // A speed that cannot be read counts as 0, and the rest of the log is
  // still listed: four characters a sample.
  const auto speed = [](const char* high, const char* low) {
    return Frame80With({{1, high}, {2, low}});
  };
  const std::pair<std::string, std::string> cases[] = {
      {FrameLogOf({speed("03", "52"), speed("0G", "52"),  // no hexadecimal
                   kShort80,                              // too short for byte 2
                   speed("FF", "FF"), speed("30", "39"), speed("00", "32"), speed("04", "D2"),
                   speed("00", "00"), speed("00", "00"), speed("00", "00")},
                  {}),
       "0850 0000 0000 -1 2345  50 1234 0000 "},
      {ShortTimeLog({{1, {"850", "N/A", "99999", "850.5", "-7", "", "1e3", "0", "0"}}}),
       "0850 0000 0000 0850 -7 0000 1000 0000 "},
  };
  for (const auto& [log, listing] : cases) {
    Show(ChannelId::EngineSpeed, log);
    EXPECT_EQ(view_.text, "Raw Data - Revolutions/Minute\r\n" + listing);
  }

  // Over the longest window, YEnd - YStart = 8997, the x of every point is the
  // exact sum of its steps rounded once: no drift from adding rounded steps.
  Show(ChannelId::EngineSpeed, testlogs::FrameLog(9000, {1500}));
  EXPECT_EQ(std::pair(lines()[4500].x2, lines().back().x2), std::pair(5799.4165f, 11051.167f));
}

// The temperatures channel: three series from a frame log, two from a column
// log, on the Celsius or the Fahrenheit face chosen by the last coolant value.
TEST_F(ChannelTest, TemperaturesFrameLogDrawsCoolantIntakeAndFuelWithTheirLegend) {
  // Bytes 3, 5 and 6 of the 0x80 frame, less 55: upper and lower case,
  // 00 and FF, a frame too short for them and bytes that are no hexadecimal.
  const Decoded c = {ChannelId::Temperatures,
                     "frame log",
                     FrameLogOf({Frame80With({{3, "8C"}, {5, "50"}, {6, "4B"}}),
                                 Frame80With({{3, "00"}, {5, "00"}, {6, "FF"}}),
                                 Frame80With({{3, "3e"}, {5, "41"}, {6, "4b"}}), kShort80,
                                 Frame80With({{3, "ZZ"}, {5, "G5"}, {6, "4B"}})},
                                {}),
                     "85|-55|7|0|0",
                     "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n85° 55°  7°  0° ",
                     {1350, 5550, 3690, 3900}};
  ExpectDecoded(c, 3);
  ASSERT_EQ(lines().size(), 18u);
  EXPECT_EQ(lines()[6].x2, 14550);  // 10500 / 3 a sample
  EXPECT_EQ(EndYs(7, 4), (Ys{3150, 5550, 3600, 3900}));
  EXPECT_EQ(lines()[11], (chart::Line{2800, 520, 3400, 520, chart::kBlack, 2}));
  EXPECT_EQ(lines()[12], (chart::Line{4100, 520, 4700, 520, chart::kGreen, 2}));
  EXPECT_EQ(EndYs(13, 4), (Ys{3300, -2100, 3300, 3900}));
  EXPECT_EQ(lines()[13], (chart::Line{550, 3300, 4050, 3300, chart::kMagenta, 2}));
  EXPECT_EQ(lines()[17], (chart::Line{5400, 520, 5800, 520, chart::kMagenta, 2}));
}

TEST_F(ChannelTest, TemperaturesCoolantAtTheWindowsEndChoosesTheFace) {
  // Column logs keep their texts as stored; the fuel series is not drawn.
  const struct {
    const char* what;
    std::string log;
    bool fahrenheit;
    std::string listing;
    Ys coolantYs, intakeYs;
    const char* fuel;
  } cases[] = {
      // clang-format off
      {"120 is still Celsius", TimeLog({{5, {"50", "120", "0"}}, {8, {"20", "30", "40"}}}), false,
       "50° 120° ", {2400, 300}, {3300, 3000}, "30"},
      {"121 is Fahrenheit", TimeLog({{5, {"-10", "121", "0"}}, {8, {"20", "-5", "40"}}}), true,
       "10° 121° ", {4060, 1964}, {3580, 3980}, "-5"},
      {"a fraction above 120", ShortTimeLog({{2, {"85.5", "120.4", "5"}}, {3, {"7", "abc", "1"}}}),
       true, "86° 120° ", {2532, 1973.6f}, {3788, 3900}, "0"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Show(ChannelId::Temperatures, c.log);
    const char* face = c.fahrenheit ? "Temperatures (°F)" : "Temperatures (°C)";
    EXPECT_EQ(view_.title, std::string(face) + "          Coolant                Intake");
    EXPECT_EQ(view_.labels[6], std::string(c.fahrenheit ? "240°" : "120°"));
    EXPECT_EQ(view_.labels[2], std::string(c.fahrenheit ? "70°" : "40°"));
    const float limit = c.fahrenheit ? 700 : 1000;
    EXPECT_EQ(lines()[2], (chart::Line{550, limit, 11200, limit, chart::kRed, 2}));
    EXPECT_EQ(view_.text, "Raw Data - Coolant Temperature (Deg Centrigrade)\r\n" + c.listing);
    ASSERT_EQ(lines().size(), 9u);  // axes, limit, two series of two, two strokes
    EXPECT_EQ(EndYs(3, 2), c.coolantYs);
    EXPECT_EQ(EndYs(5, 2), c.intakeYs);
    EXPECT_EQ(tables_.plot[2][2], c.fuel);
  }
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
      {ChannelId::Battery, "frame log", FramesWith(0, 8, "7E 82 64 05 FF 00 6a G0 8C"),
       " 12.6| 13.0| 10| .5| 25.5| 0| 10.6| 0| 14.0", volts + "12.6V 13.0V  10V  .5V 25.5V  0V 10.6V  0V ",
       {2400, 2080, 4480, 12080, -7920, 12480, 4000, 12480}, {},
       " 12.6| 13| 10| .5| 25.5| 0| 10.6| 0| 14"},
      {ChannelId::Battery, "column texts carry no blank, so whole volts stay as they are",
       column(10, {"13.52", "12", "11.0", "9.8", "14"}), "13.52|12|11|9.8|14",
       volts + "3.52V 12V 11V 9.8V ", {1664, 2880, 3680, 4640}},
      {ChannelId::Battery, "#time", ShortTimeLog({{7, {"12.6", "abc", "-1", "13"}}}), "12.6|abc|-1|13",
       volts + "12.6V abcV -1V ", {2400, 12480, 13280}},
      // Half degrees from -24, listed rounded half to even; a byte that cannot
      // be read stands for 0°, not -24°; 107 over the window's 10 samples.
      {ChannelId::Ignition, "frame log", FramesWith(0, 22, "40 41 42 43 30 20 FF 00 zz - 44"),
       " 8| 8| 9| 10| 0|-8| 104|-24| 0| 0| 10", advance + "08° 08° 09° 10° 00° 08° 104° 24° 00° 00° ",
       {3040, 3040, 2920, 2800, 4000, 4960, -8480, 6880, 4000, 4000}, "Average Advance = 10.7°"},
      {ChannelId::Ignition, "summed unrounded, listed rounded to even",
       column(7, {"12.5", "0.5", "-0.5", "1.5", "0"}), "12.5|0.5|-0.5|1.5|0",
       advance + "12° 00° 00° 02° ", {2500, 3940, 4060, 3820}, "Average Advance = 3.5°"},
      {ChannelId::Ignition, "#time", ShortTimeLog({{1, {"900", "900", "900"}}}), "N/A|N/A|N/A",
       "Ignition Advance not supported by Quillon", {4000, 4000}},
      // 0xFF is 1.275 V at y 175: its segment is left out, the next one starts
      // there. Status 2 lies at y -2000, left out the same way.
      {ChannelId::Lambda, "frame log",
       FrameLogOf({}, {lambda7D("57", "00"), lambda7D("FF", "01"), lambda7D("fd", "01"),
                       lambda7D("01", "00"), lambda7D("q1", "02"), kShort7D, lambda7D("C8", "00")}),
       " .435| 1.275| 1.265| .005| 0| 0| 1", lambda + "0.43 1.27 1.26 0.00 0.00 0.00 ",
       {2695, 205, 3985, 4000, 4000}, {}, {}, 14},
      // Column logs have no status series and no legend.
      {ChannelId::Lambda, "millivolts", column(13, {"450", "1000", "1300", "abc", "0.004", "0"}),
       "0.45|1|1.3|0|0.000004|0", lambda + "0.45 1.00 1.30 0.00 0.00 ",
       {2650, 1000, 4000, 3999.988}, {}, {}, 6},
      {ChannelId::Lambda, "#time: tenths of millivolts", ShortTimeLog({{10, {"4500", "12750", "0.05", "7"}}}),
       "0.45|1.275|0.000005|0.0007", "Lambda (Oxygen Sensor) Voltage not supported by Quillon",
       {2650, 3999.985}, {}, {}, 4},
      // Listed by the last digit; an empty text lists as a blank.
      {ChannelId::FuelLoop, "frame log", FramesWith(1, 10, "00 00 01 01 10 g0 01"), " 0| 0| 1| 1| 16| 0| 1",
       loop + "0 0 1 1 6 0 ", {4000, 4000, 1000, 1000, -44000, 4000}},
      {ChannelId::FuelLoop, "Time", column(12, {"1", "", "0", "1"}), "1||0|1", loop + "1  0 ",
       {1000, 4000, 4000}},
      {ChannelId::FuelLoop, "#time", ShortTimeLog({{9, {"1", "2.5", "0"}}}), "1|2.5|0", loop + "1 5 ",
       {1000, -3500}},
      // Degrees on frame logs, listed by their last two digits; volts / 0.2 on
      // column logs, a text that is no number as 0; "#time" texts are widened
      // in the table, the plotted ones kept.
      {ChannelId::Throttle, "frame log", FramesWith(1, 2, "2D 05 78 00 zz ff 2D"),
       " 45| 5| 120| 0| 0| 255| 45",
       "Raw Data - Throttle Position Sensor (TPS)\r\n45°  5° 20°  0°  0° 55° ",
       {2200, 3800, -800, 4000, 4000, -6200}},
      {ChannelId::Throttle, "Time", column(9, {"0.9", "0.8", "abc", "", "1", "0.25", "0.000001", "0.3"}),
       "4.5|4.00|0.00|0.00|5.00|1.25|0.000005|1.5",
       tpv + "4.5V 4.00V 0.00V 0.00V 5.00V 1.25V 0.000005V ",
       {1950, 2100, 3300, 3300, 1800, 2925, 3299.9985}},
      {ChannelId::Throttle, "#time", ShortTimeLog({{4, {"4.5", "1", "2", "0.0", "1.25", "4.5"}}}),
       "4.5|1|2|0|1.25|4.5", tpv + "4.50V 1.00V 2V 0V 1.25V ",
       {2450, 3500, 3200, 3800, 3425}},
      // Plotted in kilopascals, listed in whole psi.
      {ChannelId::Manifold, "frame log", FramesWith(0, 7, "23 64 1E 6E 00 FF 1e ?x 65"),
       "35|100|30|110|0|255|30|0|101", map + "05 15 04 16 00 38 04 00 ",
       {2850, 900, 3000, 600, 3900, -3750, 3000, 3900}},
      {ChannelId::Manifold, "Time", column(6, {"101", "12.5", "0"}), "101|12.5|0", map + "15 02 ",
       {870, 3525}},
      // "#time" logs hold psi: 14.7 psi plots as 98 kPa.
      {ChannelId::Manifold, "#time", ShortTimeLog({{5, {"abc", "14.7", "0"}}}), "abc|14.7|0",
       map + "00 15 ", {3900, 960}},
      // Percent around 100, averaged over raw values above 70 only.
      {ChannelId::ShortTermTrim, "70 left out and 71 counted", FramesWith(1, 12, "64 00 68 60 46 47 64"),
       "100|0|104|96|70|71|100", trim + "100 00 104 96 70 71 ",
       {2150, 13150, 1710, 2590, 5450, 5340}, "Average STFT = -7.3%"},
      {ChannelId::ShortTermTrim, "nothing to average", FramesWith(1, 12, "05 zz - 46 64"), "5|0|0|70|100",
       trim + "05 00 00 70 ", {12600, 13150, 13150, 5450}, "Average STFT = 0.0%"},
      {ChannelId::ShortTermTrim, "raw values rounded half to even",
       column(14, {"101.5", "99", "70.5", "80", "100"}), "101.5|99|70.5|80|100",
       trim + "102 99 70 80 ", {1985, 2260, 5395, 4350}, "Average STFT = -6.3%"},
      {ChannelId::ShortTermTrim, "#time keeps no trim", ShortTimeLog({{1, {"900", "900", "900"}}}),
       "||", "Short Term Fuel Trim (STFT) not supported by Quillon", {13150, 13150}},
  };
  // clang-format on
  for (const auto& c : cases) ExpectDecoded(c);

  // The lambda status series and the legend of both series.
  Show(ChannelId::Lambda, cases[6].log);
  EXPECT_EQ(lines()[3].y1, 175);
  EXPECT_EQ(lines()[3].x1, 550 + 2 * 2100);
  EXPECT_EQ(EndYs(7, 5), (Ys{4000, 1000, 1000, 4000, 4000}));
  EXPECT_EQ(lines()[7], (chart::Line{550, 4000, 2650, 4000, chart::kGreen, 2}));
  EXPECT_EQ(lines()[11].y1, -2000);
  EXPECT_EQ(lines()[12], (chart::Line{3300, 510, 3900, 510, chart::kBlack, 3}));
  EXPECT_EQ(lines()[13], (chart::Line{4400, 510, 5000, 510, chart::kGreen, 3}));
  EXPECT_EQ(view_.startY[1], 4000);

  // The manifold's read-off is in psi (the exported table shows it); a
  // pressure that is no number reads off empty.
  Show(ChannelId::Manifold, column(6, {"abc", "abc"}));
  EXPECT_EQ(channels::ReadOff(*channels::ChannelOf(ChannelId::Manifold), log_, tables_, 1), "");
}

// Averages are rounded as shown, a half away from zero and as shown, not as
// held (how the number text rounds is pinned by its own tests); a log
// without samples averages 0.
// The user-defined byte 12 of the 0x7D frames is averaged as the trim is:
// samples 1 to 7 count, and one that is no byte is left out of the sum and
// of the count.
TEST_F(ChannelTest, AveragesRoundAsShown) {
  Texts trims(21, "100");
  trims[0] = "97";  // -3 over 20 samples
  // clang-format off
  const std::tuple<ChannelId, std::string, const char*> cases[] = {
      {ChannelId::ShortTermTrim, TimeLog({{14, trims}}), "Average STFT = -0.2%"},
      {ChannelId::UserDefined, FramesWith(1, 12, "64 67 ZZ 67 64 67 64 00"), "Average STFT = 1.5%"},
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
  // Byte 2 of the 0x7D frames. 8 samples: Full Trip draws samples 1 to 6 and
  // scales to samples 1 to 4, so the FF of sample 5 rises above the canvas.
  const auto showByte2 = [this](const std::string& bytes) {
    Show(ChannelId::UserDefined, FramesWith(1, 2, bytes), {1, 2, "Throttle Angle"});
  };
  showByte2("10 20 40 50 FF 08 30 30");
  EXPECT_EQ(EndYs(2, 6), (Ys{3400, 2800, 1600, 1000, -5562.5f, 3700}));
  EXPECT_EQ(view_.text, "Raw Data - Throttle Angle\r\n10 20 40 50 FF 08 ");
  // The labels name the byte's values at their middles, in hexadecimal.
  EXPECT_EQ(Labels(), (Texts{"00", "11", "21", "32", "42", "53", "63"}));

  const std::pair<const char*, double> cases[] = {{"60 20 40 50 FF 08 30 30", 3000.0 / 96},
                                                  {"00 00 00 00 00 00 00 00", 10}};
  for (const auto& [bytes, scale] : cases) {
    showByte2(bytes);
    EXPECT_EQ(view_.valueScale, scale) << bytes;
  }
  EXPECT_EQ(EndYs(2, 6), Ys(6, 4000));

  // A flagged byte shows the bits of the window's first sample.
  Texts frames(400, Frame7DWith({}));
  frames[266] = Frame7DWith({{3, "0A"}});  // sample 267 begins the second 2-minute page
  Show(ChannelId::UserDefined, FrameLogOf({}, frames), {1, 3, "Flags", true}, 2, 2);
  EXPECT_EQ(view_.bitsOf, "0A");
  Show(ChannelId::UserDefined, TimeLog({{1, {"81", "0"}}}), {1, 0, "RPM", true});
  EXPECT_EQ(view_.bitsOf, std::nullopt);  // only frame logs hold flag bytes

  // A column's value is the decimal number written there, listed as written;
  // a text that is no number has none.
  Show(ChannelId::UserDefined, TimeLog({{1, {"5", "850", "-1", "12.5", "FFFF", "0"}}}),
       {1, 0, "RPM"});
  EXPECT_EQ(view_.text, "Raw Data - RPM\r\n5 850 -1 12.5 FFFF ");
  EXPECT_EQ(TextsOf(tables_.plot[0], 5), (Texts{"5", "850", "-1", "12.5", ""}));
  EXPECT_EQ(Labels(), (Texts{"0", "176", "351", "527", "703", "878", "1050"}));
  Show(ChannelId::UserDefined, TimeLog({{13, Texts(8, "66")}}), {1, 12, "STFT"});
  EXPECT_EQ(view_.average, std::nullopt);  // the 13th column is no trim
}

}  // namespace
}  // namespace zelk::testing
