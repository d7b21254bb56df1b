// The benchmark program. `--report=FILE` writes the table of what the user
// waits for, each figure beside its reference from the same run, as Markdown;
// `--child MODE ...` runs one of the measurements that need a process of
// their own (see bench_support.h).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench_logs.h"
#include "bench_support.h"
#include "report.h"

namespace zelk::bench {
namespace {

constexpr double kLoadRatioTarget = 4;
constexpr double kFirstPaintTargetMs = 300;
constexpr double kMemoryBudgetMB = 100;

// Shows the runs as usual and keeps each benchmark's median (or its only run
// when it ran once).
class MedianKeeper : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, Figure> figures;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      Figure& f = figures[run.run_name.function_name];
      if (!median && f.repetitions > 1) continue;
      // The machine may be shared, so what runs in this process counts its
      // own processor time; what is timed by hand (a child process from its
      // start) counts the wall clock.
      const bool wallClock = !run.run_name.time_type.empty();
      f.ms =
          (wallClock ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime()) * ToMs(run.time_unit);
      f.repetitions = median ? static_cast<int>(run.repetitions) : 1;
      for (const auto& [name, counter] : run.counters) f.counters[name] = counter.value;
    }
  }

 private:
  static double ToMs(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond:
        return 1e-6;
      case benchmark::kMicrosecond:
        return 1e-3;
      case benchmark::kMillisecond:
        return 1;
      case benchmark::kSecond:
        return 1e3;
    }
    return 1;
  }
};

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown processor";
}

