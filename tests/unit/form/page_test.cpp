// The window's core as a user drives it: loads, channel buttons, byte lists,
// the time window's list and arrows, and saving.
#include <cmath>
#include <filesystem>
#include <tuple>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Frame7DWith;
using testlogs::Frame80With;
using testlogs::FrameLog;

// Before any log: the browser open and the window list on the Full Trip.
// Then what every load sets beside the graph: the fault lamps and the
// long-term trim readout; and the window of a log too short for it.
TEST_F(PageTest, StartUpWaitsForALogAndEachLoadSetsTheLampsAndTheTrimReadout) {
  EXPECT_TRUE(state("Background").visible);
  const std::string focus = page().focus();
  Run(page(), "key 27\nkey 13");  // Escape leaves no empty page: the browser stays;
  EXPECT_TRUE(state("Background").visible);
  EXPECT_EQ(page().focus(), focus);  // Enter, which its lists take, leaves the focus there
  EXPECT_EQ(state("YAxis").items, (std::vector<std::string>{"Full Trip", " 2 mins", " 5 mins",
                                                            " 10 mins", " 20 mins", " 30 mins"}));
  EXPECT_EQ(state("YAxis").index, 0);
  std::vector<std::string> frames7D(60, Frame7DWith({}));
  frames7D[49] = Frame7DWith({{11, "C3"}});
  // Each log, the lamps then shown (R red, G green, ? both, - neither) and
  // the long-term trim readout ("" when hidden with its caption).
  const std::tuple<std::string, const char*, const char*> loads[] = {
      {testlogs::FrameLogOf({Frame80With({{13, "00"}}), Frame80With({{13, "01"}})},
                            {Frame7DWith({}), Frame7DWith({{11, "FF"}})}),
       "RGGGGGGGGGGG", "255"},                                       // the second frame's
      {"not a log", "RGGGGGGGGGGG", "255"},                          // refused: all stays
      {testlogs::FrameLogOf({}, frames7D), "GGGGGGGGGGGG", "195"},   // the 50th frame's
      {testlogs::ShortTimeLog({{1, {"800"}}}), "GGGGGGGGGGGG", ""},  // no trim kept
      {FrameLog(2, {2000}, "\r\n", 1), "GGGGGGGGGGGG", "128"}};      // the second frame's
  for (const auto& [log, lamps, trim] : loads) {
    Open(log);
    std::string shown;
    for (int i = 0; i < 12; ++i)
      shown += "-GR?"[state("FaultRed", i).visible * 2 + state("FaultGreen", i).visible];
    EXPECT_EQ(shown, lamps) << trim;
    EXPECT_EQ(state("LTFTValue").visible ? state("LTFTValue").caption : "", trim);
    EXPECT_EQ(state("LabelInfo", 21).visible, *trim != '\0') << trim;
  }
  // A log of one sample, 0 minutes: on the Full Trip its window ends on the
  // sample it starts on and has no step, so it draws its frame and no
  // series; a window length over it draws none either. (That no window of a
  // log too short for it draws off the finite plane is the fuzz seeds'
  // replay's to find.)
  Open(FrameLog(1, {2000}));
  page().Picture1_MouseDown(1, 600, 900);  // with no step a click marks nothing
  EXPECT_FALSE(state("DataPointText").visible);
  EXPECT_EQ(lines().size(), 3u);  // the two axes and the limit line
  EXPECT_EQ(session().window().xStep.ToText(), "0");
  ASSERT_TRUE(page().Select("YAxis", 5));
  EXPECT_EQ(std::pair(session().window().yStart, session().window().yEnd), std::pair(1L, 4350L));
  EXPECT_EQ(lines().size(), 3u);
  EXPECT_EQ(graph().channel, channels::ChannelId::EngineSpeed);
}

