// What the user waits for: a log picked in the browser until its first
// channel is on screen, the graph's paint, the window's start until its first
// paint, and the program's peak memory with a large log and every channel
// drawn. Each is measured as the user meets it, through the page's handlers
// and the window's own widgets.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench_logs.h"
#include "bench_support.h"
#include "chart/canvas.h"
#include "form/user_page.h"

#ifdef ZELK_WITH_WINDOW
#include "app/canvas_widget.h"
#endif

namespace zelk::bench {
namespace {

#ifdef ZELK_WITH_WINDOW
// The window's canvas, shown offscreen at the graph's size and painted once,
// so that a paint is what the window does: the pending lines drawn into the
// image and the image put on the widget. (Until the event loop has delivered
// its expose, a window shown discards every repaint.)
app::CanvasWidget& Canvas() {
  EnsureApp();
  static app::CanvasWidget* canvas = [] {
    auto* c = new app::CanvasWidget;
    c->resize(11805 / 15, 4455 / 15);
    PaintWatch watch;
    c->installEventFilter(&watch);
    c->show();
    WaitForPaint(watch);
    c->removeEventFilter(&watch);
    return c;
  }();
  return *canvas;
}
#endif

// The file pick: the log read, its first channel decoded and drawn, and the
// graph painted. A fresh page each time, as the first open of a session.
void BM_OpenLog(benchmark::State& state, LogKind kind) {
  const std::string& path = LargestLog(kind);
#ifdef ZELK_WITH_WINDOW
  app::CanvasWidget& canvas = Canvas();
#else
  chart::RecordingCanvas canvas;
#endif
  long loaded = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<form::UserPage>(canvas, ProgramDir());
    page->Form_Load();
    state.ResumeTiming();
    page->OpenPath(path);
#ifdef ZELK_WITH_WINDOW
    canvas.repaint();
#endif
    loaded += page->session().file().everLoaded;
  }
  if (loaded != state.iterations()) state.SkipWithError("the log was not loaded");
}

#ifdef ZELK_WITH_WINDOW
// The paint alone: the lines of the first channel's graph, as the open draws
// them, into the window's canvas.
void BM_PaintGraph(benchmark::State& state, LogKind kind) {
  chart::RecordingCanvas recorded;
  form::UserPage page(recorded, ProgramDir());
  page.Form_Load();
  page.OpenPath(LargestLog(kind));
  app::CanvasWidget& canvas = Canvas();
  for (auto _ : state) {
    canvas.Clear();
    int width = -1;
    for (const chart::Line& line : recorded.lines()) {
      if (line.width != width) canvas.SetLineWidth(width = line.width);
      canvas.DrawLine(line.x1, line.y1, line.x2, line.y2, line.colour);
    }
    canvas.repaint();
  }
  state.counters["lines"] = static_cast<double>(recorded.lines().size());
}

// A new process: the program's libraries loaded, the application and the
// window built and shown, until its first paint is done.
void BM_WindowFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const std::string out = RunChild({"--child", "first-paint"});
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (out.rfind("painted", 0) != 0) {
      state.SkipWithError("the window did not paint");
      break;
    }
    state.SetIterationTime(took.count());
  }
}
#endif

// Peak resident memory of a process of its own with the largest "Time" log
// loaded and every channel drawn: the core alone, and the whole window.
void BM_PeakMemory(benchmark::State& state, const char* mode) {
  double mb = 0;
  for (auto _ : state) {
    const std::string out = RunChild({"--child", mode, LargestLog(LogKind::Time)});
    if (out.empty()) {
      state.SkipWithError("the child failed");
      break;
    }
    mb = std::stod(out);
  }
  state.counters["MB"] = mb;
}

[[maybe_unused]] const bool registered = [] {
  for (LogKind kind : kLogKinds) {
    const std::string name = KindName(kind);
    benchmark::RegisterBenchmark(("BM_OpenLog/" + name).c_str(), BM_OpenLog, kind)
        ->Unit(benchmark::kMillisecond);
#ifdef ZELK_WITH_WINDOW
    benchmark::RegisterBenchmark(("BM_PaintGraph/" + name).c_str(), BM_PaintGraph, kind)
        ->Unit(benchmark::kMillisecond);
#endif
  }
#ifdef ZELK_WITH_WINDOW
  benchmark::RegisterBenchmark("BM_WindowFirstPaint", BM_WindowFirstPaint)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_PeakMemory/window", BM_PeakMemory, "peak-memory-window")
      ->Iterations(1);
#endif
  benchmark::RegisterBenchmark("BM_PeakMemory/core", BM_PeakMemory, "peak-memory-core")
      ->Iterations(1);
  return true;
}();

}  // namespace
}  // namespace zelk::bench
