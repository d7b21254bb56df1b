#include "cli/command_line.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "channels/combined.h"
#include "form/channel_buttons.h"
#include "form/user_page.h"
#include "store/startup_tables.h"

#ifndef ZELK_VERSION
#define ZELK_VERSION "0"
#endif

namespace zelk::cli {
namespace {

using form::kProgramTitle;

// The captions, comma-separated, on lines of the usage text's width.
std::string ChannelList(std::string_view indent) {
  std::string list(indent);
  size_t lineStart = 0;
  for (const form::ChannelButton& button : form::ChannelButtons()) {
    const std::string caption = button.caption;
    if (list.size() > indent.size()) {
      list += ',';
      if (list.size() - lineStart + caption.size() + 1 > 78) {
        lineStart = list.size() + 1;
        (list += '\n') += indent;
      } else {
        list += ' ';
      }
    }
    list += caption;
  }
  return list;
}

// The window lengths offered in the window list, in minutes.
std::vector<int> WindowLengths() {
  const store::StartupTables tables = store::InitTables();
  std::vector<int> lengths;
  for (int k = 1; k <= 5; ++k) lengths.push_back(tables.Minutes(k));
  return lengths;
}

std::string LengthList() {
  const std::vector<int> lengths = WindowLengths();
  std::string list;
  for (size_t i = 0; i < lengths.size(); ++i) {
    if (i > 0) list += i + 1 == lengths.size() ? " or " : ", ";
    list += std::to_string(lengths[i]);
  }
  return list;
}

CommandLine Only(CommandLine::Mode mode) {
  CommandLine line;
  line.mode = mode;
  return line;
}

CommandLine Bad(std::string problem) {
  CommandLine line = Only(CommandLine::Mode::Bad);
  line.problem = std::move(problem);
  return line;
}

// The channels (by their buttons' captions, in any case), the window length
// and the number of jobs asked for, into `batch`; what is wrong with them, or
// nothing.
std::string TakeBatchValues(const std::vector<std::string>& channelNames,
                            const std::optional<std::string>& minutes,
                            const std::optional<std::string>& jobs, BatchOptions& batch) {
  for (const std::string& name : channelNames) {
    const form::ChannelButton* found = form::ButtonCaptioned(name);
    if (!found) return "no channel is called \"" + name + "\"";
    if (std::ranges::find(batch.channels, found->id) == batch.channels.end()) {
      batch.channels.push_back(found->id);
    }
  }
  if (batch.channels.empty()) {
    batch.channels = batch.combined ? channels::DefaultStrips() : form::ButtonChannels();
  }
  if (minutes) {
    const std::vector<int> lengths = WindowLengths();
    const auto k = std::ranges::find_if(
        lengths, [&](int length) { return *minutes == std::to_string(length); });
    if (k == lengths.end()) return "--minutes must be " + LengthList();
    batch.minutes = *k;
  }
  if (jobs) {
    int n = 0;
    const auto [end, error] = std::from_chars(jobs->data(), jobs->data() + jobs->size(), n);
    if (jobs->empty() || error != std::errc() || end != jobs->data() + jobs->size() || n < 1 ||
        n > kMaxJobs) {
      return "--jobs must be a whole number from 1 to " + std::to_string(kMaxJobs);
    }
    batch.jobs = n;
  }
  return {};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool batch = false, optionsEnded = false;
  std::vector<std::string> channelNames, positional;
  std::optional<std::string> minutes, jobs;

  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") return Only(CommandLine::Mode::Help);
    if (arg == "--version") return Only(CommandLine::Mode::Version);
    if (arg == "--quiet" || arg == "--worker" || arg == "--combined") {
      (arg == "--quiet"    ? line.batch.quiet
       : arg == "--worker" ? line.batch.worker
                           : line.batch.combined) = true;
      continue;
    }
    // An option's value follows it, or is joined to it by '='.
    std::optional<std::string> joined;
    if (const size_t equals = arg.find('='); equals != std::string::npos) {
      joined = arg.substr(equals + 1);
      arg.resize(equals);
    }
    if (arg != "--export" && arg != "--channel" && arg != "--minutes" && arg != "--jobs" &&
        arg != "--worker-name") {
      return Bad("unknown option \"" + args[i] + "\"");
    }
    if (!joined && i + 1 >= args.size()) return Bad(arg + " needs a value");
    const std::string value = joined ? *joined : args[++i];
    if (arg == "--export") {
      if (value.empty()) return Bad("--export needs a folder");
      batch = true;
      line.batch.folder = value;
    } else if (arg == "--channel") {
      channelNames.push_back(value);
    } else if (arg == "--worker-name") {
      line.batch.names.push_back(value);
    } else {
      (arg == "--jobs" ? jobs : minutes) = value;
    }
  }

