// What leaves the program as files: the data table of the channel on screen,
// the names proposed for saving, the command line and a batch run.
#include <filesystem>
#include <map>
#include <sstream>

#include "channels/series.h"
#include "cli/batch.h"
#include "cli/command_line.h"
#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Hex;
using Mode = cli::CommandLine::Mode;
using Texts = std::vector<std::string>;

// 400 samples, 3 minutes. Sample s: coolant 0x8B + s % 20 (s 1: 0x8C, 85°),
// intake 40 + s % 10 (s 1: -14°), fuel 35°, throttle s % 90°, lambda
// s % 200 × 5 mV, lambda status s % 2.
std::string FrameTrip() {
  Texts frames80, frames7D;
  for (int s = 1; s <= 400; ++s) {
    frames80.push_back(
        testlogs::Frame80With({{3, Hex(139 + s % 20)}, {5, Hex(40 + s % 10)}, {6, "5A"}}));
    frames7D.push_back(
        testlogs::Frame7DWith({{2, Hex(s % 90)}, {6, Hex(s % 200)}, {9, Hex(s % 2)}}));
  }
  return testlogs::FrameLogOf(frames80, frames7D);
}

// "Time": 200 rows, SampleCount 201, 3 minutes; coolant 80 + s % 10.
std::string TimeTrip() {
  Texts coolant;
  for (int s = 1; s <= 200; ++s) coolant.push_back(std::to_string(80 + s % 10));
  return testlogs::TimeLog({{5, coolant}, {8, Texts(200, "25.5")}, {9, Texts(200, "0.5")}});
}

// "#time": `rows` rows, 0.1 mV of lambda at sample 1.
std::string ShortTrip(int rows) {
  Texts lambda(rows, "450");
  lambda[0] = "0.1";
  return testlogs::ShortTimeLog({{1, Texts(rows, "1234")},
                                 {2, Texts(rows, "90")},
                                 {3, Texts(rows, "-3")},
                                 {5, Texts(rows, "14.7")},
                                 {10, lambda}});
}

Texts Split(const std::string& text, char separator) {
  Texts pieces;
  std::istringstream in(text);
  for (std::string piece; std::getline(in, piece, separator);) pieces.push_back(piece);
  return pieces;
}

class ExportTest : public PageTest {};

