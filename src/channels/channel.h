// What every channel shares: what it draws from, the tables it fills, what it
// shows, and the pieces its decode and draw are built from. A channel is a
// pair of pure functions: Load turns the log into sample texts, Draw turns
// those texts and the time window into canvas lines and a View. Neither names
// a control; the window applies the View.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/canvas.h"
#include "chart/plot.h"
#include "chart/sample_table.h"
#include "chart/time_window.h"
#include "store/log_store.h"
#include "text/number_text.h"

namespace zelk::channels {

// The sample tables a decode fills. `data` holds the channel's own texts in
// listing form (RPMData, CoolantData, ...); `plot` the series the marker draws
// again (PlotData, PlotData2, PlotData3). A decode writes only the series it
// has: the others keep what an earlier decode left.
struct Tables {
  chart::SampleTable data;
  std::array<chart::SampleTable, 3> plot;
};

// The time window a draw covers.
using Window = chart::TimeWindow;

using Labels = std::array<const char*, 7>;
// The tops of the seven value-axis labels, from label 0 at the bottom, and
// how far below its top a label's middle lies: label k's middle stands at
// 4000 - 620k, label 0's on the time axis.
inline constexpr std::array<int, 7> kLabelTops = {3900, 3280, 2660, 2040, 1420, 800, 180};
inline constexpr int kLabelMiddle = 100;
inline constexpr int kLabelPitch = 620;

// A channel's value axis as its labels name it: the value at label 0 and the
// step from one label to the next, in the unit the labels give, and how many
// of those units a stored value stands for. The series is drawn to it, so
// that every value stands level with where the labels put it.
struct Axis {
  double bottom = 0;
  double step = 1;
  double perStored = 1;
};

// The channels, by the number the program keeps for the one on screen.
enum class ChannelId : int16_t {
  None = 0,
  EngineSpeed = 1,
  Temperatures = 2,
  Battery = 3,
  Ignition = 4,
  Lambda = 5,
  FuelLoop = 6,
  Throttle = 7,
  UserDefined = 8,
  Manifold = 9,
  ShortTermTrim = 10,
};

// What a channel shows once drawn; the window copies it onto its controls and
// the graph state.
struct View {
  ChannelId id = ChannelId::None;
  std::string title;
  int titleTop = 120;
  std::array<std::string, 7> labels;
  std::array<int, 7> labelTops = kLabelTops;
  double valueScale = 0;
  int16_t baseLine = 0;
  std::optional<int> limitY;  // the red line across the graph, where it has one
  // The start y of each series drawn; a series not drawn leaves it unset and
  // the graph state keeps its earlier value.
  std::array<std::optional<double>, 3> startY;
  std::string rawText;                 // the listing's entries
  std::string text;                    // the listing box: heading, CR LF, entries
  std::optional<std::string> average;  // the average line, shown when set
  std::optional<double> averageSum;    // the value behind it
  std::optional<int16_t> excluded;     // samples left out of the average
  // The byte, in hexadecimal, whose bits the bit display shows; unset keeps
  // the display hidden.
  std::optional<std::string> bitsOf;
};

// ---- Decoding ----

using store::FrameByteValue;

// Fills `table` for samples 1 to SampleCount - 1 with text(i) and empties
// every entry after them.
template <class TextOf>
void Fill(chart::SampleTable& table, const store::LogData& log, TextOf textOf) {
  const long last = log.sampleCount - 1;
  for (long i = 1; i <= last; ++i) table.Set(i, textOf(i));
  table.ClearFrom(last > 0 ? last + 1 : 1);
}

// Fills the channel's own table and the first series alike, for channels
// whose listing and graph read the same texts.
template <class TextOf>
void FillSeries(Tables& tables, const store::LogData& log, TextOf textOf) {
  Fill(tables.data, log, textOf);
  Fill(tables.plot[0], log, [&](long i) { return tables.data[i]; });
}

// The source text of a value that each kind of log keeps in a column of its
// own: the "Time" log's column and the "#time" log's column.
std::string_view ColumnOf(const store::LogData& log, long i, int timeColumn, int shortColumn);

// ---- Listing texts ----

// The listing box: the heading, a line break, then the entries.
std::string Listing(std::string_view heading, std::string_view rawText);

// A listing entry of a column `width` characters wide: a text that fits as it
// is, a longer one without its leading blanks. Nothing is cut off: no sign,
// no digit (" 850" -> " 850", " 12345" -> "12345", " 12.6" -> "12.6").
std::string_view Fitted(std::string_view text, size_t width);

// A value rounded to a whole number (halves to even), at least two digits,
// with its sign: 5 -> "05", 15 -> "15", -5 -> "-05", 120 -> "120".
std::string TwoDigits(double value);

// The average line: `label`, the mean of `count` values that sum to `sum` to
// one decimal (0.0 when there are none), then `unit`.
void ShowAverage(View& view, std::string_view label, double sum, long count, std::string_view unit);

// The first and last sample of the window that the log holds; first > last
// when it holds none.
struct HeldRange {
  long first = 1, last = 0;
};
HeldRange HeldSamples(const Window& window, const store::LogData& log);

// The number of samples of the window that the log holds: those that an
// average divides by.
long SamplesHeld(const Window& window, const store::LogData& log);

// ---- Drawing ----

// The number a stored text stands for: its leading number, 0 for none.
inline double ValueOf(std::string_view text) { return text::LeadingNumber(text); }

// The draw skeleton's start: the graph frame on the canvas, the channel's
// title and labels, its limit line (a red line across the graph at `limitY`,
// when it has one), and the scale and base line that put a value where its
// axis's labels say it is.
View BeginDraw(chart::Canvas& canvas, std::string title, const Labels& labels, const Axis& axis,
               std::optional<int> limitY = std::nullopt);

// The y mapping of the view's scale and base line.
inline chart::YMap MapOf(const View& view) {
  return {view.valueScale, static_cast<double>(view.baseLine)};
}

// A horizontal stroke across the graph or under a legend word.
void DrawStroke(chart::Canvas& canvas, int x1, int x2, int y, uint32_t colour);

// Plots the first series in black from `table`; `entry(out, j, value)`
// appends sample j's listing entry to the view's raw text before its segment
// is drawn, `value` being the number its text stands for. Then fills the
// listing box under `heading`.
template <class Entry>
void PlotListed(chart::Canvas& canvas, const Window& window, View& view,
                const chart::SampleTable& table, std::string_view heading, Entry entry) {
  const chart::Window w = window.Samples();
  view.rawText.reserve(6 * static_cast<size_t>(w.count > 0 ? w.count : 0));
  view.startY[0] = chart::PlotSeries(
      canvas, w, MapOf(view), chart::kBlack, [&](long j) { return table.Value(j); },
      [&](long j) { entry(view.rawText, j, table.Value(j)); });
  view.text = Listing(heading, view.rawText);
}

// Plots a further series from `table` in `colour` and returns its start y.
double PlotPlain(chart::Canvas& canvas, const Window& window, const View& view,
                 const chart::SampleTable& table, uint32_t colour);

}  // namespace zelk::channels
