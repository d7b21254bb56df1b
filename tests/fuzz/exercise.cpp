#include "exercise.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <tuple>

#include "chart/canvas.h"
#include "form/user_event.h"
#include "form/user_page.h"
#include "log_text.h"
#include "script.h"

namespace zelk::fuzz {
namespace {
namespace fs = std::filesystem;

constexpr int kLeftArrow = 37;
constexpr int kRightArrow = 39;
// No log the tables hold has this many pages in any window length.
constexpr int kMaxPages = 5000;

// A folder of this process's own, with a `logs` folder in it, removed at
// exit. In /dev/shm where it can be, so that the file written for every input
// stays in memory.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& kind) {
    const std::string name = "zelk-fuzz-" + kind + "-" + std::to_string(::getpid());
    std::error_code ec;
    for (const fs::path& base : {fs::path("/dev/shm"), fs::temp_directory_path(ec)}) {
      path_ = base / name;
      fs::remove_all(path_, ec);
      if (fs::create_directories(path_ / "logs", ec)) break;
    }
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Draws nothing; keeps the first line whose coordinates are not all finite.
class CheckingCanvas : public chart::Canvas {
 public:
  void Clear() override {}
  void SetLineWidth(int) override {}
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t) override {
    if (!fault_.empty()) return;
    if (std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)) return;
    fault_ = "line drawn from (" + std::to_string(x1) + ", " + std::to_string(y1) + ") to (" +
             std::to_string(x2) + ", " + std::to_string(y2) + ")";
  }
  std::string TakeFault() { return std::exchange(fault_, {}); }

 private:
  std::string fault_;
};

// What every state of the window keeps: each list's selection is one of its
// items or none, and every control stands at finite coordinates.
std::string StateFault(const form::UserPage& page) {
  for (const form::Control& c : page.controls().all()) {
    const form::ControlState& s = c.state;
    if (s.index < -1 || s.index >= static_cast<int>(s.items.size())) {
      return c.Key() + " has item " + std::to_string(s.index) + " selected of " +
             std::to_string(s.items.size());
    }
    if (!std::isfinite(s.left) || !std::isfinite(s.top)) {
      return c.Key() + " stands at (" + std::to_string(s.left) + ", " + std::to_string(s.top) + ")";
    }
  }
  return {};
}

bool InBrowser(const form::Control& c) {
  return c.spec.name == "Background" || c.spec.container == "Background";
}

// What a refused file must leave as it was: the log, the program's variables
// and every control but the browser, which moves to the refused file's folder.
struct Snapshot {
  explicit Snapshot(const form::UserPage& page) {
    const store::LogData& l = page.log();
    log = {l.format,         l.sampleCount,    l.logLineCount(),
           l.frame80Count(), l.frame7DCount(), l.recordCount()};
    const form::ProgramVars& v = page.vars();
    vars = {v.file.path,        v.file.name,        v.file.samplesPerMinute,
            v.file.tripMins,    v.window.startMins, v.window.endMins,
            v.window.yStart,    v.window.yEnd,      static_cast<int>(v.graph.channel),
            v.graph.valueScale, v.marker.pos,       v.graph.rawText};
    for (const form::Control& c : page.controls().all()) {
      const form::ControlState& s = c.state;
      controls.emplace_back(s.caption, s.visible, s.left, s.top, s.width, s.height, s.items,
                            s.index, s.backColour, s.value, s.enabled);
    }
  }
  std::tuple<int, int, long, long, long, long> log;
  std::tuple<std::string, std::string, int, int, double, double, double, double, int, double,
             double, std::string>
      vars;
  std::vector<std::tuple<std::string, bool, float, float, int, int, std::vector<std::string>, int,
                         uint32_t, int, bool>>
      controls;
};

// The first thing of `before` that `after` changed, or the empty text.
std::string Changed(const Snapshot& before, const Snapshot& after, const form::UserPage& page) {
  if (before.log != after.log) return "the log";
  if (before.vars != after.vars) return "the program's variables";
  const auto& all = page.controls().all();
  for (size_t i = 0; i < all.size(); ++i) {
    if (!InBrowser(all[i]) && before.controls[i] != after.controls[i]) return all[i].Key();
  }
  return {};
}

// The program folder of the log target: a small valid log, and the file that
// each input is written to.
struct LogProgram {
  LogProgram() : folder("log"), base(folder.path() / "logs" / "base.txt") {
    WriteFile(base, testlogs::FrameLog(40, {800, 1500, 3000, 6500}));
    input = folder.path() / "logs" / "input.txt";
  }
  ScratchFolder folder;
  fs::path base, input;
};

