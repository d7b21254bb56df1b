// The Channels window on a 3840×2160 screen with all ten strips over the
// Full Trip of the largest log of each kind: the window opened from its menu
// item until its strips are painted, a marker step (the Right and Left keys
// in turn, given to the stack) and a wheel notch over the stack, each until
// both windows have painted it. Beside each, the main window alone at the
// same size over the same log does the like: its ten channels drawn and
// painted in turn, its own marker step and its own wheel notch. The memory
// the open window adds is measured in a process of its own.
#include <benchmark/benchmark.h>

#ifdef ZELK_WITH_WINDOW
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "app/canvas_widget.h"
#include "app/channels_window.h"
#include "app/main_window.h"
#include "bench_logs.h"
#include "bench_support.h"
#include "form/user_event.h"

namespace zelk::bench {
namespace {

constexpr int kWidth = 3840, kHeight = 2160;
// Every channel, in the buttons' order, as the driver names them.
constexpr const char* kTenStrips =
    "strips RPM Temperature Battery Ignition Lambda Loop Throttle Manifold STFT User-Defined";

// The main window at 3840×2160 with the largest log of `kind` open, its
// temperatures drawn in Full Trip and the marker one step in, all painted.
// With `stack`, the Channels window is open too, at the same size, showing
// all ten strips. Null when a window did not take its size or the log is
// not shown as it should be.
std::unique_ptr<app::MainWindow> Shown(LogKind kind, bool stack) {
  EnsureApp();
  auto window = std::make_unique<app::MainWindow>(QString::fromStdString(ProgramDir()));
  window->setMessageShower([](const QString&, const QString&) {});
  window->resize(kWidth, kHeight);
  window->show();
  PaintedSoon(*window);
  if (window->scale() < 3) return nullptr;
  window->OpenLog(QString::fromStdString(LargestLog(kind)));
  window->page().Click("TemperatureButton");
  window->page().Form_KeyUp(39);
  window->Sync();
  form::UserPage& page = window->page();
  if (!page.session().file().everLoaded || page.controls().Named("YAxis").state.index != 0 ||
      page.session().marker().pos != 10) {
    return nullptr;
  }
  // Shown once with the ten strips, so that the menu item opens them again;
  // the window keeps the size it is given while hidden.
  page.Apply(*form::ParseUserEvent(kTenStrips));
  window->Sync();
  app::ChannelsWindow& channels = *window->channelsWindow();
  channels.resize(kWidth, kHeight);
  PaintedSoon(*channels.stack());
  if (page.channelsView().channels().size() != 10 || channels.width() != kWidth ||
      channels.height() != kHeight) {
    return nullptr;
  }
  if (!stack) {
    window->menuAction("ChannelsMenu")->trigger();
    if (channels.isVisible()) return nullptr;
  }
  PaintedNow(*window);
  return window;
}

// The Channels window opened from the main window's menu item until its
// strips are painted; closed again between the runs, untimed.
void BM_ChannelsWindowOpen(benchmark::State& state, LogKind kind) {
  const std::unique_ptr<app::MainWindow> window = Shown(kind, false);
  if (!window) {
    state.SkipWithError("the windows were not shown as they should be");
    return;
  }
  app::ChannelsWindow& channels = *window->channelsWindow();
  QAction& menu = *window->menuAction("ChannelsMenu");
  bool painted = true, ten = true;
  for (auto _ : state) {
    menu.trigger();
    painted = PaintedSoon(*channels.stack()) && painted;
    state.PauseTiming();
    ten = window->page().channelsView().channels().size() == 10 && ten;
    menu.trigger();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  if (!painted) state.SkipWithError("the strips were not painted");
  if (!ten) state.SkipWithError("the window did not show the ten strips");
}

// Its reference: the main window at the same size draws each of the ten
// channels over the same log in turn, each from a click on its button and
// painted.
void BM_ChannelsWindowOpenReference(benchmark::State& state, LogKind kind) {
  const std::unique_ptr<app::MainWindow> window = Shown(kind, false);
  if (!window) {
    state.SkipWithError("the windows were not shown as they should be");
    return;
  }
  auto* canvas = window->findChild<app::CanvasWidget*>();
  std::vector<QAbstractButton*> buttons;
  for (const char* key : kChannelButtons) {
    buttons.push_back(qobject_cast<QAbstractButton*>(window->widget(key)));
    if (!buttons.back() || !buttons.back()->isVisible()) {
      state.SkipWithError("a channel button is not shown");
      return;
    }
  }
  bool painted = true;
  for (auto _ : state) {
    for (QAbstractButton* button : buttons) {
      button->click();
      painted = PaintedNow(*canvas) && painted;
    }
  }
  if (!painted) state.SkipWithError("the graph was not painted");
}

// Runs `act` on the stack (with `stack`) or on the main window's canvas,
// once a run, each until the widget acted on has painted it (the other
// window paints in the same pass); `check` says at the end whether the steps
// did what they should.
template <class Act, class Check>
void Steps(benchmark::State& state, LogKind kind, bool stack, Act act, Check check) {
  const std::unique_ptr<app::MainWindow> window = Shown(kind, stack);
  if (!window) {
    state.SkipWithError("the windows were not shown as they should be");
    return;
  }
  QWidget& target = stack ? static_cast<QWidget&>(*window->channelsWindow()->stack())
                          : *window->findChild<app::CanvasWidget*>();
  const double span = window->page().session().window().Span();
  long steps = 0;
  bool painted = true;
  for (auto _ : state) {
    act(*window, target, steps++);
    painted = PaintedNow(target) && painted;
  }
  if (!check(window->page().session(), steps, span)) {
    state.SkipWithError("the steps did not do what they should");
  }
  if (!painted) state.SkipWithError("the window was not painted");
  if (stack && window->page().channelsView().channels().size() != 10) {
    state.SkipWithError("the window did not show the ten strips");
  }
}

// The marker one step right and back in turn: a key-up given to the stack
// (which the Channels window forwards), or to the main window's focus.
void MarkerStep(benchmark::State& state, LogKind kind, bool stack) {
  Steps(
      state, kind, stack,
      [stack](app::MainWindow& window, QWidget& target, long step) {
        QKeyEvent keyUp(QEvent::KeyRelease, step % 2 ? Qt::Key_Left : Qt::Key_Right,
                        Qt::NoModifier);
        QWidget* focus = window.focusWidget();
        QApplication::sendEvent(stack ? &target : focus ? focus : &window, &keyUp);
      },
      [](const session::Session& s, long steps, double) {
        return s.marker().pos == (steps % 2 ? 20 : 10);
      });
}

// Wheel notches up and down in turn over the middle of the stack or of the
// graph: each halves or doubles the span, and everything is drawn afresh.
void WheelZoom(benchmark::State& state, LogKind kind, bool stack) {
  Steps(
      state, kind, stack,
      [](app::MainWindow&, QWidget& target, long step) {
        const QPointF middle(target.width() / 2.0, target.height() / 2.0);
        QWheelEvent wheel(middle, target.mapToGlobal(middle), {}, {0, step % 2 ? -120 : 120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&target, &wheel);
      },
      [](const session::Session& s, long steps, double full) {
        return steps % 2 ? s.window().Span() < full : s.window().Span() == full;
      });
}

void BM_ChannelsWindowMarkerStep(benchmark::State& state, LogKind kind) {
  MarkerStep(state, kind, true);
}
void BM_ChannelsWindowMarkerStepReference(benchmark::State& state, LogKind kind) {
  MarkerStep(state, kind, false);
}
void BM_ChannelsWindowWheelZoom(benchmark::State& state, LogKind kind) {
  WheelZoom(state, kind, true);
}
void BM_ChannelsWindowWheelZoomReference(benchmark::State& state, LogKind kind) {
  WheelZoom(state, kind, false);
}

// The resident memory the open Channels window adds, and the program's
// without it, from a process of its own (bench_support.cpp).
void BM_ChannelsWindowMemory(benchmark::State& state, LogKind kind) {
  double added = 0, without = 0;
  for (auto _ : state) {
    const std::string out = RunChild({"--child", "channels-window-memory", LargestLog(kind)});
    const size_t blank = out.find(' ');
    if (blank == std::string::npos) {
      state.SkipWithError("the child failed");
      break;
    }
    without = std::stod(out.substr(0, blank));
    added = std::stod(out.substr(blank + 1)) - without;
  }
  state.counters["MB"] = added;
  state.counters["withoutMB"] = without;
}

[[maybe_unused]] const bool registered = [] {
  for (const LogKind kind : kLogKinds) {
    const std::string name = KindName(kind);
    for (const auto& [bench, run] :
         {std::pair{"BM_ChannelsWindowOpen/", &BM_ChannelsWindowOpen},
          {"BM_ChannelsWindowOpenReference/", &BM_ChannelsWindowOpenReference},
          {"BM_ChannelsWindowMarkerStep/", &BM_ChannelsWindowMarkerStep},
          {"BM_ChannelsWindowMarkerStepReference/", &BM_ChannelsWindowMarkerStepReference},
          {"BM_ChannelsWindowWheelZoom/", &BM_ChannelsWindowWheelZoom},
          {"BM_ChannelsWindowWheelZoomReference/", &BM_ChannelsWindowWheelZoomReference}}) {
      benchmark::RegisterBenchmark((bench + name).c_str(), run, kind)
          ->UseRealTime()
          ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(("BM_ChannelsWindowMemory/" + name).c_str(),
                                 BM_ChannelsWindowMemory, kind)
        ->Iterations(1);
  }
  return true;
}();

}  // namespace
}  // namespace zelk::bench
#endif
