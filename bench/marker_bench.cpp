// One marker step over the temperatures of the largest frame log in Full
// Trip, which draws the three temperature series again: in the core alone,
// and as the user meets it, the key-up through the window and the repaint
// that puts the step on screen. Also one wheel notch over the same graph,
// which zooms in or out and draws the channel afresh, with its repaint.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench_logs.h"
#include "bench_support.h"
#include "form/user_page.h"

#ifdef ZELK_WITH_WINDOW
#include <QCoreApplication>
#include <QKeyEvent>

#include "app/canvas_widget.h"
#include "app/main_window.h"
#endif

namespace zelk::bench {
namespace {

constexpr int kLeftArrow = 37;
constexpr int kRightArrow = 39;
constexpr auto kTemperatures = channels::ChannelId::Temperatures;
constexpr double kStep = 10;  // the marker's step after a load

// The log opened, the temperatures drawn and the marker one step in. From
// there the steps go right and back in turn, so each one stays inside the
// window and draws the same series (a step left of the window's start would
// only hide the marker's readouts). False unless the window is Full Trip and
// the marker moved.
bool OneStepIn(form::UserPage& page) {
  page.OpenPath(LargestLog(LogKind::Frames));
  page.Click("TemperatureButton");
  page.Form_KeyUp(kRightArrow);
  return page.session().file().everLoaded && page.graph().channel == kTemperatures &&
         page.controls().Named("YAxis").state.index == 0 && page.session().marker().pos == kStep;
}

bool StepsRight(long step) { return step % 2 == 0; }

// Where the marker is after `steps` steps from one step in.
bool MarkerFollowed(const form::UserPage& page, long steps) {
  return page.session().marker().pos == (StepsRight(steps - 1) ? 2 : 1) * kStep;
}

void BM_MarkerStep(benchmark::State& state) {
  CountingCanvas canvas;
  form::UserPage page(canvas, ProgramDir());
  page.Form_Load();
  if (!OneStepIn(page)) {
    state.SkipWithError("the temperatures were not drawn in Full Trip");
    return;
  }
  const long before = canvas.lines;
  long steps = 0;
  for (auto _ : state) {
    page.Form_KeyUp(StepsRight(steps++) ? kRightArrow : kLeftArrow);
    benchmark::DoNotOptimize(canvas.lines);
  }
  if (!MarkerFollowed(page, steps)) state.SkipWithError("a step left the window");
  state.counters["segments"] = static_cast<double>(canvas.lines - before) / steps;
}

#ifdef ZELK_WITH_WINDOW
// The window shown and painted once; each step is a key-up given to the
// widget with the focus, as Qt gives it, and the canvas repainted at once,
// which paints whatever the step changed in the window.
void BM_MarkerStepAndRepaint(benchmark::State& state) {
  EnsureApp();
  PaintWatch watch;
  app::MainWindow window(QString::fromStdString(ProgramDir()));
  window.setMessageShower([](const QString&, const QString&) {});
  auto* canvas = window.findChild<app::CanvasWidget*>();
  canvas->installEventFilter(&watch);
  window.show();
  WaitForPaint(watch);
  if (!OneStepIn(window.page())) {
    state.SkipWithError("the temperatures were not drawn in Full Trip");
    return;
  }
  window.Sync();
  canvas->repaint();
  watch.painted = false;
  long steps = 0;
  for (auto _ : state) {
    QKeyEvent keyUp(QEvent::KeyRelease, StepsRight(steps++) ? Qt::Key_Right : Qt::Key_Left,
                    Qt::NoModifier);
    QWidget* focus = window.focusWidget();
    QCoreApplication::sendEvent(focus ? focus : &window, &keyUp);
    canvas->repaint();
  }
  if (!MarkerFollowed(window.page(), steps)) state.SkipWithError("a step left the window");
  if (!watch.painted) state.SkipWithError("the canvas was not painted");
}
#endif

[[maybe_unused]] const bool registered = [] {
  const std::string name = KindName(LogKind::Frames);
  benchmark::RegisterBenchmark(("BM_MarkerStep/" + name).c_str(), BM_MarkerStep)
      ->Unit(benchmark::kMillisecond);
#ifdef ZELK_WITH_WINDOW
  benchmark::RegisterBenchmark(("BM_MarkerStepAndRepaint/" + name).c_str(), BM_MarkerStepAndRepaint)
      ->Unit(benchmark::kMillisecond);
#endif
  return true;
}();

}  // namespace
}  // namespace zelk::bench
