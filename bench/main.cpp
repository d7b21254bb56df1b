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

namespace zelk::bench {
namespace {

constexpr double kFrameMs = 1000.0 / 60;
constexpr double kLoadRatioTarget = 4;
constexpr double kFirstPaintTargetMs = 300;
constexpr double kMemoryBudgetMB = 100;

struct Figure {
  double ms = 0;
  std::map<std::string, double> counters;
  int repetitions = 1;
};

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

std::string Fixed(double value, int decimals) {
  char buf[64];
  auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buf, end);
}

// Milliseconds with three significant digits or so.
std::string Ms(double ms) { return Fixed(ms, ms < 1 ? 3 : ms < 10 ? 2 : 1) + " ms"; }

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown processor";
}

class Table {
 public:
  void Row(const std::string& what, const std::string& figure, const std::string& reference,
           double ratio, const std::string& target, bool met) {
    rows_ += "| " + what + " | " + figure + " | " + reference + " | " + Fixed(ratio, 2) + "× | " +
             target + " | " + (met ? "yes" : "**no**") + " |\n";
  }
  // A figure measured beside its reference with no target set for it.
  void Measured(const std::string& what, const std::string& figure, const std::string& reference,
                double ratio) {
    rows_ += "| " + what + " | " + figure + " | " + reference + " | " + Fixed(ratio, 2) +
             "× | — | — |\n";
  }
  void Missing(const std::string& what) { rows_ += "| " + what + " | not measured | | | | |\n"; }
  const std::string& rows() const { return rows_; }

