// A batch export of every channel of the largest frame log, as
// `zelkscope --export` runs it: the window's batch output writing each graph
// and table into a folder, beside plain writes of the very same bytes into the
// same files, and the core's share alone (the decode, the draw and the table's
// text, the files dropped). Each iteration is one whole batch of ten channels;
// the report divides by ten. The PNG encoding is measured with Qt's default
// and with the settings around the program's choice, time and size. The
// program itself exports 30 logs with --jobs 1 and with one job for each
// core. Wall-clock time throughout, since writing files waits on the system
// as much as it computes. The program's PNG writer (libpng) is measured
// against the hand-written writer it replaced (previous_png.h), encoding and
// whole export alike, in the same run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench_logs.h"
#include "bench_support.h"
#include "cli/batch.h"
#include "form/channel_buttons.h"
#include "form/user_page.h"

#ifdef ZELK_WITH_WINDOW
#include <QBuffer>
#include <QImage>

#include "app/batch_output.h"
#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "app/save_file.h"
#include "previous_png.h"
#endif

namespace zelk::bench {
namespace {
namespace fs = std::filesystem;

// A folder of its own, emptied for each benchmark.
std::string FreshFolder() {
  const fs::path folder = fs::temp_directory_path() / "zelk-bench-export";
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder.string();
}

cli::BatchOptions EveryChannel(const std::string& folder) {
  cli::BatchOptions options;
  options.folder = folder;
  options.channels = form::ButtonChannels();
  options.logs = {LargestLog(LogKind::Frames)};
  return options;
}

// Takes what the batch would write and drops it.
class DroppedOutput : public cli::BatchOutput {
 public:
  bool WriteGraph(const std::string&, std::string&) override { return true; }
  bool WriteStack(const std::string&, std::string&) override { return true; }
  bool WriteText(const std::string&, const std::string& text, std::string&) override {
    benchmark::DoNotOptimize(text.data());
    return true;
  }
};

void BM_ExportCore(benchmark::State& state) {
  CountingCanvas canvas;
  form::UserPage page(canvas, ProgramDir());
  page.Form_Load();
  const cli::BatchOptions options = EveryChannel(FreshFolder());
  DroppedOutput output;
  for (auto _ : state) {
    std::ostringstream out, err;
    if (cli::RunBatch(page, options, output, out, err) != 0) {
      state.SkipWithError(err.str().c_str());
      break;
    }
  }
  state.counters["channels"] = static_cast<double>(options.channels.size());
}

#ifdef ZELK_WITH_WINDOW
// The files of one batch as they were written: each path with its bytes.
using Files = std::vector<std::pair<std::string, std::string>>;

Files WrittenFiles(const std::string& printed) {
  Files files;
  std::istringstream lines(printed);
  for (std::string path; std::getline(lines, path);) files.emplace_back(path, ReadBytes(path));
  return files;
}

// The window shown and painted once, as the program's batch run has it (the
// application made first).
struct BatchWindow {
  PaintWatch watch;
  app::MainWindow window{QString::fromStdString(ProgramDir())};
  BatchWindow() {
    window.setMessageShower([](const QString&, const QString&) {});
    window.findChild<app::CanvasWidget*>()->installEventFilter(&watch);
    window.show();
    WaitForPaint(watch);
  }
};

// The window's batch output with the graphs written by the earlier
// hand-written PNG writer: the same grab, the same whole-or-nothing save of
// the same kind of bytes, only the encoder differs.
class PreviousPngOutput : public app::WindowBatchOutput {
 public:
  explicit PreviousPngOutput(app::MainWindow& window)
      : app::WindowBatchOutput(window), window_(window) {}
  bool WriteGraph(const std::string& path, std::string& problem) override {
    window_.SyncGraph();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QString why = QStringLiteral("the picture could not be encoded");
    if (PreviousWritePng(window_.GraphImage(), buffer) &&
        app::SaveBytes(QString::fromStdString(path), png, why)) {
      return true;
    }
    problem = why.toStdString();
    return false;
  }

