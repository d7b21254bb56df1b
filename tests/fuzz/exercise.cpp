#include "exercise.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "chart/canvas.h"
#include "dump.h"
#include "form/channel_buttons.h"
#include "form/user_event.h"
#include "form/user_page.h"
#include "log_text.h"
#include "script.h"

namespace zelk::fuzz {
namespace {
namespace fs = std::filesystem;

// No log the tables hold has this many pages in any window length.
constexpr int kMaxPages = 5000;

// A folder of this process's own, removed at exit, with a `logs` folder in it
// that holds the sample logs, the log target's seeds (bad files among them)
// and a folder that looks like a log; in /dev/shm where it can be, so that the
// file written for every input stays in memory.
struct ScratchFolder {
  explicit ScratchFolder(const std::string& kind) {
    std::error_code ec;
    for (const fs::path& base : {fs::path("/dev/shm"), fs::temp_directory_path(ec)}) {
      path = base / ("zelk-fuzz-" + kind + "-" + std::to_string(::getpid()));
      fs::remove_all(path, ec);
      if (fs::create_directories(path / "logs/folder.txt", ec)) break;
    }
    fs::copy(ZELK_SAMPLE_LOGS, path / "logs", ec);
    fs::copy(fs::path(ZELK_FUZZ_DIR) / "seeds/log", path / "logs", ec);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

// Draws nothing; keeps the first line whose coordinates are not all finite.
struct CheckingCanvas : chart::Canvas {
  void Clear() override {}
  void SetLineWidth(int) override {}
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t) override {
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)))
      fault = "a line drawn off the finite plane";
  }
  std::string fault;
};

// What every state of the window keeps: no line drawn off the finite plane,
// each list's selection one of its items or none, every control at finite
// coordinates.
std::string Fault(CheckingCanvas& canvas, const form::UserPage& page) {
  if (!canvas.fault.empty()) return std::exchange(canvas.fault, {});
  for (const form::Control& c : page.controls().all()) {
    const form::ControlState& s = c.state;
    if (s.index < -1 || s.index >= static_cast<int>(s.items.size()))
      return c.Key() + " selects an item it does not hold";
    if (!std::isfinite(s.left) || !std::isfinite(s.top)) return c.Key() + " stands off the plane";
  }
  return {};
}

// What a refused file must leave as it was: the log, the program's variables
// (as the driver dumps them) and every control but the browser, which moves to
// the refused file's folder.
auto Snapshot(const form::UserPage& page) {
  const store::LogData& l = page.session().log();
  const std::string dump = driver::Dump(page, chart::RecordingCanvas(), {}, {});
  std::vector<std::tuple<std::string, bool, float, float, int, int, std::vector<std::string>, int,
                         uint32_t, int, bool>>
      controls;
  for (const form::Control& c : page.controls().all()) {
    const form::ControlState& s = c.state;
    if (c.spec.name != "Background" && c.spec.container != "Background")
      controls.emplace_back(s.caption, s.visible, s.left, s.top, s.width, s.height, s.items,
                            s.index, s.backColour, s.value, s.enabled);
  }
  return std::tuple(dump.substr(0, dump.find(",\"controls\":")), l.logLineCount(), l.frame80Count(),
                    l.frame7DCount(), l.recordCount(), controls);
}

// The marker on the channel on screen: the first move shows the step box;
// then typed steps (one of them refused) and the scroll bar's, both arrow keys
// past the window's ends, another key, clicks on and off the graph; then
// zooms, pans and pages past the log's ends and the keys that go with them.
// clang-format off
constexpr const char* kMarkerWalk[] = {"key 39", "type MarkerStepValueText 1", "key 39", "key 37",
    "type MarkerStepValueText 7", "key 39", "key 39", "scroll MarkerStepScroll 3", "key 39",
    "type MarkerStepValueText 0.5", "key 37", "type MarkerStepValueText 250", "key 39", "key 37",
    "key 65", "clickat 560 2000", "clickat 4321.5 2000", "clickat 1000000000 2000",
    "clickat -1000000000 2000", "click ValuesMenu", "strips user-defined rpm temperature",
    "stripclick 2 0.25", "stripclick 0 -3", "click FaultRed(0)", "key 39",
    "click FaultRed(9)", "click ValuesMenu", "drag 9000 600", "wheel 5000 3", "pan -4", "key 34",
    "key 35", "key 33", "key 36", "key 8", "wheel 5000 -30", "drag 1e9 -1e9", "pan 1000000",
    "strips", "key 27"};
// clang-format on

