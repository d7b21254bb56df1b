// Two logs compared: the largest log of each kind against the largest of
// the next kind (a different sampling rate). Opening the comparison at the
// window's design size until the graph with both logs is painted, beside
// opening the same second log as the main one (the same bytes read, its
// graph drawn and painted). A marker step (Right and Left key-ups in turn)
// at 3840×2160 with both logs, in the main window and in the Channels window
// with its ten strips, beside the same step with the first log alone.
#include <benchmark/benchmark.h>

#ifdef ZELK_WITH_WINDOW
#include <QApplication>
#include <QKeyEvent>
#include <memory>
#include <string>

#include "app/canvas_widget.h"
#include "app/channels_window.h"
#include "app/main_window.h"
#include "bench_logs.h"
#include "bench_support.h"
#include "form/user_event.h"

namespace zelk::bench {
namespace {

// The largest log of the kind after `kind`, the last kind's being the first.
const std::string& SecondLog(LogKind kind) {
  const auto at = static_cast<size_t>(kind);
  return LargestLog(kLogKinds[(at + 1) % std::size(kLogKinds)]);
}

// The main window, at `width`×`height` unless 0 (its design size), with the
// largest log of `kind` open, its temperatures drawn in Full Trip and the
// marker one step in, all painted; with `compare`, the second log compared;
// with `strips`, the Channels window open at the same size on all ten
// strips. Null when something was not shown as it should be.
std::unique_ptr<app::MainWindow> Shown(LogKind kind, int width, int height, bool compare,
                                       bool strips) {
  EnsureApp();
  auto window = std::make_unique<app::MainWindow>(QString::fromStdString(ProgramDir()));
  window->setMessageShower([](const QString&, const QString&) {});
  if (width > 0) window->resize(width, height);
  window->show();
  PaintedSoon(*window);
  window->OpenLog(QString::fromStdString(LargestLog(kind)));
  form::UserPage& page = window->page();
  page.Click("TemperatureButton");
  page.Form_KeyUp(39);
  if (compare) window->CompareLog(QString::fromStdString(SecondLog(kind)));
  if (strips) {
    page.Apply(*form::ParseUserEvent(
        "strips RPM Temperature Battery Ignition Lambda Loop Throttle Manifold STFT User-Defined"));
    window->Sync();
    window->channelsWindow()->resize(width, height);
    PaintedSoon(*window->channelsWindow()->stack());
  }
  window->Sync();
  PaintedSoon(*window);
  if (!page.session().file().everLoaded || page.session().marker().pos != 10 ||
      (page.session().comparison() != nullptr) != compare ||
      (strips && page.channelsView().channels().size() != 10)) {
    return nullptr;
  }
  return window;
}

// Opening the comparison until the graph is painted; closed again between
// the runs, untimed.
void BM_CompareOpen(benchmark::State& state, LogKind kind) {
  const std::unique_ptr<app::MainWindow> window = Shown(kind, 0, 0, false, false);
  if (!window) {
    state.SkipWithError("the window was not shown as it should be");
    return;
  }
  auto* canvas = window->findChild<app::CanvasWidget*>();
  const QString second = QString::fromStdString(SecondLog(kind));
  bool painted = true, compared = true;
  for (auto _ : state) {
    window->CompareLog(second);
    painted = PaintedSoon(*canvas) && painted;
    state.PauseTiming();
    compared = window->page().comparison().has_value() &&
               window->page().comparison()->lines > 0 && compared;
    window->page().Apply(form::UserEvent::Compare(""));
    window->Sync();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  if (!painted) state.SkipWithError("the graph was not painted");
  if (!compared) state.SkipWithError("the second log was not drawn");
}

// Its reference: the same second log opened as the main one until the graph
// is painted; the first log opened again between the runs, untimed.
void BM_CompareOpenReference(benchmark::State& state, LogKind kind) {
  const std::unique_ptr<app::MainWindow> window = Shown(kind, 0, 0, false, false);
  if (!window) {
    state.SkipWithError("the window was not shown as it should be");
    return;
  }
  auto* canvas = window->findChild<app::CanvasWidget*>();
  const QString first = QString::fromStdString(LargestLog(kind));
  const QString second = QString::fromStdString(SecondLog(kind));
  bool painted = true;
  for (auto _ : state) {
    window->OpenLog(second);
    painted = PaintedSoon(*canvas) && painted;
    state.PauseTiming();
    window->OpenLog(first);
    QApplication::processEvents();
    state.ResumeTiming();
  }
  if (!painted) state.SkipWithError("the graph was not painted");
}

// The marker one step right and back in turn at 3840×2160, given to the
// stack (with `strips`) or to the main window's focus, until the window
// acted on has painted it.
void MarkerStep(benchmark::State& state, LogKind kind, bool compare, bool strips) {
  const std::unique_ptr<app::MainWindow> window = Shown(kind, 3840, 2160, compare, strips);
  if (!window) {
    state.SkipWithError("the windows were not shown as they should be");
    return;
  }
  QWidget& target = strips ? static_cast<QWidget&>(*window->channelsWindow()->stack())
                           : *window->findChild<app::CanvasWidget*>();
  long steps = 0;
  bool painted = true;
  for (auto _ : state) {
    QKeyEvent keyUp(QEvent::KeyRelease, steps++ % 2 ? Qt::Key_Left : Qt::Key_Right,
                    Qt::NoModifier);
    QWidget* focus = window->focusWidget();
    QApplication::sendEvent(strips ? &target : focus ? focus : window.get(), &keyUp);
    painted = PaintedNow(target) && painted;
  }
  if (window->page().session().marker().pos != (steps % 2 ? 20 : 10)) {
    state.SkipWithError("the steps did not move the marker");
  }
  if (!painted) state.SkipWithError("the window was not painted");
}

[[maybe_unused]] const bool registered = [] {
  for (const LogKind kind : kLogKinds) {
    const std::string name = KindName(kind);
    const auto add = [&name, kind](const std::string& bench, auto run) {
      benchmark::RegisterBenchmark((bench + name).c_str(), run, kind)
          ->UseRealTime()
          ->Unit(benchmark::kMillisecond);
    };
    add("BM_CompareOpen/", &BM_CompareOpen);
    add("BM_CompareOpenReference/", &BM_CompareOpenReference);
    for (const bool strips : {false, true}) {
      const std::string where = strips ? "BM_CompareStripsMarkerStep" : "BM_CompareMarkerStep";
      add(where + "/", [strips](benchmark::State& state, LogKind k) {
        MarkerStep(state, k, true, strips);
      });
      add(where + "Reference/", [strips](benchmark::State& state, LogKind k) {
        MarkerStep(state, k, false, strips);
      });
    }
  }
  return true;
}();

}  // namespace
}  // namespace zelk::bench
#endif