 private:
  app::MainWindow& window_;
};

// The program's batch output, or the same with the earlier PNG writer.
void BM_ExportWindow(benchmark::State& state, bool previousPng) {
  EnsureApp();
  BatchWindow shown;
  app::WindowBatchOutput programOutput(shown.window);
  PreviousPngOutput previousOutput(shown.window);
  cli::BatchOutput& output =
      previousPng ? static_cast<cli::BatchOutput&>(previousOutput) : programOutput;
  const cli::BatchOptions options = EveryChannel(FreshFolder());
  std::string printed;
  for (auto _ : state) {
    std::ostringstream out, err;
    if (cli::RunBatch(shown.window.page(), options, output, out, err) != 0) {
      state.SkipWithError(err.str().c_str());
      break;
    }
    printed = out.str();
  }
  const Files files = WrittenFiles(printed);
  double bytes = 0;
  for (const auto& file : files) bytes += static_cast<double>(file.second.size());
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["kB"] = bytes / 1e3;
}

// Who encodes the PNG: Qt's default writer, the program's, or the earlier
// hand-written one.
enum class PngWriter { kQt, kProgram, kPrevious };

// Of the window's share, the PNG encoding alone: the ten graphs as the batch
// grabs them, encoded into memory with the given writer and settings.
void BM_ExportPngEncode(benchmark::State& state, PngWriter writer, app::PngSettings settings) {
  EnsureApp();
  BatchWindow shown;
  form::UserPage& page = shown.window.page();
  page.OpenPath(LargestLog(LogKind::Frames));
  std::vector<QImage> graphs;
  for (const std::string& key : form::ChannelButtonKeys()) {
    page.Click(key);
    shown.window.Sync();
    graphs.push_back(shown.window.GraphImage());
  }
  const auto encode = [&](const QImage& graph) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const bool written = writer == PngWriter::kQt        ? graph.save(&buffer, "PNG")
                         : writer == PngWriter::kProgram ? app::WritePng(graph, buffer, settings)
                                                         : PreviousWritePng(graph, buffer, settings);
    if (!written) png.clear();
    return png;
  };
  // Each picture read back first: the figures are for pictures that hold
  // the graph's very pixels.
  double bytes = 0;
  for (const QImage& graph : graphs) {
    const QByteArray png = encode(graph);
    if (QImage::fromData(png).convertToFormat(QImage::Format_RGB32) != graph) {
      state.SkipWithError("a graph was not written pixel for pixel");
      return;
    }
    bytes += static_cast<double>(png.size());
  }
  for (auto _ : state) {
    for (const QImage& graph : graphs) benchmark::DoNotOptimize(encode(graph).data());
  }
  state.counters["kB"] = bytes / 1e3 / static_cast<double>(graphs.size());
}

// A folder of 30 logs: the sample logs ten times over, in folders of their
// own, as a fleet's logs of the same names come.
const std::vector<std::string>& ThirtyLogs() {
  static const std::vector<std::string> logs = [] {
    const fs::path folder = fs::temp_directory_path() / "zelk-bench-thirty";
    fs::remove_all(folder);
    std::vector<std::string> paths;
    for (int copy = 1; copy <= 10; ++copy) {
      for (const char* name : {"drive_frames.txt", "drive_time.txt", "drive_quillon.txt"}) {
        fs::create_directories(folder / std::to_string(copy));
        const fs::path path = folder / std::to_string(copy) / name;
        fs::copy_file(fs::path(ZELK_SAMPLE_LOGS) / name, path);
        paths.push_back(path.string());
      }
    }
    return paths;
  }();
  return logs;
}

// `zelkscope --export` of the 30 logs, every channel (600 files), as a new
// process with --jobs N; wall clock from its start to its end.
void BM_ExportJobs(benchmark::State& state, int jobs) {
  const std::string folder = FreshFolder();
  std::string command =
      "'" ZELK_PROGRAM "' --export '" + folder + "/out' --jobs " + std::to_string(jobs);
  for (const std::string& log : ThirtyLogs()) command += " '" + log + "'";
  command += " > /dev/null";
  // The processor time of the program and its workers, beside the wall clock:
  // what sharing out the logs costs in work, whatever else the machine runs.
  const auto childrenSeconds = [] {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  };
  double processorSeconds = 0;
  for (auto _ : state) {
    fs::remove_all(folder + "/out");
    const double before = childrenSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the export failed");
      break;
    }
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    processorSeconds = childrenSeconds() - before;
  }
  state.counters["jobs"] = jobs;
  state.counters["cpu_ms"] = processorSeconds * 1e3;
}

