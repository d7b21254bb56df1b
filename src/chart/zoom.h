// Zooming and panning the time window: a span chosen by dragging across the
// graph, the mouse wheel's zoom about the pointer, panning by tenths of the
// span and paging by it. Each gives the new window over whole samples of the
// same log, or nothing where the window would not change.
#pragma once

#include <optional>

#include "chart/time_window.h"

namespace zelk::chart {

// The fewest samples a zoomed window spans.
inline constexpr double kMinZoomSpan = 10;
// A drag across less canvas than this (four pixels) is a click.
inline constexpr double kMinDragTwips = 60;

// The window over samples `first` to `last` of the log `like` shows: its
// minutes are those of the samples' times, and a page lies before or after
// it while the log holds samples there.
TimeWindow SpanWindow(const TimeWindow& like, double first, double last);

// The sample (fractional) whose point the draw puts at canvas x; nothing for
// an empty window or an x that is no number.
std::optional<double> SampleAt(const TimeWindow& w, double x);

// The samples between two canvas x positions, in either order, within the
// log and at least kMinZoomSpan apart.
std::optional<TimeWindow> DragSpan(const TimeWindow& w, double x1, double x2);
// `steps` wheel notches at canvas x: each one up halves the span, each one
// down doubles it, keeping the sample under x where it stands.
std::optional<TimeWindow> WheelZoom(const TimeWindow& w, double x, int steps);
// Moves the window by `steps` tenths of its span (later for positive steps).
std::optional<TimeWindow> Pan(const TimeWindow& w, int steps);
// Moves the window by its whole span, stopping at the log's ends.
std::optional<TimeWindow> PageSpan(const TimeWindow& w, int direction);

}  // namespace zelk::chart
