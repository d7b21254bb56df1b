// A batch run: every chosen channel of every log, on every page of the
// chosen window, written as a picture and a data table.
#include "cli/batch.h"

#include <chrono>
#include <sstream>

#include "cli/batch_printer.h"
#include "form/channel_buttons.h"
#include "page_fixture.h"

namespace zelk::testing {
namespace {

// Keeps what a batch run writes, with the channel on screen and the marker
// strip's place at each graph; refuses to write the file at `failing`.
struct FakeOutput : cli::BatchOutput {
  FakeOutput(const form::UserPage& page, std::string failing) : page(page), failing(failing) {}
  bool WriteGraph(const std::string& path, std::string& problem) override {
    graphs.push_back({path, page.graph().channel, page.controls().Named("Overlay").state.left});
    return WriteText(path, "", problem);
  }
  bool WriteStack(const std::string& path, std::string& problem) override {
    stacks.push_back(path);
    return WriteText(path, "", problem);
  }
  bool WriteText(const std::string& path, const std::string&, std::string& problem) override {
    if (path == failing) problem = "disk full";
    return path != failing;
  }
  const form::UserPage& page;
  std::string failing;
  std::vector<std::tuple<std::string, channels::ChannelId, float>> graphs;  // and strip's left
  std::vector<std::string> stacks;
};

class BatchTest : public PageTest {};

// Every chosen channel of every log and page gives a picture and a table;
// with --combined each page of each log gives one picture of the strips and
// one table of all their columns, and no file of a single channel.
TEST_F(BatchTest, WritesEveryChannelOfEveryLogAndPage) {
  // 400 samples in a frame log and 800 in a "#time" log: 3 and 5 minutes.
  const std::pair<std::string, std::string> files[] = {
      {"one/trip.txt", testlogs::FrameLog(400, {900})},
      {"two/trip.txt", testlogs::TimeLog({{1, Texts(200, "900")}})},
      {"three/short.txt", testlogs::ShortTimeLog({{1, Texts(800, "900")}})},
      {"bad.txt", "garbage"}};
  for (const auto& [name, text] : files) testlogs::WriteFile(dir_ + "/" + name, text);
  const std::string out = dir_ + "/out/", missing = dir_ + "/missing.txt";
  const struct {
    Texts channels;
    int minutes;
    Texts logs;
    std::string failing;
    int status;
    // Each graph and its button, or each stack of strips (no button).
    std::vector<std::pair<std::string, const char*>> written;
    std::string err;
    bool combined = false;
  } cases[] = {
      // clang-format off
      {{"TemperatureButton", "UserDefinedButton"}, 0,
       {"one/trip.txt", "bad.txt", "missing.txt", "two/trip.txt"}, "trip-2-user_defined.png", 1,
       {{"trip-temperature", "TemperatureButton"}, {"trip-user_defined", "UserDefinedButton"},
        {"trip-2-temperature", "TemperatureButton"}, {"trip-2-user_defined", "UserDefinedButton"}},
       "zelkscope: " + dir_ + "/bad.txt: Not a valid ZELK data file: \"" + dir_ + "/bad.txt\"\n"
       "zelkscope: " + missing + ": Cannot read \"" + missing + "\": No such file or directory.\n"
       "zelkscope: cannot write \"" + out + "trip-2-user_defined.png\": disk full\n"},
      {{"MAPButton"}, 2, {"one/trip.txt", "three/short.txt"}, "", 0,
       {{"trip-manifold-page1", "MAPButton"}, {"trip-manifold-page2", "MAPButton"},
        {"short-manifold-page1", "MAPButton"}, {"short-manifold-page2", "MAPButton"},
        {"short-manifold-page3", "MAPButton"}}, ""},
      {{"ThrottleButton", "RPMButton"}, 2, {"one/trip.txt"}, "", 0,
       {{"trip-channels-page1", nullptr}, {"trip-channels-page2", nullptr}}, "", true},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written.front().first);
    cli::BatchOptions options;
    options.folder = c.combined ? dir_ + "/out" : out;
    options.combined = c.combined;
    for (const std::string& key : c.channels)
      options.channels.push_back(form::ButtonNamed(key)->id);
    options.minutes = c.minutes;
    for (const std::string& log : c.logs) options.logs.push_back(dir_ + "/" + log);
    FakeOutput output(page(), c.failing.empty() ? "" : out + c.failing);
    std::ostringstream printed, err;
    EXPECT_EQ(cli::RunBatch(page(), options, output, printed, err), c.status);
    EXPECT_EQ(err.str(), c.err);
    std::string expected;
    decltype(output.graphs) graphs;
    Texts stacks;
    for (const auto& [name, button] : c.written) {
      if (button) graphs.push_back({out + name + ".png", form::ButtonNamed(button)->id, 20000.0f});
      if (!button) stacks.push_back(out + name + ".png");
      for (const std::string ext : {".png", ".csv"}) {
        if (name + ext != c.failing) expected += out + name + ext + "\n";
      }
    }
    EXPECT_EQ(printed.str(), expected);
    EXPECT_EQ(output.graphs, graphs);
    EXPECT_EQ(output.stacks, stacks);
  }
  // The last stack drawn: the strips in the order given, on the second page.
  const auto states = page().channelsView().States();
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(std::pair(states[0].channel, states[0].first),
            std::pair(std::string("Throttle"), 291L));
}

// On a terminal a line below the files tells how many logs are done and
// about how long the rest will take, which falls as they get done.
TEST(BatchPrinterTest, ProgressLineCountsDownTheTimeLeft) {
  cli::BatchOptions options;
  options.logs = {"a", "b", "c", "d"};
  options.progress = true;
  auto now = cli::BatchPrinter::Clock::time_point();
  std::ostringstream out, err;
  cli::BatchPrinter printer(out, err, options, [&now] { return now; });
  printer.Written(0, "f");
  for (size_t log = 0; log < 4; ++log) {
    now += std::chrono::seconds(2);  // each log takes 2 s
    printer.Done(log, true);
  }
  Texts drawn;
  for (const std::string& line : Split(err.str(), '\r')) {
    if (line.starts_with("zelkscope: ")) drawn.push_back(line.substr(11, line.find('\033') - 11));
  }
  EXPECT_EQ(drawn, (Texts{"0 of 4 logs done, 1 file written, estimating the time left",
                          "1 of 4 logs done, 1 file written, about 6 s left",
                          "2 of 4 logs done, 1 file written, about 4 s left",
                          "3 of 4 logs done, 1 file written, about 2 s left",
                          "4 of 4 logs done, 1 file written, under 1 s left"}));
  EXPECT_EQ(printer.Finish(), 0);
}

}  // namespace
}  // namespace zelk::testing