// The log target's program folder (a small valid log and the file each input
// is written to) and one page walked through script lines, each followed by
// the checks of the window, until the first broken promise. A page is made
// once only: its sample tables alone cost more than most inputs under the
// sanitizers.
struct LogWalk {
  LogWalk() : page(canvas, folder.path.string()) {
    testlogs::WriteFile(base, testlogs::FrameLog(40, {800, 1500, 3000, 6500}));
  }
  // Brings the page back to the state of a fresh page with the base log
  // loaded. A decode of the channel tables from the base log makes what a
  // fresh page would not share the same for every input too.
  bool Restart() {
    fault.clear();
    page.Restart();
    if (!page.OpenPath(base.string())) fault = "the base log was refused";
    return Check("the base log") && Do("click TemperatureButton");
  }
  bool Check(std::string_view what) {
    page.TakeMessages();
    if (fault.empty() && (fault = Fault(canvas, page)).size()) {
      fault = std::string(what) + " (channel " + page.ChannelName() + "): " + fault;
    }
    return fault.empty();
  }
  // Runs a script line, unless an earlier one broke a promise.
  bool Do(const std::string& line) {
    if (const auto event = form::ParseUserEvent(line); event && fault.empty()) page.Apply(*event);
    page.ValuesAtMarker();  // the values panel reads every channel at the marker
    return Check(line);
  }
  bool Shown(const char* key) const { return page.controls().Named(key).state.visible; }
  int Items(const char* key) const { return int(page.controls().Named(key).state.items.size()); }
  // Every window length, paged to its end and back, the marker on the last
  // page.
  void Windows() {
    for (int k = 0; k < Items("YAxis") && Do("select YAxis " + std::to_string(k)); ++k) {
      int pages = 0;
      while (fault.empty() && Shown("NextImage") && pages++ < kMaxPages) Do("click NextImage");
      if (pages > kMaxPages) fault = "NextImage still shown after paging";
      for (const char* line : {"key 39", "key 39", "clickat 6000 2000"}) Do(line);
      while (fault.empty() && Shown("PreviousImage") && pages-- > 0) Do("click PreviousImage");
      if (pages < 0) fault = "PreviousImage shown on the first page";
    }
    Do("select YAxis 0");
  }
  // Every byte of both pages (or of the columns) of the user-defined channel,
  // each with the marker moved once so that its bits are read off.
  void UserBytes() {
    Do("click UserDefinedButton");
    for (int pageIndex = 0; pageIndex < (Shown("UserPageSelect") ? 2 : 1); ++pageIndex) {
      if (Shown("UserPageSelect")) Do("select UserPageSelect " + std::to_string(pageIndex));
      for (int b = 0; b < Items("UserByteSelect"); ++b)
        Do("select UserByteSelect " + std::to_string(b)), Do("key 39");
    }
  }

  ScratchFolder folder{"log"};
  fs::path base = folder.path / "logs" / "base.txt", input = folder.path / "logs" / "input.txt";
  CheckingCanvas canvas;
  form::UserPage page;
  std::string fault;
};

}  // namespace

std::string ExerciseLog(std::string_view bytes) {
  static LogWalk walk;
  if (!walk.Restart()) return walk.fault;
  // Every input starts from the same state, so it is taken once; should the
  // restart leave something of an earlier input behind, the check of a
  // refused file below would tell.
  static const auto before = Snapshot(walk.page);
  testlogs::WriteFile(walk.input, bytes);
  const bool loaded = walk.page.OpenPath(walk.input.string());
  if (!walk.Check("the input")) return walk.fault;
  if (!loaded) return before == Snapshot(walk.page) ? "" : "the refused file changed the page";

  // Every channel with the marker, but the window lengths on one channel
  // only, picked by the input: the full product would decode the log again for
  // every page of every channel, and over a corpus each channel gets its turn.
  const std::vector<std::string> keys = form::ChannelButtonKeys();
  const size_t paged = bytes.size() % keys.size();
  for (size_t i = 0; i < keys.size(); ++i) {
    if (walk.Do("click " + keys[i])) walk.page.DataCsv();
    if (i == paged) walk.Windows();
    for (const char* line : kMarkerWalk) walk.Do(line);
  }
  walk.UserBytes();
  // A later log replaces this one whole, whatever byte or window was chosen.
  if (walk.fault.empty() && !walk.page.OpenPath(walk.base.string()))
    walk.fault = "base log refused";
  walk.Check("the base log again");
  return walk.fault;
}

std::string ExerciseScript(std::string_view bytes) {
  // The process works in the program folder, so that the scripts' relative
  // paths start there.
  static const ScratchFolder folder("script");
  [[maybe_unused]] static const bool entered = (fs::current_path(folder.path), true);
  CheckingCanvas checker;
  chart::RecordingCanvas canvas(&checker);
  form::UserPage page(canvas, folder.path.string());
  page.Form_Load();
  std::ostream discard(nullptr);
  driver::ScriptRunner runner(page, canvas, discard, discard);
  std::istringstream script{std::string(bytes)};
  std::string line;
  // Line by line, so that the window is checked after each.
  for (int number = 1; number <= kMaxScriptLines && std::getline(script, line); ++number) {
    // An open that could reach past the program folder, to a device, a pipe
    // or anything else outside it, is left out.
    const std::optional<form::UserEvent> event = form::ParseUserEvent(line);
    if (event && event->kind == form::UserEvent::Kind::Open &&
        (event->text.starts_with('/') || event->text.find("..") != std::string::npos))
      continue;
    std::istringstream one(line);
    const int status = runner.Run(one);
    if (const std::string fault = Fault(checker, page); !fault.empty()) {
      return "line " + std::to_string(number) + " \"" + line + "\": " + fault;
    }
    if (status != 0 || page.exitRequested()) break;
  }
  return {};
}

}  // namespace zelk::fuzz
