// `zelkscope --export` as a user runs it from a shell without a display: the
// files it writes and what it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {
namespace fs = std::filesystem;

const std::string kLogs = ZELK_SAMPLE_LOGS;
const char* const kLogNames[] = {"drive_frames", "drive_time", "drive_quillon"};
const char* const kSlugs[] = {"rpm",  "temperature", "battery",  "ignition", "lambda",
                              "loop", "throttle",    "manifold", "stft",     "user_defined"};

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

// The program with no display to go to: X's variable unset, X asked for.
// `meanwhile` is shell code run while it runs, its process id in $pid.
ProgramRun RunProgram(const Scratch& s, const Texts& args, const std::string& meanwhile = "") {
  std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" ZELK_PROGRAM "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " > '" + s.dir() + "/run.out' 2> '" + s.dir() + "/run.err'";
  if (!meanwhile.empty()) command += " & pid=$!; " + meanwhile + "; wait $pid";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(s.dir() + "/run.out"),
          ReadFile(s.dir() + "/run.err")};
}

// The paths of a folder's files, sorted, as `folder` + "/" + name.
Texts Paths(const std::string& folder) {
  Texts names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(folder + "/" + entry.path().filename().string());
  std::ranges::sort(names);
  return names;
}

// The sample logs ten times over, one of them refused in the second round,
// exported by one process (or one for each core) and by four: the same names,
// table bytes, picture pixels, lines and exit status. --quiet (second round)
// leaves out only the files' lines. Every channel of a log is written and
// named in turn: a picture of the canvas inside the picture box's border, as
// on screen, and a table beside each.
TEST(ExportRun, JobsShareTheLogsAndChangeNothingElse) {
  Scratch s;
  Texts logs;
  for (int copy = 0; copy < 10; ++copy)
    for (const std::string name : kLogNames)
      logs.push_back(s.Write(std::to_string(copy) + "/" + name + ".txt",
                             ReadFile(kLogs + "/" + name + ".txt")));
  Texts named;  // the first copy's files
  for (const char* log : kLogNames)
    for (const char* slug : kSlugs)
      for (const char* type : {".png", ".csv"})
        named.push_back(s.dir() + "/out/" + log + "-" + slug + type);
  const Texts options[2][2] = {{{}, {"--jobs", "4"}}, {{"--jobs", "1"}, {"--jobs=4", "--quiet"}}};
  for (const bool refused : {false, true}) {
    if (refused) s.Write("4/drive_time.txt", "garbage");
    std::vector<ProgramRun> runs;
    for (const Texts& option : options[refused]) {
      Texts args = {"--export", s.dir() + "/out"};
      args.insert(args.end(), option.begin(), option.end());
      args.insert(args.end(), logs.begin(), logs.end());
      runs.push_back(RunProgram(s, args));
      fs::rename(s.dir() + "/out", s.dir() + "/out" + std::to_string(runs.size()));
    }
    EXPECT_EQ(runs[0].status, refused ? 1 : 0);
    EXPECT_EQ(runs[0].err,
              refused ? "zelkscope: " + logs[13] + ": Not a valid ZELK data file: \"" + logs[13] +
                            "\"\n"
                      : "");
    Texts lines = Split(runs[0].out, '\n');
    EXPECT_EQ(lines.size(), refused ? 580u : 600u);
    EXPECT_EQ(lines.back(), s.dir() + "/out/drive_quillon-10-user_defined.csv");
    lines.resize(named.size());
    EXPECT_EQ(lines, named);
    EXPECT_EQ(runs[1].status, runs[0].status);
    EXPECT_EQ(runs[1].err, runs[0].err);
    EXPECT_EQ(runs[1].out, refused ? "" : runs[0].out);
    const Texts paths = Paths(s.dir() + "/out1");
    ASSERT_EQ(Paths(s.dir() + "/out2").size(), paths.size());
    for (const std::string& one : paths) {
      const std::string other = s.dir() + "/out2/" + fs::path(one).filename().string();
      if (one.ends_with(".csv")) {
        EXPECT_TRUE(ReadFile(one).starts_with("sample,minutes,")) << one;
        ASSERT_EQ(ReadFile(one), ReadFile(other));
      } else {
        const QImage picture(QString::fromStdString(one));
        EXPECT_EQ(picture.size(), QSize(783, 293)) << one;
        ASSERT_TRUE(picture == QImage(QString::fromStdString(other))) << other;
      }
    }
    for (const char* out : {"/out1", "/out2"}) fs::remove_all(s.dir() + out);
  }
}

