// What several benchmarks share: a canvas that only counts lines, the Qt
// application (offscreen unless a platform is set) and a watch for paints,
// running this program again as a child for figures that need a process of
// their own, and the process's memory high-water mark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart/canvas.h"

#ifdef ZELK_WITH_WINDOW
#include <QEvent>
#include <QObject>
#include <QWidget>
#endif

namespace zelk::bench {

// Counts the lines and drops them: the cost measured is the core's alone.
class CountingCanvas : public chart::Canvas {
 public:
  void Clear() override { lines = 0; }
  void SetLineWidth(int) override {}
  void DrawLine(float, float, float, float, uint32_t) override { ++lines; }
  long lines = 0;
};

#ifdef ZELK_WITH_WINDOW
// Created on first use, with the offscreen platform unless one is set.
void EnsureApp();
// Ends the application EnsureApp made, if any; called before main returns.
// Left to the program's statics, it would go after some of Qt's own (the
// list its input devices leave as they are deleted with it).
void EndApp();

// Notes a paint of the widgets it watches (all of them when installed on
// the application).
class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override;
};

// Runs the event loop until something was painted (a second at most); a
// paint pass paints every widget that needs it before the call returns. A
// window shown paints only once the event loop has delivered its expose.
void WaitForPaint(PaintWatch& watch);

// Posted events (the repaints a change asked for) handled; true when `widget`
// was painted among them.
bool PaintedNow(QWidget& widget);
// Runs the event loop until `widget` has painted (a second at most).
bool PaintedSoon(QWidget& widget);
#endif

// The --jobs that the export of 30 logs is measured with beside --jobs 1:
// one for each core.
int ExportJobsCores();

// Runs this benchmark program with `args`; its standard output, or empty when
// it failed.
std::string RunChild(const std::vector<std::string>& args);

// The high-water mark of this process's resident memory, in MB.
double PeakResidentMB();

// The child modes, run by main() when the first argument is --child.
int ChildMain(const std::vector<std::string>& args);

}  // namespace zelk::bench
