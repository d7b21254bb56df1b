// The "Log" button and the reader program chosen in File > Options.
#include <sys/stat.h>

#include <fstream>
#include <tuple>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

// What a click on "Log" does for each reader: the program asked for, or the
// message the user reads instead. With none chosen it asks for the fixed
// path, as before there were options; a chosen one is asked for only where it
// can be run, and otherwise named with the reason. Options asks the window
// for its dialog once.
TEST_F(PageTest, LogStartsTheChosenReaderOrNamesWhyItCannot) {
  const std::string program = dir_ + "/reader", text = dir_ + "/notes.txt";
  std::ofstream(program) << "#!/bin/sh\n";
  std::ofstream(text) << "not a program\n";
  chmod(program.c_str(), 0755);
  chmod(text.c_str(), 0644);
  const std::string told = "The reader program could not be started: \"";
  const std::string choose = ". Choose the reader program in File > Options.";
  // The reader chosen, the program asked for (empty: none), the message.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "C:\\Readzelk.exe", ""},
      {program, program, ""},
      {dir_ + "/gone", "", told + dir_ + "/gone\": there is no such file" + choose},
      {text + "/reader", "", told + text + "/reader\": there is no such file" + choose},
      {dir_, "", told + dir_ + "\": it is a folder" + choose},
      {text, "", told + text + "\": it is not a program that may be run" + choose},
  };
  for (const auto& [reader, started, message] : cases) {
    SCOPED_TRACE(reader);
    page().SetReaderProgram(reader);
    Run(page(), "click ShellButton");
    EXPECT_EQ(page().TakeStarted(), started.empty() ? Texts{} : Texts{started});
    const std::vector<form::Message> messages = page().TakeMessages();
    EXPECT_EQ(messages.empty() ? "" : messages.at(0).text, message);
  }
  EXPECT_FALSE(page().TakeOptionsRequest());
  Run(page(), "click OptionsMenu");
  EXPECT_TRUE(page().TakeOptionsRequest());
  EXPECT_FALSE(page().TakeOptionsRequest());
}

}  // namespace
}  // namespace zelk::testing