// A worker killed in the middle: each log it had not finished is reported,
// and every file in the folder is whole.
TEST(ExportRun, KilledWorkerIsReported) {
  Scratch s;
  Texts args = {"--export", s.dir() + "/out", "--jobs", "2"};
  for (int copy = 0; copy < 10; ++copy)
    for (const char* name : kLogNames) args.push_back(kLogs + "/" + name + ".txt");
  const ProgramRun run = RunProgram(s, args,
                                    "until [ -s " + s.dir() +
                                        "/run.out ] || ! kill -0 $pid; do sleep 0.05; done; "
                                        "pkill -KILL -o -P $pid");
  EXPECT_EQ(run.status, 1);
  const Texts reported = Split(run.err, '\n');
  for (const std::string& line : reported) {
    EXPECT_TRUE(line.starts_with("zelkscope: " + kLogs + "/drive_") &&
                line.ends_with(".txt: not finished: its worker process was killed by signal 9 "
                               "(Killed)"))
        << line;
  }
  EXPECT_GE(Split(run.out, '\n').size(), 20 * (30 - reported.size()));
  // Every file named is there. A worker can be killed after it wrote a file
  // but before it said so: such a file is whole, and belongs to a log
  // reported as not finished (at most its 20 files each).
  Texts written = Split(run.out, '\n');
  std::ranges::sort(written);
  const Texts present = Paths(s.dir() + "/out");
  EXPECT_TRUE(std::ranges::includes(present, written));
  size_t unnamed = 0;
  for (const std::string& path : present) {
    if (std::ranges::binary_search(written, path)) continue;
    ++unnamed;
    EXPECT_TRUE(path.ends_with(".csv") ? ReadFile(path).starts_with("sample,minutes,")
                                       : !QImage(QString::fromStdString(path)).isNull())
        << path;
  }
  EXPECT_LE(unnamed, 20 * reported.size());
}

// Wrong arguments stop the program before it makes its folder (DIR), with a
// word on standard error; questions are answered on standard output.
TEST(ExportRun, ArgumentsAreCheckedFirst) {
  const Scratch s;
  const std::string log = kLogs + "/drive_time.txt", dir = s.dir() + "/out";
  // The arguments, the exit status, what the one stream written starts with.
  const std::tuple<Texts, int, std::string> cases[] = {
      {{"--export", dir, "--minutes", "7", log}, 2, "zelkscope: --minutes must be 2, 5, 10"},
      {{"--export", dir}, 2, "zelkscope: --export needs at least one log\n\nUsage:"},
      {{"--export", dir, "--jobs", "0", log}, 2, "zelkscope: --jobs must be a whole number"},
      {{"--export", dir, "--jobs=abc", log}, 2, "zelkscope: --jobs must be a whole number"},
      {{"--help"}, 0, "Usage: zelkscope [LOG]\n"},
      {{"--version"}, 0, "ZelkScope 1.0.0\n"},
  };
  for (const auto& [args, status, said] : cases) {
    SCOPED_TRACE(args.back());
    const ProgramRun run = RunProgram(s, args);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ((status == 0 ? run.out : run.err).substr(0, said.size()), said);
    EXPECT_EQ(status == 0 ? run.err : run.out, "");
    EXPECT_FALSE(fs::exists(dir));
  }
}

}  // namespace
}  // namespace zelk::e2e