  if (!batch) {
    if (!channelNames.empty() || minutes || jobs || line.batch.quiet || line.batch.combined) {
      return Bad("--channel, --minutes, --jobs, --combined and --quiet go with --export");
    }
    if (positional.size() > 1) return Bad("only one log can be opened");
    if (!positional.empty()) line.log = positional.front();
    return line;
  }
  line.mode = CommandLine::Mode::Batch;
  if (positional.empty()) return Bad("--export needs at least one log");
  line.batch.logs = std::move(positional);
  if (const std::string wrong = TakeBatchValues(channelNames, minutes, jobs, line.batch);
      !wrong.empty()) {
    return Bad(wrong);
  }
  if (line.batch.worker && line.batch.names.size() != line.batch.logs.size()) {
    return Bad("--worker needs a --worker-name for each log");
  }
  return line;
}

std::vector<std::string> WorkerArguments(const BatchOptions& batch) {
  std::vector<std::string> args = {"--worker", "--export", batch.folder};
  if (batch.minutes > 0) args.insert(args.end(), {"--minutes", std::to_string(batch.minutes)});
  if (batch.combined) args.push_back("--combined");
  for (const channels::ChannelId id : batch.channels) {
    args.insert(args.end(), {"--channel", form::ButtonOf(id)->caption});
  }
  for (const std::string& name : batch.names) args.insert(args.end(), {"--worker-name", name});
  args.push_back("--");
  args.insert(args.end(), batch.logs.begin(), batch.logs.end());
  return args;
}

std::string UsageText() {
  return "Usage: zelkscope [LOG]\n"
         "  or:  zelkscope --export DIR [OPTION]... LOG...\n"
         "\n"
         "Shows engine control unit data logs. With LOG, the window opens on that log.\n"
         "With --export, no window is shown: the graph (PNG) and the data (CSV) of each\n"
         "channel of every LOG are written into DIR, one line naming each file, in the\n"
         "order of the logs. A file is named after its log and channel (drive-rpm.png);\n"
         "a later log of the same file name adds a number to the log's name\n"
         "(drive-2-rpm.png, drive-3-rpm.png and so on).\n"
         "On a terminal, standard error shows how far the run has got.\n"
         "\n"
         "Options:\n"
         "  --export DIR    the folder for the files; made when it is missing\n"
         "  --channel NAME  a channel as its button names it, in any case; may be given\n"
         "                  again; every channel when none is given. The channels:\n" +
         ChannelList("                  ") +
         "\n"
         "  --minutes N     a pair of files for every page of an N-minute window\n"
         "                  (N is " +
         LengthList() +
         "); the Full Trip when not given\n"
         "  --combined      for each log (and page) one picture of the channels stacked\n"
         "                  over one time axis and one table of all their columns\n"
         "                  (drive-channels.png, drive-channels.csv); the channels are\n"
         "                  those given with --channel, else engine speed, throttle,\n"
         "                  manifold pressure, lambda and temperatures\n"
         "  --jobs N        share the logs among N processes (1 to " +
         std::to_string(kMaxJobs) +
         "); as many as the\n"
         "                  machine has processor cores when not given\n"
         "  --quiet         no line for each file written\n"
         "  --help          show this text and stop\n"
         "  --version       show the version and stop\n"
         "\n"
         "Exit status: 0 when everything was done, 1 when a log was refused or a file\n"
         "could not be written, 2 for arguments that are wrong.\n";
}

std::string VersionText() { return std::string(kProgramTitle) + " " + ZELK_VERSION + "\n"; }

}  // namespace zelk::cli
