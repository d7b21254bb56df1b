// Files a user may pick that are not good logs: each is opened after a good
// log, then every channel, window, page, marker step and byte is gone
// through. The program must say what is wrong (or nothing), keep the loaded
// log where it refuses the file, and stay within bounded time and memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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

// A file of `size` bytes that holds `text` at its start and random bytes at
// every 64 MB; the rest is left as holes where the file system has them, so
// that the file takes little room and little time to make.
std::string WriteSparse(const std::string& path, long long size, const std::string& text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::ftruncate(fd, size) != 0) ADD_FAILURE() << "cannot make " << path;
  const std::string block = RandomBytes(1 << 16, 7);
  for (long long at = 64ll << 20; at + static_cast<long long>(block.size()) <= size;
       at += 64ll << 20) {
    if (::pwrite(fd, block.data(), block.size(), at) < 0) ADD_FAILURE() << "cannot write " << path;
  }
  if (::pwrite(fd, text.data(), text.size(), 0) < 0) ADD_FAILURE() << "cannot write " << path;
  ::close(fd);
  return path;
}

// Every frame byte that a channel decodes put wrong in turn: cut short at
// every length, or not hexadecimal.
std::string CutFrames() {
  const std::string full80 = Frame80With({}), full7D = Frame7DWith({});
  std::vector<std::string> frames80, frames7D;
  for (size_t i = 0; i < 98; ++i) {
    frames80.push_back(full80.substr(0, 2 + i % (full80.size() - 1)));
    frames7D.push_back(full7D.substr(0, 2 + i));
  }
  // A frame cut to one character is no frame: it ends the log.
  return FrameLogOf(frames80, frames7D) + "8\r\n" + Frame80With({}) + "\r\n";
}

std::string NonHexEverywhere() {
  std::vector<std::string> frames80, frames7D;
  for (int b = 0; b < 32; ++b) {
    frames80.push_back(Frame80With({{b % 29, b % 2 ? "zz" : "-1"}}));
    frames7D.push_back(Frame7DWith({{b, b % 2 ? "G0" : " 8"}}));
  }
  frames7D.push_back(std::string("7D") + std::string(97, '\0'));
  return FrameLogOf(frames80, frames7D);
}

std::string AllText() {
  std::map<int, std::vector<std::string>> columns;
  for (int c = 1; c <= 31; ++c) columns[c] = {"n/a", "-", "x1", "\"", "E5", "1e400"};
  return TimeLog(columns);
}

// The actions that go through everything a loaded log shows.
std::string EveryView() {
  std::string script;
  for (const char* button :
       {"RPMButton", "TemperatureButton", "BatteryButton", "IgnitionButton", "LambdaButton",
        "LoopButton", "ThrottleButton", "MAPButton", "STFTButton"}) {
    script += std::string("click ") + button + "\nkey 39\n";
  }
  for (int window = 0; window < 6; ++window) {
    script += "select YAxis " + std::to_string(window) + "\nclick NextImage\nclick NextImage\n";
    script += "type MarkerStepValueText 7\nkey 39\nkey 39\nkey 37\nclick PreviousImage\n";
  }
  script += "click UserDefinedButton\n";
  for (int page = 0; page < 2; ++page) {
    script += "select UserPageSelect " + std::to_string(page) + "\n";
    for (int b = 0; b < 11; ++b)
      script += "select UserByteSelect " + std::to_string(b) + "\nkey 39\n";
  }
  return script + "dump\n";
}

struct BadFile {
  const char* what;
  // Makes the file in the scratch folder and gives its path.
  std::function<std::string(const Scratch&)> make;
  // The message shown, "{path}" and "{name}" standing for the file's; empty
  // for none.
  std::string message;
  bool loads = false;
  int sampleCount = 0;  // when it loads
  // Done once the good log is on screen, before the file is picked.
  std::function<void(const std::string& path)> between = nullptr;
  bool needsNonRoot = false;
  std::string listing;  // the engine speed's listing once it loads, where checked
};