TEST_F(ExportTest, DataTableHoldsTheWindowsSamplesAsPlotted) {
  const std::string logs[] = {FrameTrip(), TimeTrip(), ShortTrip(400)};
  const struct {
    int log;
    bool paged;  // the second 2-minute page, else the Full Trip
    const char* button;
    int bytePage, byte;  // the user-defined byte chosen; -1 keeps the load's
    const char *header, *first, *last;
  } cases[] = {
      // clang-format off
      {0, false, "TemperatureButton", -1, -1, "coolant_c,intake_c,fuel_c",
       "1,0.0069,85,-14,35", "398,2.7448,102,-7,35"},
      // Page 2 runs from 266.67 to 533.67 and the log ends at sample 399.
      {0, true, "LambdaButton", -1, -1, "lambda_v,lambda_status",
       "267,1.8414,0.335,1", "399,2.7517,0.995,1"},
      {0, false, "ThrottleButton", -1, -1, "throttle_deg", "1,0.0069,1", "398,2.7448,38"},
      {0, false, "UserDefinedButton", 0, 3, "coolant_temp", "1,0.0069,140", "398,2.7448,157"},
      {1, false, "TemperatureButton", -1, -1, "coolant_c,intake_c",
       "1,0.0167,81,25.5", "199,3.3167,89,25.5"},
      // Page 2 runs from 134 to 268 and the log ends at sample 200.
      {1, true, "ThrottleButton", -1, -1, "throttle_v", "134,2.2333,2.5", "200,3.3333,2.5"},
      // A column's text is read as hexadecimal: "0081" is 129.
      {1, false, "UserDefinedButton", -1, 4, "coolant_temp_c", "1,0.0167,129", "199,3.3167,137"},
      // Page 2 runs from 267.33 to 534.33 and the log ends at sample 400.
      {2, true, "TemperatureButton", -1, -1, "coolant_c,intake_c",
       "267,1.7800,90,-3", "400,2.6667,90,-3"},
      {2, false, "LambdaButton", -1, -1, "lambda_v", "1,0.0067,0.00001", "399,2.6600,0.045"},
      {2, false, "UserDefinedButton", -1, -1, "rpm", "1,0.0067,4660", "399,2.6600,4660"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " on log " + std::to_string(c.log));
    Open(logs[c.log]);
    ASSERT_TRUE(page().Select("YAxis", c.paged ? 1 : 0));
    if (c.paged) page().Click("NextImage");
    ASSERT_TRUE(page().Click(c.button));
    if (c.bytePage >= 0) page().Select("UserPageSelect", c.bytePage);
    if (c.byte >= 0) page().Select("UserByteSelect", c.byte);
    const std::string csv = page().DataCsv();
    ASSERT_TRUE(csv.ends_with('\n'));
    const Texts rows = Split(csv, '\n');
    const long first = std::stol(c.first);
    ASSERT_EQ(rows.size(), std::stol(c.last) - first + 2);
    EXPECT_EQ(rows[0], std::string("sample,minutes,") + c.header);
    EXPECT_EQ(rows[1], c.first);
    EXPECT_EQ(rows.back(), c.last);
    // Every value is the number the channel plots for its sample: the first
    // column from the channel's own texts, the k-th further one from series k.
    const auto& tables = page().ChannelTables();
    const size_t columns = Split(rows[0], ',').size();
    for (size_t r = 1; r < rows.size(); ++r) {
      const Texts fields = Split(rows[r], ',');
      ASSERT_EQ(fields.size(), columns) << rows[r];
      const long j = first + static_cast<long>(r) - 1;
      ASSERT_EQ(fields[0], std::to_string(j));
      for (size_t k = 0; k + 2 < columns; ++k) {
        const std::string& stored = k == 0 ? tables.data[j] : tables.plot[k][j];
        const double plotted = c.button == std::string("UserDefinedButton")
                                   ? text::HexStrict(stored).value_or(0)
                                   : text::LeadingNumber(stored);
        EXPECT_EQ(text::ReadDecimal(fields[2 + k]), plotted) << rows[r];
      }
    }
  }
}

TEST_F(ExportTest, SlugKeepsLettersAndDigits) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"Coolant Temp (C)", "coolant_temp_c"}, {"", "value"}, {"  --  ", "value"}, {"RPM", "rpm"},
      {"User-Defined", "user_defined"}, {"Ignition Switch ?", "ignition_switch"}};
  // clang-format on
  for (const auto& [name, slug] : cases) EXPECT_EQ(channels::Slug(name), slug) << name;
}

TEST_F(ExportTest, SaveMenusProposeTheLogsFolderAndName) {
  const auto expect = [&](bool enabled, const std::string& title) {
    EXPECT_EQ(state("SaveGraphMenu").enabled, enabled);
    EXPECT_EQ(state("ExportDataMenu").enabled, enabled);
    EXPECT_EQ(page().WindowTitle(), title);
  };
  const auto refuse = [&] {
    Open("garbage", "bad.txt");
    EXPECT_EQ(page().TakeMessages(),
              (std::vector<form::Message>{{"ZelkScope", "Not a valid ZELK data file"}}));
  };
  expect(false, "ZelkScope");
  refuse();
  expect(false, "ZelkScope");
  ASSERT_TRUE(page().Click("SaveGraphMenu"));
  ASSERT_TRUE(page().Click("ExportDataMenu"));
  EXPECT_EQ(page().TakeSaveRequest(), std::nullopt);

  std::filesystem::create_directory(dir_ + "/trips");
  Open(FrameTrip(), "trips/log.txt");
  expect(true, "log.txt - ZelkScope");
  using What = form::SaveRequest::What;
  const std::string folder = dir_ + "/trips/";
  // clang-format off
  const std::pair<const char*, const char*> shown[] = {{"", "log-rpm"},  // as loaded
      {"TemperatureButton", "log-temperature"}, {"MAPButton", "log-manifold"},
      {"UserDefinedButton", "log-user_defined"}};
  // clang-format on
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

  page().WriteFailed("/media/card/log-rpm.png", "Permission denied");
  EXPECT_EQ(page().TakeMessages(),
            (std::vector<form::Message>{
                {"ZelkScope", "Cannot write \"/media/card/log-rpm.png\": Permission denied."}}));
}