// The row of channel buttons: the one chosen is highlighted and the window
// shows what goes with its channel.
TEST_F(PageTest, ALoadShowsEngineSpeedOnlyTheChosenButtonIsLitAndByteListsFollowTheLog) {
  Open(testlogs::FrameLog(10, {900}));
  EXPECT_EQ(state("ScreenTitle").caption, "Engine Speed (RPM)");
  EXPECT_EQ(state("ScreenTitle").top, 350);
  EXPECT_TRUE(state("YLabel").visible);
  EXPECT_EQ(state("InfoLabel").width, 0);
  const int tops[] = {3900, 3280, 2660, 2040, 1420, 800, 180};
  for (int k = 0; k < 7; ++k) {
    const form::ControlState& label = state("Label", k);
    EXPECT_EQ(std::tuple(label.caption, label.top, label.left, label.visible),
              std::tuple(std::to_string(k) + "000", tops[k], 50, true))
        << k;
  }
  // Then only the button chosen is highlighted.
  const std::string buttons[] = {
      "RPMButton",  "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
      "LoopButton", "ThrottleButton",    "MAPButton",     "STFTButton",     "UserDefinedButton"};
  for (const std::string& chosen : buttons) {
    SCOPED_TRACE(chosen);
    ASSERT_TRUE(page().Click(chosen));
    for (const std::string& b : buttons) {
      EXPECT_EQ(state(b).backColour, b == chosen ? form::kTitleBar : form::kButtonFace) << b;
    }
    EXPECT_EQ(page().focus(), "DummyText");
    // Only ignition and short-term trim show an average: -24° from bytes of 0,
    // and no trim above 70 to average.
    const std::string average = chosen == "IgnitionButton" ? "Average Advance = -24.0°"
                                : chosen == "STFTButton"   ? "Average STFT = 0.0%"
                                                           : "(hidden)";
    EXPECT_EQ(state("FuelAverageText").visible ? state("FuelAverageText").caption : "(hidden)",
              average);
    // Only the user-defined channel keeps its selectors on screen.
    EXPECT_EQ(state("UserByteSelect").visible, chosen == "UserDefinedButton");
    EXPECT_EQ(state("UserPageSelect").visible, chosen == "UserDefinedButton");
  }

  // The user-defined channel, clicked last, and its byte lists: a frame
  // log's two pages of bytes, and a column log's columns. A load selects the
  // 0x7D page itself; the user's first change of page then rebuilds the list.
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Ignition Switch ?");
  // Each page: how many bytes it lists, the sixteenth, the byte chosen; the
  // label of its second round value where the byte's scale puts it (the
  // frame sizes 0x1C and 0x20 stand at 1000).
  for (const auto& [pageIndex, list, label] :
       {std::tuple{0, "28 10  Idle HotBDPos 0", "0x08 3043"}, {1, "32 10  Unknown 0", "0x08 3150"}}) {
    ASSERT_TRUE(page().Select("UserPageSelect", pageIndex));
    const form::ControlState& bytes = state("UserByteSelect");
    EXPECT_EQ(std::to_string(bytes.items.size()) + " " + bytes.items.at(16) + " " +
                  std::to_string(bytes.index),
              list);
    EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Frame Size") << pageIndex;
    EXPECT_EQ(state("Label", 1).caption + " " + std::to_string(std::lround(state("Label", 1).top)),
              label);
  }
  // Bytes of flags show their bits, on either page, the fault codes among
  // them; others do not.
  for (const auto& [pageIndex, byte, bits] : {std::tuple{0, 17, true}, {0, 16, false},
                                              {0, 13, true}, {1, 5, true}, {1, 19, false}}) {
    ASSERT_TRUE(page().Select("UserPageSelect", pageIndex));
    ASSERT_TRUE(page().Select("UserByteSelect", byte));
    EXPECT_EQ(state("BitSurround").visible, bits) << pageIndex << " " << byte;
  }

  // Column logs choose a column by its name.
  Open(testlogs::TimeLog({{1, {"5", "850"}}}));
  ASSERT_TRUE(page().Click("UserDefinedButton"));
  EXPECT_FALSE(state("UserPageSelect").visible || state("LabelInfo", 6).visible);
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - RPM");
  EXPECT_EQ(state("Text").caption, "Raw Data - RPM\r\n5 850 ");

  Open(testlogs::ShortTimeLog({{2, {"7", "85"}}}));
  ASSERT_TRUE(page().Select("UserByteSelect", 1));
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Coolant Temp (C)");
  EXPECT_EQ(page().session().Decoded(*channels::ChannelOf(channels::ChannelId::UserDefined)).data[1], "7");
}