std::string Replace(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + with.size())) {
    text.replace(at, what.size(), with);
  }
  return text;
}

#ifdef ZELK_SANITIZED
constexpr double kSecondsAtMost = 10;
#else
constexpr double kSecondsAtMost = 2;
#endif

const char kRefused[] = "Not a valid ZELK data file";
const char kCut[] = "\"{name}\" is longer than ZelkScope can hold: it was cut at line ";

TEST(BadInput, EveryFileIsToldAboutOrShownAndNeverHarmsTheLoadedLog) {
  const std::string frames1000 = FrameLog(1000, {900, 2000});
  std::vector<std::thread> writers;
  const BadFile files[] = {
      {"empty", [](const Scratch& s) { return s.Write("empty.txt", ""); }, kRefused},
      {"one byte", [](const Scratch& s) { return s.Write("one.txt", "T"); }, kRefused},
      {"binary garbage with NUL bytes",
       [](const Scratch& s) { return s.Write("garbage.bin", RandomBytes(200000, 1)); }, kRefused},
      {"1 GB of random bytes",
       [](const Scratch& s) {
         return WriteSparse(s.dir() + "/huge.bin", 1ll << 30, RandomBytes(1 << 20, 2));
       },
       kRefused},
      {"1 GB \"Time\" log, mostly holes",
       [](const Scratch& s) {
         return WriteSparse(s.dir() + "/huge-time.txt", 1ll << 30, TimeLog({{1, {"900"}}}));
       },
       std::string(kCut) + "4, after 1 samples.", true, 2},
      {"one 100 MB line of frames, no line end",
       [](const Scratch& s) {
         std::string line = "ZELK,ECU 9,x";
         const std::string pair = "," + Frame80With({{1, "0a"}}) + "," + Frame7DWith({});
         while (line.size() < (100u << 20)) line += pair;
         return s.Write("line.txt", line);
       },
       std::string(kCut) + "1, after 9999 samples.", true, 10000},
      {"more frames than the tables hold",
       [](const Scratch& s) { return s.Write("long.txt", FrameLog(10005, {700})); },
       std::string(kCut) + "20004, after 9999 samples.", true, 10000},
      {"frames cut at every length",
       [](const Scratch& s) { return s.Write("cut.txt", CutFrames()); }, "", true, 98},
      {"lower-case and mixed hexadecimal bytes",
       [](const Scratch& s) {
         const std::vector<std::string> frames80(5, Frame80With({{1, "0a"}, {2, "bC"}})),
             frames7D(5, Frame7DWith({{6, "c8"}, {12, "Ff"}}));
         return s.Write("lower.txt", FrameLogOf(frames80, frames7D));
       },
       "", true, 6, nullptr, false, "Raw Data - Revolutions/Minute\r\n2748 2748 2748 2748 "},
      {"bytes that are no hexadecimal in every place",
       [](const Scratch& s) { return s.Write("nonhex.txt", NonHexEverywhere()); }, "", true, 34},
      {"a quoted frame that never closes",
       [](const Scratch& s) {
         return s.Write("quote.txt", "ZELK,ECU 1,x\r\n" + Frame80With({}) + "\r\n\"" +
                                         Frame7DWith({}) + "\r\n" + Frame80With({}) + "\r\n");
       },
       "", true, 2},
      // The lone quote of each row opens a field that runs to the next one.
      {"a \"Time\" log whose values are all text",
       [](const Scratch& s) { return s.Write("text.txt", AllText()); }, "", true, 6},
      {"a folder",
       [](const Scratch& s) {
         fs::create_directories(s.dir() + "/logs.d/inner");
         return s.dir() + "/logs.d";
       },
       "Cannot read \"{path}\": Is a directory."},
      {"a pipe, which has no end to read to",
       [](const Scratch& s) {
         const std::string path = s.dir() + "/pipe";
         ::mkfifo(path.c_str(), 0644);
         return path;
       },
       "Cannot read \"{path}\": Not a regular file."},
      {"no read permission",
       [&frames1000](const Scratch& s) {
         const std::string path = s.Write("secret.txt", frames1000);
         ::chmod(path.c_str(), 0);
         return path;
       },
       "Cannot read \"{path}\": Permission denied.", false, 0, nullptr, true},
      {"deleted between the listing and the click",
       [&frames1000](const Scratch& s) { return s.Write("gone.txt", frames1000); },
       "Cannot read \"{path}\": No such file or directory.", false, 0,
       [](const std::string& path) { fs::remove(path); }},
      {"a log that grows while it is read",
       [](const Scratch& s) { return s.Write("growing.txt", FrameLog(500, {900})); }, "", true, 0,
       [&writers](const std::string& path) {
         writers.emplace_back([path] {
           std::ofstream out(path, std::ios::app);
           for (int i = 0; i < 4000; ++i) out << Frame80With({}) << "\r\n" << std::flush;
         });
       }},
      {"blanks and letters beyond ASCII in the name",
       [](const Scratch& s) { return s.Write("Fahrt über Köln 2.txt", FrameLog(30, {1200})); }, "",
       true, 30},
  };

  for (const BadFile& file : files) {
    SCOPED_TRACE(file.what);
    if (file.needsNonRoot && ::geteuid() == 0) {
      std::printf("[ SKIPPED  ] %s: root reads every file\n", file.what);
      continue;
    }
    Scratch s;
    const std::string good = s.Write("good.txt", FrameLog(51, {850}));
    const std::string path = file.make(s);
    const std::string name = fs::path(path).filename().string();
    // The file is clicked in the browser, which lists it beside the good
    // log, or opened by its path where the browser lists no such file.
    const DriverRun run = s.Run(
        {"open " + good + "\ndump\n", "dump\n" + EveryView()},
        [&](size_t, const std::vector<Json>& dumps) {
          if (file.between) file.between(path);
          const auto listed = dumps.at(0)["controls"]["File1"]["items"].Strings();
          const auto at = std::find(listed.begin(), listed.end(), name);
          return at == listed.end() ? "open " + path + "\n"
                                    : "select File1 " + std::to_string(at - listed.begin()) + "\n";
        });
    for (std::thread& writer : writers) writer.join();
    writers.clear();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.dumps.size(), 3u);
    if (run.dumps.size() != 3) continue;
    const Json &before = run.dumps[0], &after = run.dumps[1];

    std::vector<std::string> messages;
    for (const Json& m : after["messages"].items) messages.push_back(m["text"].text);
    const std::string expected = Replace(Replace(file.message, "{path}", path), "{name}", name);
    EXPECT_EQ(messages,
              expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected});
    if (file.loads) {
      EXPECT_EQ(after["vars"]["FileName"].text, name);
      if (!file.listing.empty()) {
        EXPECT_EQ(after["controls"]["Text"]["text"].text, file.listing);
      }
      if (file.sampleCount) {
        EXPECT_EQ(after["vars"]["SampleCount"].number, file.sampleCount);
      }
    } else {
      // The browser comes back; the loaded log, its names and graph stay.
      EXPECT_TRUE(after["vars"] == before["vars"]);
      EXPECT_TRUE(after["canvas"] == before["canvas"]);
      for (const char* key : {"Text", "CurrentFileText", "LabelInfo(4)", "UserByteSelect"})
        EXPECT_EQ(after["controls"][key], before["controls"][key]) << key;
      EXPECT_TRUE(after["controls"]["Background"]["visible"].boolean);
    }
    EXPECT_LT(run.seconds, kSecondsAtMost);
    EXPECT_LT(run.peakKb, 200 * 1024);
    std::printf("[          ] %-45s %6.3f s %7ld KB\n", file.what, run.seconds, run.peakKb);
  }
}

}  // namespace
}  // namespace zelk::e2e