// What a command line asks for, in one line.
std::string Summary(const cli::CommandLine& line) {
  const cli::BatchOptions& b = line.batch;
  const std::string modes[] = {"open " + line.log,
                               "export " + b.folder + " " + std::to_string(b.minutes), "help",
                               "version", "bad: " + line.problem};
  std::string summary = modes[static_cast<int>(line.mode)];
  if (line.mode != Mode::Batch) return summary;
  const bool every = b.channels == form::ChannelButtonKeys();
  for (const std::string& key : every ? Texts{"all"} : b.channels) summary += " " + key;
  summary += " |";
  for (const std::string& log : b.logs) summary += " " + log;
  return summary;
}

TEST(CommandLineTest, ArgumentsGiveModeLogAndBatch) {
  const std::string minutes = "bad: --minutes must be 2, 5, 10, 20 or 30";
  const std::pair<Texts, std::string> cases[] = {
      // clang-format off
      {{}, "open "},
      {{"trip.txt"}, "open trip.txt"},
      {{"--", "-trip.txt"}, "open -trip.txt"},
      {{"a.txt", "b.txt"}, "bad: only one log can be opened"},
      {{"--help"}, "help"},
      {{"trip.txt", "-h"}, "help"},
      {{"--version"}, "version"},
      {{"--export", "out", "a.txt", "b.txt"}, "export out 0 all | a.txt b.txt"},
      {{"--export=out", "a.txt"}, "export out 0 all | a.txt"},
      {{"--export", "out", "--channel", "temperature", "--channel=USER-DEFINED", "--channel",
        "Temperature", "--channel", "manifold", "a.txt"},
       "export out 0 TemperatureButton UserDefinedButton MAPButton | a.txt"},
      {{"--export", "out", "--minutes", "5", "a.txt"}, "export out 5 all | a.txt"},
      {{"--export", "out", "--", "-a.txt", "--help"}, "export out 0 all | -a.txt --help"},
      {{"--export", "out", "--channel", "speed", "a.txt"}, "bad: no channel is called \"speed\""},
      {{"--export", "out", "--minutes", "7", "a.txt"}, minutes},
      {{"--export", "out", "--minutes=abc", "a.txt"}, minutes},
      {{"--channel", "rpm", "a.txt"}, "bad: --channel and --minutes go with --export"},
      {{"--export", "out"}, "bad: --export needs at least one log"},
      {{"--export"}, "bad: --export needs a value"},
      {{"--colour", "a.txt"}, "bad: unknown option \"--colour\""},
      // clang-format on
  };
  for (const auto& [args, summary] : cases) {
    EXPECT_EQ(Summary(cli::ParseCommandLine(args)), summary) << ::testing::PrintToString(args);
  }
  // Every channel, in the buttons' order.
  EXPECT_EQ(
      cli::ParseCommandLine({"--export", "out", "a.txt"}).batch.channels,
      (Texts{"RPMButton", "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
             "LoopButton", "ThrottleButton", "MAPButton", "STFTButton", "UserDefinedButton"}));
  for (const char* caption : {"RPM", "Temperature", "Battery", "Ignition", "Lambda", "Loop",
                              "Throttle", "Manifold", "STFT", "User-Defined"}) {
    EXPECT_NE(cli::UsageText().find(caption), std::string::npos) << caption;
  }
  EXPECT_TRUE(cli::VersionText().starts_with("ZelkScope "));
}

// Keeps what a batch run writes, with the channel on screen and the marker
// strip's place at each graph; refuses to write the file at `failing`.
struct FakeOutput : cli::BatchOutput {
  FakeOutput(const form::UserPage& page, std::string failing) : page(page), failing(failing) {}
  bool WriteGraph(const std::string& path, std::string& problem) override {
    graphs.push_back(
        {path, page.vars().graph.channel, page.controls().Named("Overlay").state.left});
    return Written(path, problem);
  }
  bool WriteText(const std::string& path, const std::string& text, std::string& problem) override {
    texts[path] = text;
    return Written(path, problem);
  }
  bool Written(const std::string& path, std::string& problem) {
    if (path == failing) problem = "disk full";
    return path != failing;
  }
  const form::UserPage& page;
  std::string failing;
  std::vector<std::tuple<std::string, channels::ChannelId, float>>
      graphs;  // path, channel, strip's left
  std::map<std::string, std::string> texts;
};