// The About picture covers the middle of the window; hiding it again redraws
// the graph under it afresh, which before any log draws nothing.
TEST_F(PageTest, ClosingAboutRedrawsTheGraphAndATypedStepMovesTheScrollBar) {
  for (const bool withLog : {false, true}) {
    if (withLog) Open(testlogs::FrameLog(30, {900}));
    const size_t drawn = lines().size();
    Run(page(), "key 38\nclick AboutMenu");  // a key that draws the value axis once more
    EXPECT_TRUE(state("PictureAbout").visible);
    EXPECT_EQ(state("PictureAbout").left, 4000);
    page().Click("PictureAbout");
    EXPECT_FALSE(state("PictureAbout").visible);
    EXPECT_EQ(lines().size(), withLog ? drawn : drawn + 1) << "cleared and drawn again";
    EXPECT_EQ(graph().channel,
              withLog ? channels::ChannelId::EngineSpeed : channels::ChannelId::None);
  }
  // A step typed in the box that the scroll bar can show moves its thumb
  // there without changing the step again.
  page().Form_KeyUp(39);  // the marker panel on screen
  ASSERT_TRUE(page().Scroll("MarkerStepScroll", 25));
  for (const auto& [typed, thumb] : {std::pair{"7", 7}, {"250", 7}, {"x", 7}, {"100", 100}}) {
    ASSERT_TRUE(page().Type("MarkerStepValueText", typed));
    EXPECT_EQ(std::tuple(state("MarkerStepScroll").value, state("MarkerStepValueText").caption),
              std::tuple(thumb, std::string(typed)));
  }
}

// The window list and the paging arrows: which window is on screen, and what
// the window shows about it; a page turn takes the marker back to the page's
// first sample, the strip on the value axis. (Which arrows each window shows
// is ZoomsAndKeysShowTheWindowChosen's.)
TEST_F(PageTest, APageShowsItsMinutesDetailsAndTimes) {
  Open(FrameLog(2900, {}, "\r\n", 1));  // 5801 frames: 2900 samples, 20 minutes
  ASSERT_TRUE(page().Select("YAxis", 2));
  EXPECT_EQ(std::pair(session().window().yStart, session().window().yEnd), std::pair(1L, 725L));
  const struct {
    const char* duration;
    const char* first;
    long yStart, yEnd;
  } pages[] = {{"5 mins to 10 mins", "726", 726, 1450},
               {"10 mins to 15 mins", "1451", 1451, 2175},
               {"15 mins to 20 mins", "2176", 2176, 2900}};
  for (const auto& p : pages) {
    Run(page(), "key 39\nclick NextImage");
    EXPECT_EQ(state("Duration").caption, p.duration);
    EXPECT_EQ(std::pair(session().window().yStart, session().window().yEnd), std::pair(p.yStart, p.yEnd));
    EXPECT_EQ(state("YLabel").caption, session().window().Caption());
    EXPECT_EQ(session().marker().pos, 0);
    EXPECT_EQ(state("Overlay").left, 550);
    EXPECT_EQ(state("DataPointText").caption, p.first);
  }
  // The log's details: samples, samples a second, minutes.
  EXPECT_EQ(state("DataText", 0).caption + "|" + state("DataText", 1).caption + "|" +
                state("DataText", 2).caption,
            "2900|2.42/sec|20 mins");
  page().Click("PreviousImage");
  EXPECT_EQ(state("DataPointText").caption, "1451");
  // Another length keeps the page's start; paging back stops at minute 0;
  // no choice keeps the window; the Full Trip starts at minute 0.
  const std::pair<const char*, const char*> steps[] = {
      {"select YAxis 5", "10 mins to 40 mins"}, {"click PreviousImage", "0 mins to 30 mins"},
      {"select YAxis 1", "0 mins to 2 mins"},   {"click NextImage", "2 mins to 4 mins"},
      {"select YAxis -1", "2 mins to 4 mins"},  {"select YAxis 0", "0 mins to 20 mins"}};
  for (const auto& [line, duration] : steps) {
    ASSERT_TRUE(page().Apply(*form::ParseUserEvent(line))) << line;
    EXPECT_EQ(state("Duration").caption, duration) << line;
  }
}

