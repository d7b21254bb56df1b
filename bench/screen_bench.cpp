// What the user waits for on a large screen, against the same at the
// window's design size: a log opened until its graph is painted, and one
// marker step until the window has painted it. The window is shown and sized
// as a user would have it (the form scaled to fill it), and each event goes
// through the window's own widgets.
#include <benchmark/benchmark.h>

#ifdef ZELK_WITH_WINDOW
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
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
  if (!window->page().session().file().everLoaded) state.SkipWithError("the log was not loaded");
  if (!painted) state.SkipWithError("the window was not painted");
  state.counters["scale"] = window->scale();
}

// The largest frame log's temperatures in Full Trip on the window at `size`,
// the marker one step in, all painted; null when the window did not take
// the size.
std::unique_ptr<app::MainWindow> Temperatures(const Size& size) {
  std::unique_ptr<app::MainWindow> window = Shown(size);
  if (!window) return nullptr;
  window->OpenLog(QString::fromStdString(LargestLog(LogKind::Frames)));
  window->page().Click("TemperatureButton");
  window->page().Form_KeyUp(39);
  window->Sync();
  Painted();
  return window;
}

// Runs `act` (given the step's number) once an iteration, each until the
// window has painted it; `check` says at the end whether the steps did what
// they should.
template <class Act, class Check>
void Steps(benchmark::State& state, const Size& size, Act act, Check check) {
  const std::unique_ptr<app::MainWindow> window = Temperatures(size);
  if (!window) {
    state.SkipWithError("the window did not take the size");
    return;
  }
  auto* canvas = window->findChild<app::CanvasWidget*>();
  const double start = window->page().session().marker().pos;
  const double span = window->page().session().window().Span();
  long steps = 0;
  bool painted = true;
  for (auto _ : state) {
    act(*window, *canvas, steps++);
    painted = Painted() && painted;
  }
  if (start != 10 || !check(window->page().session(), steps, span)) {
    state.SkipWithError("the steps did not do what they should");
  }
  if (!painted) state.SkipWithError("the window was not painted");
  state.counters["scale"] = window->scale();
}

// The marker steps right and back in turn, which draws the three series
// again each time.
void BM_ScreenMarkerStep(benchmark::State& state, Size size) {
  Steps(
      state, size,
      [](app::MainWindow& window, app::CanvasWidget&, long step) {
        QKeyEvent keyUp(QEvent::KeyRelease, step % 2 ? Qt::Key_Left : Qt::Key_Right,
                        Qt::NoModifier);
        QWidget* focus = window.focusWidget();
        QApplication::sendEvent(focus ? focus : &window, &keyUp);
      },
      [](const session::Session& s, long steps, double) {
        return s.marker().pos == (steps % 2 ? 20 : 10);
      });
}

// Wheel notches up and down in turn over the middle of the graph: each
// halves or doubles the span, and the temperatures are drawn afresh.
void BM_ScreenWheelZoom(benchmark::State& state, Size size) {
  Steps(
      state, size,
      [](app::MainWindow&, app::CanvasWidget& canvas, long step) {
        const QPointF middle(canvas.width() / 2.0, canvas.height() / 2.0);
        QWheelEvent wheel(middle, canvas.mapToGlobal(middle), {}, {0, step % 2 ? -120 : 120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &wheel);
      },
      [](const session::Session& s, long steps, double full) {
        return steps % 2 ? s.window().Span() < full : s.window().Span() == full;
      });
}

// A drag across the graph, its band following the pointer between a third
// and two thirds of the canvas: the band is painted over the graph, which
// is not drawn again.
void BM_ScreenDragBand(benchmark::State& state, Size size) {
  bool pressed = false;
  Steps(
      state, size,
      [&pressed](app::MainWindow&, app::CanvasWidget& canvas, long step) {
        const QPointF from(canvas.width() / 10.0, canvas.height() / 2.0);
        if (!pressed) {
          QMouseEvent press(QEvent::MouseButtonPress, from, canvas.mapToGlobal(from),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
          QApplication::sendEvent(&canvas, &press);
          pressed = true;
        }
        const QPointF to(canvas.width() * (step % 2 ? 2 : 1) / 3.0, from.y());
        QMouseEvent move(QEvent::MouseMove, to, canvas.mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &move);
      },
      [](const session::Session& s, long, double full) { return s.window().Span() == full; });
}

// The window resized between 1920×1080 and 3840×2160 in turn, the largest
// frame log's temperatures on screen: the form scaled again and painted.
void BM_ScreenResize(benchmark::State& state) {
  const std::unique_ptr<app::MainWindow> window = Temperatures(kSizes[1]);
  if (!window) {
    state.SkipWithError("the window did not take the size");
    return;
  }
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
    for (const auto& [name, steps] : {std::pair{"BM_ScreenMarkerStep/", &BM_ScreenMarkerStep},
                                      {"BM_ScreenWheelZoom/", BM_ScreenWheelZoom},
                                      {"BM_ScreenDragBand/", BM_ScreenDragBand}}) {
      benchmark::RegisterBenchmark((std::string(name) + size.name).c_str(), steps, size)
          ->UseRealTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace zelk::bench
#endif
