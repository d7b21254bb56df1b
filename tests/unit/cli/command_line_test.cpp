// The command line: what a user's arguments ask the program to do.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include "form/channel_buttons.h"
#include "form/user_page.h"

namespace zelk::cli {
namespace {

using Texts = std::vector<std::string>;

// What a command line asks for, in one line.
std::string Summary(const CommandLine& line) {
  const BatchOptions& b = line.batch;
  const std::string modes[] = {"open " + line.log,
                               "export " + b.folder + " " + std::to_string(b.minutes), "help",
                               "version", "bad: " + line.problem};
  std::string summary = modes[static_cast<int>(line.mode)];
  if (line.mode != CommandLine::Mode::Batch) return summary;
  const bool every = b.channels == form::ButtonChannels();
  if (every) summary += " all";
  for (const channels::ChannelId id : every ? decltype(b.channels){} : b.channels) {
    summary += std::string(" ") + form::ButtonOf(id)->key;
  }
  summary += " |";
  for (const std::string& log : b.logs) summary += " " + log;
  return summary;
}

TEST(CommandLine, ArgumentsGiveModeLogAndBatch) {
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
      {{"--export", "out", "--minutes=abc", "a.txt"}, "bad: --minutes must be 2, 5, 10, 20 or 30"},
      {{"--channel", "rpm", "a.txt"},
       "bad: --channel, --minutes, --jobs, --combined and --quiet go with --export"},
      {{"--export", "out", "--combined", "a.txt"},
       "export out 0 RPMButton ThrottleButton MAPButton LambdaButton TemperatureButton | a.txt"},
      {{"--export"}, "bad: --export needs a value"},
      {{"--colour", "a.txt"}, "bad: unknown option \"--colour\""},
      // clang-format on
  };
  for (const auto& [args, summary] : cases) {
    EXPECT_EQ(Summary(ParseCommandLine(args)), summary) << ::testing::PrintToString(args);
  }
  for (const char* caption : {"RPM", "Temperature", "Battery", "Ignition", "Lambda", "Loop",
                              "Throttle", "Manifold", "STFT", "User-Defined"}) {
    EXPECT_NE(UsageText().find(caption), std::string::npos) << caption;
  }
}

}  // namespace
}  // namespace zelk::cli
