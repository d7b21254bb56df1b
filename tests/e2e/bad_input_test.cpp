// Files a user may pick that are not good logs: each is opened after a good
// log, then every channel, window, page, marker step and byte is gone
// through. The program must say what is wrong (or nothing), keep the loaded
// log where it refuses the file, and stay within bounded time and memory.
// (An empty or one-byte file is the unit tests' RejectsFilesThatAreNoFrameLog;
// random bytes with NULs are the 1 GB file below.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "driver_harness.h"

namespace zelk::e2e {
namespace {
namespace fs = std::filesystem;

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// A 1 GB file that holds `text` at its start and random bytes at every
// 64 MB; the rest is left as holes where the file system has them, so that
// the file takes little room and little time to make.
void WriteSparse(const std::string& path, const std::string& text) {
  WriteFile(path, text);
  fs::resize_file(path, 1ll << 30);
  std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
  const std::string block = RandomBytes(1 << 16, 7);
  for (long long at = 64ll << 20; at < 1ll << 30; at += 64ll << 20)
    out.seekp(at).write(block.data(), std::ssize(block));
  EXPECT_TRUE(out.good()) << path;
}

// Every frame byte that a channel decodes put wrong in turn: cut short at
// every length (a frame cut to one character is no frame: it ends the log).
std::string CutFrames() {
  const std::string full80 = Frame80With({}), full7D = Frame7DWith({});
  Texts frames80, frames7D;
  for (size_t i = 0; i < 98; ++i) {
    frames80.push_back(full80.substr(0, 2 + i % (full80.size() - 1)));
    frames7D.push_back(full7D.substr(0, 2 + i));
  }
  return FrameLogOf(frames80, frames7D) + "8\r\n" + Frame80With({}) + "\r\n";
}

// Bytes that are no hexadecimal in every place.
std::string NonHexEverywhere() {
  Texts frames80, frames7D;
  for (int b = 0; b < 32; ++b) {
    frames80.push_back(Frame80With({{b % 29, b % 2 ? "zz" : "-1"}}));
    frames7D.push_back(Frame7DWith({{b, b % 2 ? "G0" : " 8"}}));
  }
  frames7D.push_back(std::string("7D") + std::string(97, '\0'));
  return FrameLogOf(frames80, frames7D);
}

// A "Time" log whose values are all text; the lone quote of each row opens a
// field that runs to the next one.
std::string AllText() {
  std::map<int, Texts> columns;
  for (int c = 1; c <= 31; ++c) columns[c] = {"n/a", "-", "x1", "\"", "E5", "1e400"};
  return TimeLog(columns);
}

// The actions that go through everything a loaded log shows.
std::string EveryView() {
  std::string script;
  for (const char* button :
       {"RPMButton", "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
        "LoopButton", "ThrottleButton", "MAPButton", "STFTButton"})
    script += std::string("click ") + button + "\nkey 39\n";
  for (int window = 0; window < 6; ++window)
    script += "select YAxis " + std::to_string(window) +
              "\nclick NextImage\nclick NextImage\ntype MarkerStepValueText 7\nkey 39\nkey 39\n"
              "key 37\nclick PreviousImage\n";
  script += "click UserDefinedButton\n";
  for (int page = 0; page < 2; ++page) {
    script += "select UserPageSelect " + std::to_string(page) + "\n";
    for (int b = 0; b < 11; ++b)
      script += "select UserByteSelect " + std::to_string(b) + "\nkey 39\n";
  }
  return script + "dump\n";
}

// How a file is made: written with its text, written sparse to 1 GB, or
// something that is no file to read.
enum class Make { Text, Sparse, Folder, Pipe, Unreadable, DeletedOnClick, GrowingOnClick };

std::string Replace(std::string text, const std::string& what, const std::string& with) {
  const size_t at = text.find(what);
  return at == std::string::npos ? text : text.replace(at, what.size(), with);
}

#ifdef ZELK_SANITIZED
constexpr double kSecondsAtMost = 10;
#else
constexpr double kSecondsAtMost = 2;
#endif

const char kRefused[] = "Not a valid ZELK data file: \"{path}\"";
const std::string kCut = "\"{name}\" is longer than ZelkScope can hold: it was cut at line ";

TEST(BadInput, EveryFileIsToldAboutOrShownAndNeverHarmsTheLoadedLog) {
  std::string line = "ZELK,ECU 9,x";  // one 100 MB line of frames, no line end
  while (line.size() < (100u << 20)) line += "," + Frame80With({{1, "0a"}}) + "," + Frame7DWith({});
  const struct {
    Make make;
    std::string name, text;
    // The message shown, "{path}" and "{name}" standing for the file's; empty
    // for none.
    std::string message;
    int sampleCount = -1;  // -1: refused; 0: loaded, of any length
  } files[] = {
      {Make::Sparse, "huge.bin", RandomBytes(1 << 20, 2), kRefused},
      {Make::Sparse, "huge-time.txt", TimeLog({{1, {"900"}}}), kCut + "3, after 1 sample.", 2},
      {Make::Text, "line.txt", line, kCut + "1, after 10000 samples.", 10001},
      {Make::Text, "long.txt", FrameLog(10005, {700}), kCut + "20004, after 10000 samples.", 10001},
      // Record 10000 ends with the time field of row 10001, on line 10002.
      {Make::Text, "long-time.txt", ShortTimeLog({{10, Texts(10003, "9")}}),
       kCut + "10002, after 10000 samples.", 10001},
      {Make::Text, "cut.txt", CutFrames(), "", 99},
      {Make::Text, "nonhex.txt", NonHexEverywhere(), "", 34},
      {Make::Text, "quote.txt",
       "ZELK,ECU 1,x\r\n" + Frame80With({}) + "\r\n\"" + Frame7DWith({}) + "\r\n" +
           Frame80With({}) + "\r\n",
       "", 2},  // a quoted frame that never closes
      {Make::Text, "text.txt", AllText(), "", 6},
      {Make::Folder, "logs.d", "", "Cannot read \"{path}\": Is a directory."},
      {Make::Pipe, "pipe", "", "Cannot read \"{path}\": Not a regular file."},
      {Make::Unreadable, "secret.txt", FrameLog(1000, {900}),
       "Cannot read \"{path}\": Permission denied."},
      {Make::DeletedOnClick, "gone.txt", FrameLog(1000, {900}),
       "Cannot read \"{path}\": No such file or directory."},
      {Make::GrowingOnClick, "growing.txt", FrameLog(500, {900}), "", 0},
      {Make::Text, "Fahrt über Köln 2.txt", FrameLog(30, {1200}), "", 31},
  };

  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    if (file.make == Make::Unreadable && ::geteuid() == 0) {
      std::printf("[ SKIPPED  ] %s: root reads every file\n", file.name.c_str());
      continue;
    }
    Scratch s;
    const std::string path = s.dir() + "/" + file.name;
    if (file.make == Make::Sparse) WriteSparse(path, file.text);
    if (file.make == Make::Folder) fs::create_directories(path + "/inner");
    if (file.make == Make::Pipe) ::mkfifo(path.c_str(), 0644);
    if (!file.text.empty() && file.make != Make::Sparse) s.Write(file.name, file.text);
    if (file.make == Make::Unreadable) ::chmod(path.c_str(), 0);
    std::thread writer;
    // The file is clicked in the browser, which lists it beside the good
    // log, or opened by its path where the browser lists no such file.
    const DriverRun run = s.Run(
        {"open " + s.Write("good.txt", FrameLog(51, {850})) + "\ndump\n", "dump\n" + EveryView()},
        [&](size_t, const std::vector<Json>& dumps) {
          if (file.make == Make::DeletedOnClick) fs::remove(path);
          if (file.make == Make::GrowingOnClick) {
            writer = std::thread([&path] {
              std::ofstream out(path, std::ios::app);
              for (int i = 0; i < 4000; ++i) out << Frame80With({}) << "\r\n" << std::flush;
            });
          }
          const Texts listed = dumps.at(0)["controls"]["File1"]["items"].Strings();
          const auto at = std::ranges::find(listed, file.name);
          return at == listed.end() ? "open " + path + "\n"
                                    : "select File1 " + std::to_string(at - listed.begin()) + "\n";
        });
    if (writer.joinable()) writer.join();
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.dumps.size(), 3u);
    const Json &before = run.dumps[0], &after = run.dumps[1];
    const std::string expected =
        Replace(Replace(file.message, "{path}", path), "{name}", file.name);
    EXPECT_EQ(after["messages"].size(), expected.empty() ? 0u : 1u);
    EXPECT_EQ(after["messages"][0]["text"].text, expected);
    if (file.sampleCount >= 0) {
      EXPECT_EQ(after["vars"]["FileName"].text, file.name);
      const double count = after["vars"]["SampleCount"].number;
      EXPECT_EQ(file.sampleCount ? count : 0, file.sampleCount);
    } else {
      // The browser comes back; the loaded log, its names and graph stay.
      EXPECT_TRUE(after["vars"] == before["vars"] && after["canvas"] == before["canvas"]);
      for (const char* key : {"Text", "CurrentFileText", "LabelInfo(4)", "UserByteSelect"})
        EXPECT_EQ(after["controls"][key], before["controls"][key]) << key;
      EXPECT_TRUE(after["controls"]["Background"]["visible"].boolean);
    }
    EXPECT_LT(run.seconds, kSecondsAtMost);
    EXPECT_LT(run.peakKb, 200 * 1024);
  }
}

}  // namespace
}  // namespace zelk::e2e