void WriteReport(const std::string& path, const std::map<std::string, Figure>& figures) {
  const auto find = [&figures](const std::string& name) -> const Figure* {
    const auto it = figures.find(name);
    return it == figures.end() ? nullptr : &it->second;
  };
  Table table;
  int repetitions = 1;
  for (LogKind kind : kLogKinds) {
    const std::string name = KindName(kind);
    const Figure* load = find("BM_LoadLog/" + name);
    const Figure* read = find("BM_ReadFileBytes/" + name);
    const double mb = static_cast<double>(std::filesystem::file_size(LargestLog(kind))) / 1e6;
    const std::string what = std::string("Load: ") + KindTitle(kind) + " (" + Fixed(mb, 2) + " MB)";
    if (!load || !read) {
      table.Missing(what);
      continue;
    }
    repetitions = std::max(repetitions, load->repetitions);
    const double ratio = load->ms / read->ms;
    table.Row(what, Ms(load->ms), Ms(read->ms) + " reading the file's bytes", ratio,
              "≤ " + Fixed(kLoadRatioTarget, 0) + "×", ratio <= kLoadRatioTarget);
  }
  const std::string frame = Ms(kFrameMs) + " (one 60 Hz frame)";
  for (LogKind kind : kLogKinds) {
    const std::string what =
        std::string("Open (load, first channel drawn and painted): ") + KindTitle(kind);
    if (const Figure* open = find("BM_OpenLog/" + std::string(KindName(kind)))) {
      table.Row(what, Ms(open->ms), frame, open->ms / kFrameMs, "< 1 frame", open->ms < kFrameMs);
    } else {
      table.Missing(what);
    }
  }
  for (LogKind kind : kLogKinds) {
    const std::string what = std::string("Paint of the first channel's graph: ") + KindTitle(kind);
    if (const Figure* paint = find("BM_PaintGraph/" + std::string(KindName(kind)))) {
      table.Row(what, Ms(paint->ms), frame, paint->ms / kFrameMs, "< 1 frame",
                paint->ms < kFrameMs);
    } else {
      table.Missing(what);
    }
  }
  // Every channel's decode and draw was measured; the slowest of each kind
  // of log stands for them.
  constexpr double kChannelTargetMs = 3;
  for (LogKind kind : kLogKinds) {
    const std::string what =
        std::string("Decode and draw, slowest channel, Full Trip: ") + KindTitle(kind);
    const Figure* slowest = nullptr;
    std::string slowestButton;
    for (const char* button : kChannelButtons) {
      const Figure* f =
          find(std::string("BM_ChannelDecodeAndDraw/") + KindName(kind) + "/" + button);
      if (f && (!slowest || f->ms > slowest->ms)) {
        slowest = f;
        slowestButton = button;
      }
    }
    if (!slowest) {
      table.Missing(what);
      continue;
    }
    table.Row(what + " (" + slowestButton + ")", Ms(slowest->ms), frame, slowest->ms / kFrameMs,
              "< " + Fixed(kChannelTargetMs, 0) + " ms", slowest->ms < kChannelTargetMs);
  }
  // A marker step over the temperatures draws their three series again: the
  // core's share, and the whole step as the window puts it on screen.
  constexpr double kMarkerStepTargetMs = 2;
  const std::string temperatures =
      std::string("temperatures (three series redrawn), Full Trip: ") + KindTitle(LogKind::Frames);
  const std::string frames = KindName(LogKind::Frames);
  const struct {
    std::string name, what, target;
    double targetMs;
  } markerRows[] = {
      {"BM_MarkerStep/" + frames, "Marker step, core: " + temperatures,
       "< " + Fixed(kMarkerStepTargetMs, 0) + " ms", kMarkerStepTargetMs},
      {"BM_MarkerStepAndRepaint/" + frames,
       "Marker step, key-up through the window and repaint: " + temperatures, "< 1 frame",
       kFrameMs},
  };
  for (const auto& row : markerRows) {
    if (const Figure* step = find(row.name)) {
      table.Row(row.what, Ms(step->ms), frame, step->ms / kFrameMs, row.target,
                step->ms < row.targetMs);
    } else {
      table.Missing(row.what);
    }
  }
  // The window at its design size and filling a 3840×2160 screen: what the
  // user waits for, through the window's widgets until it has painted.
  constexpr double kScreenStepTargetMs = 8;
  for (const char* size : {"design", "3840x2160"}) {
    const std::string at = std::string(size) == "design" ? " (design size)" : " (3840×2160)";
    for (LogKind kind : kLogKinds) {
      const std::string what = "Open to its painted graph" + at + ": " + KindTitle(kind);
      if (const Figure* open =
              find(std::string("BM_ScreenOpenLog/") + size + "/" + KindName(kind))) {
        table.Row(what, Ms(open->ms), frame, open->ms / kFrameMs, "< 1 frame", open->ms < kFrameMs);
      } else {
        table.Missing(what);
      }
    }
    const struct {
      const char *name, *what;
    } steps[] = {{"BM_ScreenMarkerStep/", "Marker step and repaint"},
                 {"BM_ScreenWheelZoom/", "Wheel zoom and repaint"},
                 {"BM_ScreenDragBand/", "Drag band, one pointer move and repaint"}};
    for (const auto& step : steps) {
      const std::string what = std::string(step.what) + at + ": " + temperatures;
      if (const Figure* f = find(std::string(step.name) + size)) {
        table.Row(what, Ms(f->ms), frame, f->ms / kFrameMs,
                  "< " + Fixed(kScreenStepTargetMs, 0) + " ms", f->ms < kScreenStepTargetMs);
      } else {
        table.Missing(what);
      }
    }
  }
  if (const Figure* resize = find("BM_ScreenResize")) {
    table.Measured(
        "Window resized between 1920×1080 and 3840×2160, the form scaled again and painted: " +
            temperatures,
        Ms(resize->ms), frame, resize->ms / kFrameMs);
  } else {
    table.Missing("Window resized between 1920×1080 and 3840×2160");
  }
  ReportExport(table, find);
  const std::string startWhat =
      "Window built and shown until its first paint (new process, offscreen)";
  if (const Figure* start = find("BM_WindowFirstPaint")) {
    table.Row(startWhat, Ms(start->ms), frame, start->ms / kFrameMs,
              "< " + Fixed(kFirstPaintTargetMs, 0) + " ms", start->ms < kFirstPaintTargetMs);
  } else {
    table.Missing(startWhat);
  }
  for (const char* mode : {"window", "core"}) {
    const std::string what =
        std::string("Peak memory, largest \"Time\" log, every channel drawn (") +
        (std::strcmp(mode, "window") == 0 ? "the program with its window" : "the core alone") + ")";
    const Figure* memory = find("BM_PeakMemory/" + std::string(mode));
    if (!memory || !memory->counters.count("MB")) {
      table.Missing(what);
      continue;
    }
    const double mb = memory->counters.at("MB");
    table.Row(what, Fixed(mb, 1) + " MB", Fixed(kMemoryBudgetMB, 0) + " MB budget",
              mb / kMemoryBudgetMB, "< " + Fixed(kMemoryBudgetMB, 0) + " MB", mb < kMemoryBudgetMB);
  }

  std::ofstream out(path, std::ios::binary);
  out << "# Performance\n\n"
      << "Written by `make bench`. Machine: " << CpuModel() << ", "
      << std::thread::hardware_concurrency() << " cores; " << ZELK_BUILD_TYPE << " build. "
      << "Each figure is the median of " << repetitions
      << " runs, and each reference is measured in the same run: the same file's bytes read "
         "into memory for a load, one 60 Hz frame for what the user waits on, the budget for "
         "memory. Times in the benchmark's own process are its processor time, so that other "
         "work on the machine does not count; the window's start is the wall-clock time of a new "
         "process until its first paint. Peak memory is the high-water mark of a process of its "
         "own.\n\n"
      << "| What | Figure | Reference | Ratio | Target | Met |\n"
      << "|---|---|---|---|---|---|\n"
      << table.rows();

  Table channels;
  ReportChannelsWindow(channels, find);
  out << "\n## The Channels window\n\n"
      << "The Channels window and the main window each at 3840×2160 (offscreen), the largest "
         "log of each kind in Full Trip with the temperatures on the main graph. Each time is "
         "the wall clock from the user's event until the window acted on has painted it (the "
         "other window paints in the same pass); its reference is the main window alone doing "
         "the like in the same run. The memory is the difference in the resident memory of a "
         "process of its own (the heap's free pages given back first) before and after the "
         "window is opened with its ten strips and painted; 1 MB is 2^20 bytes, and one "
         "3840×2160 picture of 32-bit pixels is 31.6 MB. The window's own surface on screen is "
         "one such picture; the rest is the decoded tables of the nine channels the main window "
         "had not shown.\n\n"
      << "| What | Figure | Reference | Ratio | Target | Met |\n"
      << "|---|---|---|---|---|---|\n"
      << channels.rows();

  Table compare;
  ReportCompare(compare, find);
  out << "\n## Two logs compared\n\n"
      << "The largest log of each kind compared with the largest of the next kind, whose "
         "sampling rate differs (the \"#time\" log with the frame log), with the temperatures "
         "on the main graph. Opening is timed at the window's design size until the graph is "
         "painted; a marker step at 3840×2160 until the window acted on has painted it. Each "
         "reference is measured in the same run.\n\n"
      << "| What | Figure | Reference | Ratio | Target | Met |\n"
      << "|---|---|---|---|---|---|\n"
      << compare.rows();
}

}  // namespace
}  // namespace zelk::bench

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--child") == 0) {
    return zelk::bench::ChildMain(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::string report;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--report=", 9) == 0) {
      report = argv[i] + 9;
    } else {
      args.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  zelk::bench::MedianKeeper keeper;
  benchmark::RunSpecifiedBenchmarks(&keeper);
  benchmark::Shutdown();
#ifdef ZELK_WITH_WINDOW
  zelk::bench::EndApp();
#endif
  if (!report.empty()) zelk::bench::WriteReport(report, keeper.figures);
  return 0;
}