// Saving from the window: the menus and the names proposed for the graph and
// the data table. What a failed write tells the user is checked on the window
// itself.
TEST_F(PageTest, SaveMenusProposeTheLogsFolderAndName) {
  const auto expect = [&](bool enabled, const std::string& title) {
    EXPECT_EQ(state("SaveGraphMenu").enabled, enabled);
    EXPECT_EQ(state("ExportDataMenu").enabled, enabled);
    EXPECT_EQ(page().WindowTitle(), title);
  };
  const auto refuse = [&] {
    Open("garbage", "bad.txt");
    EXPECT_EQ(page().TakeMessages().size(), 1u);  // its text: the batch and bad-input tests
  };
  refuse();  // before any log: nothing to save
  expect(false, "ZelkScope");
  Run(page(), "click SaveGraphMenu\nclick ExportDataMenu");
  EXPECT_EQ(page().TakeSaveRequest(), std::nullopt);

  std::filesystem::create_directory(dir_ + "/trips");
  Open(testlogs::FrameLog(10, {900}), "trips/log.txt");
  expect(true, "log.txt - ZelkScope");
  using What = form::SaveRequest::What;
  const std::string folder = dir_ + "/trips/";
  // A log named from outside the browser (the command line, a drop) that
  // cannot be read is reported and left out of the file list.
  EXPECT_FALSE(page().OpenPath(folder + "gone.txt"));
  EXPECT_EQ(page().TakeMessages().size(), 1u);  // its text: the driver's bad-input test
  EXPECT_EQ(state("File1").items, std::vector<std::string>{"log.txt"});
  EXPECT_EQ(state("File1").index, -1);
  const std::pair<const char*, const char*> shown[] = {{"", "log-rpm"},  // as loaded
                                                       {"UserDefinedButton", "log-user_defined"}};
  for (const auto& [button, name] : shown) {
    SCOPED_TRACE(name);
    if (*button) page().Click(button);
    EXPECT_EQ(page().ExportName(), name);
    ASSERT_TRUE(page().Click("SaveGraphMenu"));
    EXPECT_EQ(page().TakeSaveRequest(), (form::SaveRequest{What::Graph, folder + name + ".png"}));
    ASSERT_TRUE(page().Click("ExportDataMenu"));
    EXPECT_EQ(page().TakeSaveRequest(), (form::SaveRequest{What::Data, folder + name + ".csv"}));
    EXPECT_EQ(page().TakeSaveRequest(), std::nullopt);
  }
  refuse();  // the log on screen stays
  expect(true, "log.txt - ZelkScope");
  page().Click("SaveGraphMenu");
  EXPECT_EQ(page().TakeSaveRequest()->proposedPath, folder + "log-user_defined.png");

  // A log's folder that cannot be written gives way to the user's own; once
  // saved to, a folder is proposed from then on.
  bool writable = true;
  page().SetSaveFolders(
      {[&](const std::string& f) { return writable && f + "/" == folder; }, "/u"});
  const std::tuple<bool, const char*, std::string> rows[] = {
      {true, "", folder}, {false, "", "/u/"}, {false, "/v/a.png", "/v/"}, {true, "", "/v/"}};
  for (const auto& [canWrite, saved, proposed] : rows) {
    writable = canWrite;
    if (*saved) page().Saved(saved);
    page().Click("ExportDataMenu");
    EXPECT_EQ(page().TakeSaveRequest()->proposedPath, proposed + "log-user_defined.csv") << saved;
  }
}

// The browser lists the logs, or with "All files" every file of the
// folder, so that a log named otherwise can be opened.
TEST_F(PageTest, AllFilesListsALogOfAnotherName) {
  testlogs::WriteFile(dir_ + "/logs/a.txt", testlogs::FrameLog(3, {900}));
  testlogs::WriteFile(dir_ + "/logs/b.csv", testlogs::TimeLog({{1, {"850", "900"}}}));
  page().ShowFolder(dir_ + "/logs");
  EXPECT_EQ(state("File1").items, (Texts{"a.txt"}));
  ASSERT_TRUE(page().Select("FileTypes", 1));
  EXPECT_EQ(state("File1").items, (Texts{"a.txt", "b.csv"}));
  ASSERT_TRUE(page().Select("File1", 1));
  EXPECT_EQ(session().file().name, "b.csv");
  EXPECT_EQ(session().log().sampleCount, 3);
}

