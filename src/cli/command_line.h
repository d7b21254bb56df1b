// The program's command line: a log to open at start, or a batch run that
// writes graphs and data tables without a window.
#pragma once

#include <string>
#include <vector>

namespace zelk::cli {

struct BatchOptions {
  std::string folder;                 // where the files go
  std::vector<std::string> channels;  // channel button keys; every channel when none is named
  int minutes = 0;                    // 0: the Full Trip; else every page of this window length
  std::vector<std::string> logs;
};

struct CommandLine {
  enum class Mode { Window, Batch, Help, Version, Bad };
  Mode mode = Mode::Window;
  std::string log;      // Window: the log to open at start; empty for none
  BatchOptions batch;   // Batch
  std::string problem;  // Bad: what is wrong, for the user
};

// Reads the arguments that follow the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What --help prints, and the version line of --version.
std::string UsageText();
std::string VersionText();

}  // namespace zelk::cli