// One page run action by action, each action followed by the checks of the
// window, until the first broken promise.
class LogWalk {
 public:
  explicit LogWalk(const fs::path& folder) : page_(canvas_, folder.string()) {}
  form::UserPage& page() { return page_; }
  const std::string& fault() const { return fault_; }

  // Brings the page back to the same state before every input, as a fresh
  // page at start-up would be, with the base log loaded. A page is made once
  // only: its sample tables alone cost more than most inputs under the
  // sanitizers. What a fresh page would not share is the contents of the
  // channel tables, and a decode of every table from the base log makes those
  // the same for every input too.
  bool Restart(const fs::path& base) {
    fault_.clear();
    page_.controls() = form::Controls();
    page_.vars() = form::ProgramVars();
    page_.TakeMessages();
    page_.TakeSaveRequest();
    page_.Form_Load();
    if (!page_.OpenPath(base.string())) fault_ = "the base log was refused";
    return Check("the base log") && Click("TemperatureButton");
  }

  // The last action `what` did must have left the window sound.
  bool Check(std::string_view what) {
    if (!fault_.empty()) return false;
    page_.TakeMessages();
    std::string fault = canvas_.TakeFault();
    if (fault.empty()) fault = StateFault(page_);
    if (fault.empty()) return true;
    fault_ = std::string(what) + " (channel " + page_.ChannelName() + "): " + fault;
    return false;
  }
  bool Click(std::string_view key) { return page_.Click(key), Check(key); }
  bool Select(std::string_view key, int index) {
    page_.Select(key, index);
    return Check(std::string(key) + " item " + std::to_string(index));
  }
  bool Key(int code) {
    page_.Form_KeyUp(code);
    return Check("key " + std::to_string(code));
  }
  bool Type(std::string_view key, const char* text) {
    page_.Type(key, text);
    return Check(std::string(key) + " typed \"" + text + "\"");
  }
  bool Scroll(std::string_view key, int value) {
    page_.Scroll(key, value);
    return Check(std::string(key) + " scrolled to " + std::to_string(value));
  }
  bool MouseDown(int button, double x) {
    page_.Picture1_MouseDown(button, x, 2000);
    return Check("button " + std::to_string(button) + " down at x " + std::to_string(x));
  }
  bool Visible(std::string_view key) const { return page_.controls().Named(key).state.visible; }
  int Items(std::string_view key) const {
    return static_cast<int>(page_.controls().Named(key).state.items.size());
  }

  // The marker on the channel on screen: the first move shows the step box;
  // then typed steps (one of them refused) and the scroll bar's, both arrow
  // keys to the window's ends, another key, and clicks on and off the graph.
  bool Marker() {
    const std::string_view box = "MarkerStepValueText";
    return Key(kRightArrow) && Type(box, "1") && Key(kRightArrow) && Key(kLeftArrow) &&
           Type(box, "7") && Key(kRightArrow) && Key(kRightArrow) &&
           Scroll("MarkerStepScroll", 3) && Key(kRightArrow) && Type(box, "0.5") &&
           Key(kLeftArrow) && Type(box, "250") && Key(kRightArrow) && Key(kLeftArrow) && Key(65) &&
           MouseDown(1, 560) && MouseDown(1, 4321.5) && MouseDown(1, 1e9) && MouseDown(1, -1e9) &&
           MouseDown(2, 3000);
  }

  // Every window length, paged to its end and back, with the marker on the
  // last page.
  bool Windows() {
    for (int k = 0; k < Items("YAxis"); ++k) {
      if (!Select("YAxis", k)) return false;
      int pages = 0;
      for (; Visible("NextImage"); ++pages) {
        if (pages == kMaxPages) return Fault("NextImage still shown after paging", k);
        if (!Click("NextImage")) return false;
      }
      if (!Key(kRightArrow) || !Key(kRightArrow) || !MouseDown(1, 6000)) return false;
      for (; Visible("PreviousImage"); --pages) {
        if (pages < 0) return Fault("PreviousImage shown on the first page", k);
        if (!Click("PreviousImage")) return false;
      }
    }
    return Select("YAxis", 0);
  }

  // Every byte of both pages (or every column) of the user-defined channel,
  // each with the marker moved once so that its bits are read off.
  bool UserBytes() {
    if (!Click("UserDefinedButton")) return false;
    for (int pageIndex : {0, 1}) {
      if (Visible("UserPageSelect")) {
        if (!Select("UserPageSelect", pageIndex)) return false;
      } else if (pageIndex == 1) {
        break;  // a column log has one set of columns
      }
      for (int b = 0; b < Items("UserByteSelect"); ++b) {
        if (!Select("UserByteSelect", b) || !Key(kRightArrow)) return false;
      }
    }
    return true;
  }