TEST_F(ExportTest, BatchWritesEveryChannelOfEveryLogAndPage) {
  for (const char* sub : {"/one", "/two", "/three"}) std::filesystem::create_directory(dir_ + sub);
  const std::pair<std::string, std::string> files[] = {{"one/trip.txt", FrameTrip()},
                                                       {"two/trip.txt", TimeTrip()},
                                                       {"three/short.txt", ShortTrip(800)},
                                                       {"bad.txt", "garbage"}};
  for (const auto& [name, text] : files) std::ofstream(dir_ + "/" + name) << text;
  const std::string out = dir_ + "/out/", missing = dir_ + "/missing.txt";
  struct Written {
    const char *name, *log, *button;
    int page;   // 0: the Full Trip
    bool more;  // a later page follows: the Next arrow is shown
  };
  const struct {
    Texts channels;
    int minutes;
    Texts logs;
    std::string failing;
    int status;
    std::vector<Written> written;
    std::string err;
  } cases[] = {
      // clang-format off
      {{"TemperatureButton", "UserDefinedButton"}, 0,
       {"one/trip.txt", "bad.txt", "missing.txt", "two/trip.txt"}, "trip-2-user_defined.png", 1,
       {{"trip-temperature", "one/trip.txt", "TemperatureButton", 0, false},
        {"trip-user_defined", "one/trip.txt", "UserDefinedButton", 0, false},
        {"trip-2-temperature", "two/trip.txt", "TemperatureButton", 0, false},
        {"trip-2-user_defined", "two/trip.txt", "UserDefinedButton", 0, false}},
       "zelkscope: " + dir_ + "/bad.txt: Not a valid ZELK data file\n"
       "zelkscope: " + missing + ": Cannot read \"" + missing + "\": No such file or directory.\n"
       "zelkscope: cannot write \"" + out + "trip-2-user_defined.png\": disk full\n"},
      // 3 and 5 minutes: 2 and 3 pages.
      {{"MAPButton"}, 2, {"one/trip.txt", "three/short.txt"}, "", 0,
       {{"trip-manifold-page1", "one/trip.txt", "MAPButton", 1, true},
        {"trip-manifold-page2", "one/trip.txt", "MAPButton", 2, false},
        {"short-manifold-page1", "three/short.txt", "MAPButton", 1, true},
        {"short-manifold-page2", "three/short.txt", "MAPButton", 2, true},
        {"short-manifold-page3", "three/short.txt", "MAPButton", 3, false}}, ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.minutes);
    cli::BatchOptions options{out, c.channels, c.minutes, {}};
    for (const std::string& log : c.logs) options.logs.push_back(dir_ + "/" + log);
    FakeOutput output(page(), c.failing.empty() ? "" : out + c.failing);
    std::ostringstream printed, err;
    EXPECT_EQ(cli::RunBatch(page(), options, output, printed, err), c.status);
    EXPECT_EQ(err.str(), c.err);
    std::string expected;
    for (const Written& w : c.written) {
      for (const std::string ext : {".png", ".csv"}) {
        if (w.name + ext != c.failing) expected += out + w.name + ext + "\n";
      }
    }
    EXPECT_EQ(printed.str(), expected);
    ASSERT_EQ(output.graphs.size(), c.written.size());
    EXPECT_EQ(output.texts.size(), c.written.size());
    for (size_t k = 0; k < c.written.size(); ++k) {
      const Written& w = c.written[k];
      SCOPED_TRACE(w.name);
      EXPECT_EQ(output.graphs[k], std::tuple(out + w.name + ".png",
                                             channels::ChannelOfButton(w.button)->id, 20000.0f));
      // The table is the one a user gets on that log, page and channel.
      chart::RecordingCanvas canvas;
      form::UserPage user(canvas, dir_);
      user.Form_Load();
      ASSERT_TRUE(user.OpenPath(dir_ + "/" + w.log));
      user.Select("YAxis", w.page > 0 ? 1 : 0);
      for (int p = 1; p < w.page; ++p) user.Click("NextImage");
      EXPECT_EQ(user.controls().Named("NextImage").state.visible, w.more);
      user.Click(w.button);
      EXPECT_TRUE(output.texts[out + w.name + ".csv"] == user.DataCsv());
    }
  }
}

}  // namespace
}  // namespace zelk::testing
