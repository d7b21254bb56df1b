// One channel as a strip of the Channels window, which stacks several
// channels over one time axis with one marker through all: the strip's
// model (its caption, samples, value axis, lines and legend, and its text at
// the marker), and its drawing into a rectangle of a canvas by the main
// graph's own plotting rule (chart::DrawSeries through a chart::MappedCanvas).
// Nothing here names a control or a pixel; the window lays out the texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "channels/values.h"
#include "chart/mapped_canvas.h"

namespace zelk::channels {

// How a strip's value axis is chosen: fitted to the window's samples, or
// fixed at the channel's own range, the one the main graph's labels give.
enum class StripAxis { Fitted, Fixed };

// A fitted axis reaches this share of the samples' range beyond them, on
// each side; a flat series this share of its value (1 for a value of 0).
inline constexpr double kFittedMargin = 0.05;
// The most round values a strip's axis is labelled with.
inline constexpr int kStripTicks = 5;

struct StripOptions {
  StripAxis axis = StripAxis::Fitted;
  int mostTicks = kStripTicks;
};

// One line of a strip: a series the log records.
struct StripLine {
  std::string name;  // the legend's: "Coolant" (NameAndUnit's quantity)
  uint32_t colour = 0;
  const chart::SampleTable* table = nullptr;  // the plotted texts, in stored units
};

// A round value of the value axis and its label, in the caption's unit
// ("1000", "0x40" for a frame byte).
struct StripTick {
  double value = 0;
  std::string text;
  bool operator==(const StripTick&) const = default;
};

// A strip's model over a window. It points into the tables it was made
// from, which must outlive it unchanged: the session's decoded tables, until
// another log or byte is decoded.
struct Strip {
  const ChannelRow* channel = nullptr;
  const Tables* tables = nullptr;
  ByteChoice choice;
  std::string caption;  // "Engine speed (rpm)", "Temperatures (°C)"
  // Whether the log records the channel; a strip that it does not is empty
  // and its note says so (kNotRecorded).
  bool recorded = false;
  std::string note;
  // The window's first and last sample the log holds (first > last: none);
  // nothing past the log's last sample is drawn.
  long first = 1, last = 0;
  // The value axis from `low` (the strip's bottom) to `high` (its top), in
  // the caption's unit, `perStored` of which a stored value stands for.
  double low = 0, high = 1;
  double perStored = 1;
  std::vector<StripTick> ticks;
  std::vector<StripLine> lines;  // in drawing order
  // Segments drawn from one sample to the next, over every line.
  long segments = 0;

  // The legend's names, one a line; none for a strip of one line.
  std::vector<std::string> Legend() const;
  // The rows of the values panel for this channel at sample i.
  std::vector<ValueRow> ValuesAt(const store::LogData& log, long i) const;
  // Those rows as texts for the strip, one a row: "850 rpm", or "Coolant
  // 85 °C", "Intake -14 °C", "Fuel not recorded"; and as one text, joined
  // by ", ".
  std::vector<std::string> TextsAt(const store::LogData& log, long i) const;
  std::string TextAt(const store::LogData& log, long i) const;
};

// The strip of `channel` over `window`, from its decoded `tables`.
Strip MakeStrip(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                const ByteChoice& choice, const chart::TimeWindow& window,
                const StripOptions& options = {});
// The same from every channel decoded for the log; nothing for no channel.
std::optional<Strip> MakeStrip(const TablesSource& decoded, ChannelId id, const store::LogData& log,
                               const chart::TimeWindow& window, const StripOptions& options = {});

// The caption of a channel's strip on a kind of log: its name and unit as
// the values panel names them, "Engine speed (rpm)", "Throttle (V)".
std::string StripCaption(const ChannelRow& channel, const store::LogData& log,
                         const ByteChoice& choice);

// ---- Drawing ----

// A text for the window to put at (x, y) twips, `y` its middle, `x` its
// left end, right end or middle.
struct TextAt {
  enum class Align { Left, Right, Centre };
  double x = 0, y = 0;
  std::string text;
  uint32_t colour = chart::kBlack;
  Align align = Align::Left;
  bool operator==(const TextAt&) const = default;
};

// What a drawing put on the canvas: every line, the lines of the series
// among them, and the texts the window is to lay over it.
struct Drawn {
  size_t lines = 0;
  size_t seriesLines = 0;
  std::vector<TextAt> texts;
};

// The twips beside a strip that its labels take: value labels left of it,
// the time labels under the time axis.
inline constexpr double kTickLength = 60;
inline constexpr double kLabelGap = 90;

// The map that puts a stored value of the strip's lines at its height in the
// main graph's plot area, which DrawStrip lays into the strip.
chart::YMap StripMap(const Strip& strip);
// The y of a value (in the caption's unit) in a strip plotted into `plot`.
double StripY(const Strip& strip, const chart::Rect& plot, double value);

// Draws the strip into `plot`, which stands for the main graph's plot area
// (chart::kPlotArea): its frame, a tick at each round value, then each line
// by chart::DrawSeries, values beyond the axis held at its edge as on the
// main graph. Texts: the caption at the top left, the legend after it, each
// tick's label left of the frame; a strip the log does not record shows its
// note in its middle instead of lines. It never clears the canvas.
Drawn DrawStrip(chart::Canvas& canvas, const Strip& strip, const chart::TimeWindow& window,
                const chart::Rect& plot);

// The time axis along the bottom of `plot` (the stack's plot area across
// all strips): its line, and a tick and a time under it at each of the main
// graph's eleven caption places (chart::TimeWindow::CaptionTimes).
Drawn DrawTimeAxis(chart::Canvas& canvas, const chart::TimeWindow& window, const chart::Rect& plot);

// The x, within `plot`, of the window's sample at marker offset `offset`
// (0 for the window's first sample): where DrawSeries put it. Nothing for
// an offset beyond the window's samples (chart::TimeWindow::MarkerLast).
std::optional<double> MarkerX(const chart::TimeWindow& window, const chart::Rect& plot,
                              long offset);
// The marker: a red line from the top to the bottom of `plot` at MarkerX,
// through every strip when `plot` spans them, and its time ("m:ss.s") under
// the time axis's labels. Draws nothing for an offset beyond the window's samples.
Drawn DrawMarker(chart::Canvas& canvas, const chart::TimeWindow& window, const chart::Rect& plot,
                 long offset);
// The time of the sample at marker offset `offset`, as the marker panel
// gives it: "1:05.0".
std::string MarkerTime(const chart::TimeWindow& window, long offset);

// The marker offset a click at `fraction` (0 the left, 1 the right end) of
// a strip's width picks: the nearest of the window's samples
// (chart::TimeWindow::OffsetAt). Nothing for an empty window.
std::optional<long> OffsetAtFraction(const chart::TimeWindow& window, double fraction);
// The same for a click at x twips of a strip plotted into `plot`.
std::optional<long> OffsetAtX(const chart::TimeWindow& window, const chart::Rect& plot, double x);

}  // namespace zelk::channels