// The reference: the bytes of one window batch written again with plain
// writes, each file opened, written whole and closed.
void BM_ExportPlainWrites(benchmark::State& state) {
  EnsureApp();
  Files files;
  {
    BatchWindow shown;
    app::WindowBatchOutput output(shown.window);
    std::ostringstream out, err;
    cli::RunBatch(shown.window.page(), EveryChannel(FreshFolder()), output, out, err);
    files = WrittenFiles(out.str());
  }
  if (files.size() != 2 * form::ChannelButtonKeys().size()) {
    state.SkipWithError("the batch did not write every file");
    return;
  }
  for (auto _ : state) {
    for (const auto& [path, bytes] : files) {
      std::FILE* f = std::fopen(path.c_str(), "wb");
      if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        state.SkipWithError("a file could not be written");
      }
      if (f) std::fclose(f);
    }
  }
  state.counters["files"] = static_cast<double>(files.size());
}
#endif

[[maybe_unused]] const bool registered = [] {
  const std::string name = KindName(LogKind::Frames);
  benchmark::RegisterBenchmark(("BM_ExportCore/" + name).c_str(), BM_ExportCore)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
#ifdef ZELK_WITH_WINDOW
  benchmark::RegisterBenchmark(("BM_ExportWindow/" + name).c_str(), BM_ExportWindow, false)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("BM_ExportWindowPreviousPng/" + name).c_str(), BM_ExportWindow,
                               true)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  // Qt's default, the program's choice (an 8-bit palette, zlib level 1) and
  // the settings around it, and the earlier writer with the program's choice
  // and in 24-bit colour.
  const struct {
    const char* label;
    PngWriter writer;
    app::PngSettings settings;
  } pngs[] = {{"qt_default", PngWriter::kQt, {}},
              {"chosen", PngWriter::kProgram, {}},
              {"rgb_level1", PngWriter::kProgram, {false, 1}},
              {"palette_level0", PngWriter::kProgram, {true, 0}},
              {"palette_level2", PngWriter::kProgram, {true, 2}},
              {"palette_level6", PngWriter::kProgram, {true, 6}},
              {"palette_level9", PngWriter::kProgram, {true, 9}},
              {"previous", PngWriter::kPrevious, {}},
              {"previous_rgb_level1", PngWriter::kPrevious, {false, 1}}};
  for (const auto& png : pngs) {
    benchmark::RegisterBenchmark(("BM_ExportPngEncode/" + name + "/" + png.label).c_str(),
                                 BM_ExportPngEncode, png.writer, png.settings)
        ->Unit(benchmark::kMillisecond);  // processor time: the encoding waits on nothing
  }
  for (const int jobs : {1, ExportJobsCores()}) {
    benchmark::RegisterBenchmark(("BM_ExportJobs/" + std::to_string(jobs)).c_str(), BM_ExportJobs,
                                 jobs)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark(("BM_ExportPlainWrites/" + name).c_str(), BM_ExportPlainWrites)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
#endif
  return true;
}();

}  // namespace
}  // namespace zelk::bench
