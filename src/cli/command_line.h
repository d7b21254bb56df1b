// The program's command line: a log to open at start, or a batch run that
// writes graphs and data tables without a window.
#pragma once

#include <string>
#include <vector>

#include "channels/channels.h"

namespace zelk::cli {

struct BatchOptions {
  std::string folder;                         // where the files go
  std::vector<channels::ChannelId> channels;  // every channel when none is named
  int minutes = 0;  // 0: the Full Trip; else every page of this window length
  std::vector<std::string> logs;
  int jobs = 0;           // processes sharing the logs; 0: one for each processor core
  bool quiet = false;     // no line for each file written
  // One picture and one table of the channels stacked as strips, for each
  // log (and page), in place of a pair of files for each channel.
  bool combined = false;
  bool progress = false;  // a progress line on standard error (set when that is a terminal)
  // A worker of a run shared among processes (a hidden option): `names` are
  // what its logs' files are called, decided by the run that started it.
  bool worker = false;
  std::vector<std::string> names;
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

// The arguments that start a worker on `batch`'s logs, named by its `names`.
std::vector<std::string> WorkerArguments(const BatchOptions& batch);

// The largest --jobs taken.
inline constexpr int kMaxJobs = 256;

// What --help prints, and the version line of --version.
std::string UsageText();
std::string VersionText();

}  // namespace zelk::cli