 private:
  std::string rows_;
};

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
  // A batch export of every channel, wall clock, per channel: the window's
  // files beside plain writes of the same bytes, then the shares of the PNG
  // encoding and of the core (decode, draw, table text) in the whole.
  const double channels = static_cast<double>(std::size(kChannelButtons));
  const std::string perChannel =
      " per channel (wall clock), every channel of the " + std::string(KindTitle(LogKind::Frames));
  const Figure* exported = find("BM_ExportWindow/" + frames);
  const Figure* plain = find("BM_ExportPlainWrites/" + frames);
  const std::string exportWhat = "Export (graph PNG and table CSV written)," + perChannel;
  if (exported && plain) {
    table.Measured(exportWhat, Ms(exported->ms / channels),
                   Ms(plain->ms / channels) + " writing the same bytes plainly",
                   exported->ms / plain->ms);
  } else {
    table.Missing(exportWhat);
  }
  const struct {
    std::string name, what;
  } exportShares[] = {
      {"BM_ExportPngEncode/" + frames + "/chosen",
       "Export, PNG encoding of the graph, per channel (processor time), every channel of the " +
           std::string(KindTitle(LogKind::Frames))},
      {"BM_ExportCore/" + frames,
       "Export, the core's share (decode, draw, table text)," + perChannel},
  };
  for (const auto& share : exportShares) {
    const Figure* measured = find(share.name);
    if (measured && exported) {
      table.Measured(share.what, Ms(measured->ms / channels),
                     Ms(exported->ms / channels) + " the whole export",
                     measured->ms / exported->ms);
    } else {
      table.Missing(share.what);
    }
  }
  // The PNG encoding of the same ten graphs, processor time and size per
  // graph: the program's settings against Qt's default, then the settings
  // around its choice.
  const std::string png = "BM_ExportPngEncode/" + frames + "/";
  const Figure* qtPng = find(png + "qt_default");
  const auto timeAndSize = [&](const Figure& f) {
    return Ms(f.ms / channels) + ", " + Fixed(f.counters.at("kB"), 1) + " kB";
  };
  const auto hasSize = [](const Figure* f) { return f && f->counters.count("kB"); };
  const std::string ofGraphs =
      ", per graph, every channel of the " + std::string(KindTitle(LogKind::Frames));
  if (const Figure* chosen = find(png + "chosen"); hasSize(chosen) && hasSize(qtPng)) {
    const double time = chosen->ms / qtPng->ms;
    const double size = chosen->counters.at("kB") / qtPng->counters.at("kB");
    table.Row(
        "PNG encoding time, the program's settings (8-bit palette, else 24-bit colour; zlib level "
        "1)" +
            ofGraphs,
        Ms(chosen->ms / channels), Ms(qtPng->ms / channels) + " Qt's default PNG", time, "≤ 0.5×",
        time <= 0.5);
    table.Row("PNG size, the program's settings (8-bit palette, else 24-bit colour; zlib level 1)" +
                  ofGraphs,
              Fixed(chosen->counters.at("kB"), 1) + " kB",
              Fixed(qtPng->counters.at("kB"), 1) + " kB Qt's default PNG", size, "≤ 1.25×",
              size <= 1.25);
  } else {
    table.Missing("PNG encoding, the program's settings against Qt's default" + ofGraphs);
  }
  const struct {
    const char *label, *what;
  } pngSettings[] = {{"rgb_level1", "24-bit colour always, zlib level 1"},
                     {"palette_level0", "8-bit palette where it fits, stored (level 0)"},
                     {"palette_level2", "8-bit palette where it fits, zlib level 2"},
                     {"palette_level6", "8-bit palette where it fits, zlib level 6"},
                     {"palette_level9", "8-bit palette where it fits, zlib level 9"}};
  for (const auto& setting : pngSettings) {
    const std::string what =
        std::string("PNG encoding, ") + setting.what + ": time, size" + ofGraphs;
    const Figure* f = find(png + setting.label);
    if (hasSize(f) && hasSize(qtPng)) {
      table.Measured(what, timeAndSize(*f), timeAndSize(*qtPng) + " Qt's default PNG",
                     f->ms / qtPng->ms);
    } else {
      table.Missing(what);
    }
  }
  // The program's PNG writer (libpng) against the hand-written writer it
  // replaced, both in this run: the same graphs' encoding, time and size,
  // and the whole export with each. Neither may cost a tenth more.
  constexpr double kPreviousPngTarget = 1.10;
  const std::string previousTarget = "≤ " + Fixed(kPreviousPngTarget, 2) + "×";
  const Figure* previousPng = find(png + "previous");
  if (const Figure* chosen = find(png + "chosen"); hasSize(chosen) && hasSize(previousPng)) {
    const std::string settings = " (8-bit palette, else 24-bit colour; zlib level 1)" + ofGraphs;
    table.Measured("PNG encoding time, libpng against the earlier hand-written writer" + settings,
                   Ms(chosen->ms / channels),
                   Ms(previousPng->ms / channels) + " the earlier writer",
                   chosen->ms / previousPng->ms);
    const double size = chosen->counters.at("kB") / previousPng->counters.at("kB");
    table.Row("PNG size, libpng against the earlier hand-written writer" + settings,
              Fixed(chosen->counters.at("kB"), 1) + " kB",
              Fixed(previousPng->counters.at("kB"), 1) + " kB the earlier writer", size,
              previousTarget, size <= kPreviousPngTarget);
  } else {
    table.Missing("PNG encoding, libpng against the earlier hand-written writer" + ofGraphs);
  }
  const std::string rgbWhat =
      "PNG encoding in 24-bit colour always, zlib level 1, libpng against the earlier "
      "hand-written writer: time, size" +
      ofGraphs;
  if (const Figure *rgb = find(png + "rgb_level1"), *previousRgb = find(png + "previous_rgb_level1");
      hasSize(rgb) && hasSize(previousRgb)) {
    table.Measured(rgbWhat, timeAndSize(*rgb), timeAndSize(*previousRgb) + " the earlier writer",
                   rgb->ms / previousRgb->ms);
  } else {
    table.Missing(rgbWhat);
  }
  const std::string previousExportWhat =
      "Export (graph PNG and table CSV written) with libpng," + perChannel;
  if (const Figure* previousExport = find("BM_ExportWindowPreviousPng/" + frames);
      exported && previousExport) {
    const double ratio = exported->ms / previousExport->ms;
    table.Row(previousExportWhat, Ms(exported->ms / channels),
              Ms(previousExport->ms / channels) + " with the earlier hand-written PNG writer",
              ratio, previousTarget, ratio <= kPreviousPngTarget);
  } else {
    table.Missing(previousExportWhat);
  }
  // The program's export of 30 logs as a new process, wall clock: one job
  // for each core against --jobs 1, both in this run.
  const int cores = ExportJobsCores();
  const Figure* serial = find("BM_ExportJobs/1");
  const Figure* shared = find("BM_ExportJobs/" + std::to_string(cores));
  const std::string jobsWhat = "Export of 30 logs (the sample logs ten times, 600 files), --jobs " +
                               std::to_string(cores) + " (wall clock, new process)";
  if (serial && shared && cores > 1) {
    // Nine tenths of a linear speed-up.
    const double target = 1 / (0.9 * cores);
    const double ratio = shared->ms / serial->ms;
    table.Row(jobsWhat, Ms(shared->ms), Ms(serial->ms) + " with --jobs 1", ratio,
              "≤ " + Fixed(target, 2) + "× (" + Fixed(0.9 * cores, 1) + "× quicker)",
              ratio <= target);
    if (shared->counters.count("cpu_ms") && serial->counters.count("cpu_ms")) {
      const double work = shared->counters.at("cpu_ms"), serialWork = serial->counters.at("cpu_ms");
      table.Measured(
          "The same export's processor time, all its processes, --jobs " + std::to_string(cores),
          Ms(work), Ms(serialWork) + " with --jobs 1", work / serialWork);
    }
  } else {
    table.Missing(jobsWhat);
  }
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