// A second log over the first as the driver runs it: what the window names
// it, its numbers at the marker beside the first's, its columns in the
// exported table, the messages for an offset that is none and a log
// refused, and the menu items that follow it.
TEST_F(PageTest, ASecondLogIsComparedMovedAndClosedFromTheScript) {
  Open(FrameLog(60, {900, 2500}), "first.txt");
  testlogs::WriteFile(dir_ + "/second.txt", testlogs::TimeLog({{1, Texts(60, "1000")}}));
  testlogs::WriteFile(dir_ + "/bad.txt", "nonsense");
  const auto menus = [&] {
    return std::vector<bool>{state("CompareMenu").enabled, state("OffsetMenu").enabled,
                             state("AlignMenu").enabled, state("CloseComparisonMenu").enabled};
  };
  EXPECT_EQ(menus(), (std::vector<bool>{true, false, false, false}));
  // The marker 10 frames on is at 4.1 s: the second log's sample 3 at 2 s
  // is nearest, 2 s later.
  Run(page(), "compare " + dir_ + "/second.txt\nkey 39\noffset 2\nclick ValuesMenu");
  EXPECT_EQ(menus(), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(state("CompareLabel").caption, "second.txt +2.0 s");
  EXPECT_TRUE(state("CompareLabel").visible);
  std::optional<form::ComparisonState> compared = page().comparison();
  ASSERT_TRUE(compared);
  EXPECT_EQ(compared->file, "second.txt");
  EXPECT_EQ(compared->offset, 2);
  EXPECT_EQ(compared->sample, 3);
  EXPECT_EQ(compared->value, " 1000");  // as the marker panel gives it
  EXPECT_GT(compared->lines, 0);
  const form::ValuesView values = page().ValuesAtMarker();
  EXPECT_EQ(values.secondHeading, "second.txt +2.0 s: sample 3 at 0:02.0");
  ASSERT_FALSE(values.compared.empty());
  EXPECT_EQ(values.compared[0],
            (channels::ComparedValue{"Engine speed", "rpm", "900", "1000", "rpm", "-100"}));
  // The second log's unit is shown where it is not the first's: the "Time"
  // log's throttle in volts beside the frame log's degrees, with no difference.
  EXPECT_EQ(form::SecondText(values.compared[0]), "1000");
  EXPECT_EQ(values.compared.at(9).quantity, "Throttle");
  EXPECT_EQ(form::SecondText(values.compared.at(9)), "0 V");
  EXPECT_EQ(values.compared.at(9).difference, "");
  const Texts table = Split(page().DataCsv(), '\n');
  EXPECT_EQ(table.at(0), "sample,minutes,engine_speed_rpm,engine_speed_rpm_2");
  EXPECT_EQ(table.at(11), "11,0.0690,900,1000");
  // The Channels window: both values at the marker, both drawn, both in its table.
  Run(page(), "strips RPM Temperature");
  std::vector<form::StripState> strips = page().channelsView().States();
  EXPECT_EQ(strips.at(0).value, "900 rpm");
  EXPECT_EQ(strips.at(0).secondValue, "1000 rpm");
  EXPECT_GT(strips.at(0).secondLines, 0);
  const Texts both = Split(page().channelsView().DataCsv(), '\n');
  EXPECT_EQ(both.at(0),
            "sample,minutes,engine_speed_rpm,coolant_c,intake_c,fuel_c,engine_speed_rpm_2,"
            "coolant_c_2,intake_c_2");  // the second log records no fuel temperature
  EXPECT_EQ(both.at(11), "11,0.0690,900,-55,-55,-55,1000,0,0");
  // Shift with a click in a strip moves the second log's marker, not the
  // first's: at the strips' left end, before the second log starts, its first.
  Run(page(), "stripclick 1 0 shift");
  EXPECT_EQ(page().comparison()->marker, 1);
  EXPECT_EQ(session().MarkedSample(), 11);

  Run(page(), "offset 1 min\nopen " + dir_ + "/bad.txt");
  const std::vector<form::Message> refusedAsFirst = page().TakeMessages();
  ASSERT_EQ(refusedAsFirst.size(), 2u);
  EXPECT_EQ(refusedAsFirst[0].text, "\"1 min\" is not a number of seconds, such as 12.4 or -3.");
  Run(page(), "compare " + dir_ + "/bad.txt");
  EXPECT_EQ(page().TakeMessages(), std::vector<form::Message>{refusedAsFirst[1]});
  EXPECT_EQ(page().comparison()->file, "second.txt");
  EXPECT_EQ(page().comparison()->offset, 2);
  EXPECT_EQ(session().file().name, "first.txt");

  Run(page(), "compare");
  EXPECT_EQ(page().comparison(), std::nullopt);
  EXPECT_FALSE(state("CompareLabel").visible);
  EXPECT_EQ(page().ValuesAtMarker().compared, std::vector<channels::ComparedValue>{});
  EXPECT_EQ(Split(page().DataCsv(), '\n').at(0), "sample,minutes,engine_speed_rpm");
  strips = page().channelsView().States();
  EXPECT_EQ(strips.at(0).secondValue, "");
  EXPECT_EQ(strips.at(0).secondLines, 0);
  EXPECT_EQ(menus(), (std::vector<bool>{true, false, false, false}));
}

}  // namespace
}  // namespace zelk::testing