 private:
  bool Fault(const std::string& what, int window) {
    fault_ = what + " (window " + std::to_string(window) + ")";
    return false;
  }

  CheckingCanvas canvas_;
  form::UserPage page_;
  std::string fault_;
};

// The program folder of the script target: the sample logs and a few bad
// files, made once. The process works in it, so that the scripts' relative
// paths start there.
struct ScriptProgram {
  ScriptProgram() : folder("script") {
    const fs::path logs = folder.path() / "logs";
    std::error_code ec;
    fs::copy(ZELK_SAMPLE_LOGS, logs,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    WriteFile(logs / "empty.txt", "");
    WriteFile(logs / "header.txt", "ZelkLog\r\nECU test\r\n");
    WriteFile(logs / "binary.txt", std::string("\0\xff\r\nECU\0\x80\n80  1C", 16));
    WriteFile(logs / "tiny.txt", testlogs::FrameLog(2, {1000}));
    WriteFile(logs / "tiny_short.txt", testlogs::ShortTimeLog({{1, {"900"}}}));
    fs::create_directories(logs / "folder.txt", ec);
    fs::current_path(folder.path(), ec);
  }
  ScratchFolder folder;
};

// An open that could reach past the program folder: to a device, a pipe or
// anything else outside it.
bool OpensOutside(std::string_view line) {
  const std::optional<form::UserEvent> event = form::ParseUserEvent(line);
  if (!event || event->kind != form::UserEvent::Kind::Open) return false;
  return event->text.starts_with('/') || event->text.find("..") != std::string::npos;
}

}  // namespace

std::string ExerciseLog(std::string_view bytes) {
  static const LogProgram program;
  static LogWalk walk(program.folder.path());
  form::UserPage& page = walk.page();
  if (!walk.Restart(program.base)) return walk.fault();
  // Every input starts from the same state, so it is taken once; should the
  // restart ever leave something of an earlier input behind, the check of a
  // refused file below would tell.
  static const Snapshot before(page);

  WriteFile(program.input, bytes);
  const bool loaded = page.OpenPath(program.input.string());
  if (!walk.Check("the input")) return walk.fault();
  if (!loaded) {
    const std::string changed = Changed(before, Snapshot(page), page);
    return changed.empty() ? std::string() : "the refused file changed " + changed;
  }

  // Every channel with the marker, but the window lengths on one channel
  // only, picked by the input: the full product would decode the log again
  // for every page of every channel, and over a corpus each channel gets its
  // turn all the same.
  const std::vector<std::string> keys = form::ChannelButtonKeys();
  const size_t paged = std::accumulate(bytes.begin(), bytes.end(), size_t{0},
                                       [](size_t sum, char c) { return sum + uint8_t(c); }) %
                       keys.size();
  for (size_t i = 0; i < keys.size(); ++i) {
    if (!walk.Click(keys[i])) return walk.fault();
    page.DataCsv();
    if (i == paged && !walk.Windows()) return walk.fault();
    if (!walk.Marker()) return walk.fault();
  }
  if (!walk.UserBytes()) return walk.fault();
  // A later log replaces this one whole, whatever byte or window was chosen.
  if (!page.OpenPath(program.base.string())) return "the base log was refused after the input";
  walk.Check("the base log again");
  return walk.fault();
}

std::string ExerciseScript(std::string_view bytes) {
  static const ScriptProgram program;
  CheckingCanvas checker;
  chart::RecordingCanvas canvas(&checker);
  form::UserPage page(canvas, program.folder.path().string());
  page.Form_Load();
  std::ostream discard(nullptr);
  driver::ScriptRunner runner(page, canvas, discard, discard);
  size_t pos = 0;
  for (int number = 1; number <= kMaxScriptLines && pos <= bytes.size(); ++number) {
    const size_t end = std::min(bytes.find('\n', pos), bytes.size());
    const std::string line(bytes.substr(pos, end - pos));
    pos = end + 1;
    if (OpensOutside(line)) continue;
    // Line by line, so that the window is checked after each.
    std::istringstream one(line);
    const int status = runner.Run(one);
    std::string fault = checker.TakeFault();
    if (fault.empty()) fault = StateFault(page);
    if (!fault.empty()) return "line " + std::to_string(number) + " \"" + line + "\": " + fault;
    if (status != 0 || page.exitRequested()) break;
  }
  return {};
}

}  // namespace zelk::fuzz
