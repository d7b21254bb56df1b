// What the user waits for on a large screen, against the same at the
// window's design size: a log opened until its graph is painted, and one
// marker step until the window has painted it. The window is shown and sized
// as a user would have it (the form scaled to fill it), and each event goes
// through the window's own widgets.
#include <benchmark/benchmark.h>

#ifdef ZELK_WITH_WINDOW
#include <QApplication>
#include <QKeyEvent>
#include <memory>
#include <string>

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "bench_logs.h"
#include "bench_support.h"

namespace zelk::bench {
namespace {

struct Size {
  const char* name;
  int width, height;  // 0 for the design size
};
constexpr Size kSizes[] = {{"design", 0, 0}, {"3840x2160", 3840, 2160}};

// The window shown at `size` and painted once; null when it could not take
// that size (the form then does not fill it).
std::unique_ptr<app::MainWindow> Shown(const Size& size) {
  EnsureApp();
  auto window = std::make_unique<app::MainWindow>(QString::fromStdString(ProgramDir()));
  window->setMessageShower([](const QString&, const QString&) {});
  PaintWatch watch;
  window->installEventFilter(&watch);
  if (size.width > 0) window->resize(size.width, size.height);
  window->show();
  WaitForPaint(watch);
  window->removeEventFilter(&watch);
  if (size.width > 0 && window->scale() < 3) return nullptr;
  return window;
}

// Posted events (the repaints the change asked for) handled until the window
// has painted them.
bool Painted() {
  PaintWatch watch;
  qApp->installEventFilter(&watch);
  QApplication::processEvents();
  qApp->removeEventFilter(&watch);
  return watch.painted;
}

void BM_ScreenOpenLog(benchmark::State& state, Size size, LogKind kind) {
  const std::unique_ptr<app::MainWindow> window = Shown(size);
  if (!window) {
    state.SkipWithError("the window did not take the size");
    return;
  }
  const QString path = QString::fromStdString(LargestLog(kind));
  bool painted = true;
  for (auto _ : state) {
    window->OpenLog(path);
    painted = Painted() && painted;
  }
  if (!window->page().vars().file.everLoaded) state.SkipWithError("the log was not loaded");
  if (!painted) state.SkipWithError("the window was not painted");
  state.counters["scale"] = window->scale();
}

// The marker steps right and back in turn over the largest frame log's
// temperatures in Full Trip, which draws the three series again each time.
void BM_ScreenMarkerStep(benchmark::State& state, Size size) {
  const std::unique_ptr<app::MainWindow> window = Shown(size);
  if (!window) {
    state.SkipWithError("the window did not take the size");
    return;
  }
  window->OpenLog(QString::fromStdString(LargestLog(LogKind::Frames)));
  window->page().Click("TemperatureButton");
  window->page().Form_KeyUp(39);
  window->Sync();
  Painted();
  const double start = window->page().vars().marker.pos;
  long steps = 0;
  bool painted = true;
  for (auto _ : state) {
    QKeyEvent keyUp(QEvent::KeyRelease, steps++ % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier);
    QWidget* focus = window->focusWidget();
    QApplication::sendEvent(focus ? focus : window.get(), &keyUp);
    painted = Painted() && painted;
  }
  const double expected = start + (steps % 2 ? 10 : 0);
  if (start != 10 || window->page().vars().marker.pos != expected) {
    state.SkipWithError("the marker did not step");
  }
  if (!painted) state.SkipWithError("the window was not painted");
  state.counters["scale"] = window->scale();
}

// The window resized between 1920×1080 and 3840×2160 in turn, the largest
// frame log's temperatures on screen: the form scaled again and painted.
void BM_ScreenResize(benchmark::State& state) {
  const std::unique_ptr<app::MainWindow> window = Shown(kSizes[1]);
  if (!window) {
    state.SkipWithError("the window did not take the size");
    return;
  }
  window->OpenLog(QString::fromStdString(LargestLog(LogKind::Frames)));
  window->page().Click("TemperatureButton");
  window->Sync();
  Painted();
  long resizes = 0;
  bool painted = true;
  for (auto _ : state) {
    const bool large = resizes++ % 2;
    window->resize(large ? 3840 : 1920, large ? 2160 : 1080);
    painted = Painted() && painted;
  }
  if (!painted) state.SkipWithError("the window was not painted");
}

[[maybe_unused]] const bool registered = [] {
  benchmark::RegisterBenchmark("BM_ScreenResize", BM_ScreenResize)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  for (const Size& size : kSizes) {
    for (const LogKind kind : kLogKinds) {
      benchmark::RegisterBenchmark(
          (std::string("BM_ScreenOpenLog/") + size.name + "/" + KindName(kind)).c_str(),
          BM_ScreenOpenLog, size, kind)
          ->UseRealTime()
          ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark((std::string("BM_ScreenMarkerStep/") + size.name).c_str(),
                                 BM_ScreenMarkerStep, size)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace zelk::bench
#endif
