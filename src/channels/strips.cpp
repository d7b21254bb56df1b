#include "channels/strips.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/ticks.h"

namespace zelk::channels {
namespace {

// Passes every line on to a canvas and counts them.
class CountingCanvas : public chart::Canvas {
 public:
  explicit CountingCanvas(chart::Canvas& target) : target_(target) {}
  void Clear() override {}
  void SetLineWidth(int pixels) override { target_.SetLineWidth(pixels); }
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t colour) override {
    ++lines_;
    target_.DrawLine(x1, y1, x2, y2, colour);
  }
  size_t lines() const { return lines_; }

 private:
  chart::Canvas& target_;
  size_t lines_ = 0;
};

void Line(chart::Canvas& canvas, double x1, double y1, double x2, double y2, uint32_t colour) {
  canvas.DrawLine(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                  static_cast<float>(y2), colour);
}

// A frame byte's values are read in hexadecimal, with ticks at powers of two.
bool HexAxis(const ChannelRow& channel, const store::LogData& log) {
  return channel.byteChannel && log.format == store::kFrameLog;
}

// The plot's height from its top to the time axis, in the main graph's twips.
constexpr double kPlotHeight = chart::kAxisBottom - chart::kAxisTop;

// A row's value with its unit: "85 °C", "10°", "not recorded".
std::string WithUnit(const ValueRow& row) {
  if (row.unit.empty() || row.value == kNotRecorded) return row.value;
  return row.value + (row.unit == "°" || row.unit == "%" ? "" : " ") + row.unit;
}

}  // namespace

std::string StripCaption(const ChannelRow& channel, const store::LogData& log,
                         const ByteChoice& choice) {
  if (channel.byteChannel) return ByteQuantity(choice);
  const char* name = channel.name             ? channel.name
                     : channel.series.empty() ? ""
                                              : SeriesName(channel.series[0], log.format);
  const ValueRow named = NameAndUnit(name);
  return named.unit.empty() ? named.quantity : named.quantity + " (" + named.unit + ")";
}

std::vector<std::string> Strip::Legend() const {
  std::vector<std::string> names;
  if (lines.size() > 1) {
    for (const StripLine& line : lines) names.push_back(line.name);
  }
  return names;
}

std::vector<ValueRow> Strip::ValuesAt(const store::LogData& log, long i) const {
  if (!channel || !tables) return {};
  return ValuesOf(*channel, log, *tables, choice, i);
}

std::vector<std::string> Strip::TextsAt(const store::LogData& log, long i) const {
  const std::vector<ValueRow> rows = ValuesAt(log, i);
  std::vector<std::string> texts;
  for (const ValueRow& row : rows) {
    texts.push_back(rows.size() == 1 ? WithUnit(row) : row.quantity + ' ' + WithUnit(row));
  }
  return texts;
}

std::string Strip::TextAt(const store::LogData& log, long i) const {
  std::string text;
  for (const std::string& row : TextsAt(log, i)) {
    if (!text.empty()) text += ", ";
    text += row;
  }
  return text;
}

Strip MakeStrip(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                const ByteChoice& choice, const chart::TimeWindow& window,
                const StripOptions& options) {
  Strip strip;
  strip.channel = &channel;
  strip.tables = &tables;
  strip.choice = choice;
  strip.caption = StripCaption(channel, log, choice);
  const Axis axis = channel.axis ? channel.axis(log) : Axis{};
  strip.perStored = axis.perStored;

  // The lines: every series the log records, as the data table has them.
  for (size_t s = 0; s < channel.series.size() && s < tables.plot.size(); ++s) {
    const SeriesRow& row = channel.series[s];
    if (!channel.byteChannel && !ShownOn(row, log.format)) continue;
    strip.lines.push_back({channel.byteChannel ? ByteQuantity(choice)
                                               : NameAndUnit(SeriesName(row, log.format)).quantity,
                           row.colour, &tables.plot[s]});
    if (channel.byteChannel) break;
  }
  strip.recorded = !strip.lines.empty();
  if (!strip.recorded) strip.note = kNotRecorded;

  const HeldRange held = HeldSamples(window, log);
  strip.first = held.first;
  strip.last = held.last;

  // The samples' range, in the caption's unit.
  double least = std::numeric_limits<double>::infinity(), most = -least;
  for (const StripLine& line : strip.lines) {
    for (long j = held.first; j <= held.last; ++j) {
      const double value = line.table->Value(j) * strip.perStored;
      if (!std::isfinite(value)) continue;
      least = std::min(least, value);
      most = std::max(most, value);
    }
  }
  const bool sampled = least <= most;
  const auto fitted = [&] {
    const double margin = most > least ? (most - least) * kFittedMargin
                          : least != 0 ? std::fabs(least) * kFittedMargin
                                       : 1;
    strip.low = least - margin;
    strip.high = most + margin;
  };
  if (channel.byteChannel) {
    // The main graph's axis of a byte starts at 0 and fits the window.
    if (sampled) fitted();
    if (!sampled || options.axis == StripAxis::Fixed) {
      strip.low = 0;
      strip.high = sampled && most > 0 ? most * (1 + kFittedMargin) : 1;
    }
  } else if (options.axis == StripAxis::Fitted && sampled) {
    fitted();
  } else {
    // The main graph's seven labels, from label 0 to label 6.
    strip.low = axis.bottom;
    strip.high = axis.bottom + 6 * axis.step;
  }
  // Values so far apart that their span is no number: the channel's range.
  if (!std::isfinite(strip.high - strip.low) && !channel.byteChannel) {
    strip.low = axis.bottom;
    strip.high = axis.bottom + 6 * axis.step;
  } else if (!std::isfinite(strip.high - strip.low)) {
    strip.low = 0;
    strip.high = 1;
  }
  if (!(strip.high > strip.low)) strip.high = strip.low + 1;

  if (strip.recorded) {
    const bool hex = HexAxis(channel, log);
    const chart::Ticks ticks =
        chart::RoundTicksBetween(strip.low, strip.high, options.mostTicks, hex);
    for (const double value : ticks.values) {
      strip.ticks.push_back({value, hex ? "0x" + text::HexText(static_cast<long>(value))
                                        : text::Plain(text::RoundSignificant(value, 12))});
    }
    const chart::Window walk = window.Samples();
    if (!(window.xStep == text::Decimal()) && walk.count > 1) {
      strip.segments = static_cast<long>(strip.lines.size()) * (walk.count - 1);
    }
  }
  return strip;
}

std::optional<Strip> MakeStrip(const TablesSource& decoded, ChannelId id, const store::LogData& log,
                               const chart::TimeWindow& window, const StripOptions& options) {
  const ChannelRow* channel = ChannelOf(id);
  if (!channel) return std::nullopt;
  return MakeStrip(*channel, log, decoded.tables(*channel), decoded.choice, window, options);
}

chart::YMap StripMap(const Strip& strip) {
  const double perUnit = kPlotHeight / (strip.high - strip.low);
  return {strip.perStored * perUnit, chart::kAxisBottom + strip.low * perUnit};
}

double StripY(const Strip& strip, const chart::Rect& plot, double value) {
  return chart::MapY(
      plot, chart::kAxisBottom - (value - strip.low) * kPlotHeight / (strip.high - strip.low));
}

Drawn DrawStrip(chart::Canvas& canvas, const Strip& strip, const chart::TimeWindow& window,
                const chart::Rect& plot) {
  Drawn drawn;
  CountingCanvas counted(canvas);
  chart::MappedCanvas mapped(counted, plot);
  counted.SetLineWidth(1);
  Line(counted, plot.left, plot.top, plot.right, plot.top, chart::kBlue);
  Line(counted, plot.right, plot.top, plot.right, plot.bottom, chart::kBlue);
  Line(counted, plot.left, plot.bottom, plot.right, plot.bottom, chart::kBlue);
  Line(counted, plot.left, plot.top, plot.left, plot.bottom, chart::kBlue);

  const double captionY = plot.top + 120;
  drawn.texts.push_back({plot.left + 60, captionY, strip.caption, chart::kBlack});
  if (!strip.recorded) {
    drawn.texts.push_back({(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2, strip.note,
                           chart::kBlack, TextAt::Align::Centre});
    drawn.lines = counted.lines();
    return drawn;
  }
  for (const StripTick& tick : strip.ticks) {
    const double y = StripY(strip, plot, tick.value);
    Line(counted, plot.left - kTickLength, y, plot.left, y, chart::kBlue);
    drawn.texts.push_back(
        {plot.left - kLabelGap, y, tick.text, chart::kBlack, TextAt::Align::Right});
  }
  // The legend after the caption: a stroke in each line's colour, its name,
  // closer together in a narrow strip.
  const std::vector<std::string> legend = strip.Legend();
  const double legendLeft = std::min(3000.0, plot.Width() * 0.3);
  const double legendStep = std::min(1500.0, plot.Width() * 0.2);
  for (size_t k = 0; k < legend.size(); ++k) {
    const double x = plot.left + legendLeft + legendStep * static_cast<double>(k);
    Line(counted, x, captionY, x + 400, captionY, strip.lines[k].colour);
    drawn.texts.push_back({x + 480, captionY, legend[k], strip.lines[k].colour});
  }

  // Each line by the main graph's rule, through the plot area laid into
  // the strip.
  const size_t before = mapped.lines();
  counted.SetLineWidth(2);
  const chart::YMap map = StripMap(strip);
  const chart::Window walk = window.Samples();
  for (const StripLine& line : strip.lines) {
    chart::DrawSeries(
        mapped, walk, map, line.colour, [&](long j) { return line.table->Value(j); }, [](long) {});
  }
  counted.SetLineWidth(1);
  drawn.seriesLines = mapped.lines() - before;
  drawn.lines = counted.lines();
  return drawn;
}

Drawn DrawTimeAxis(chart::Canvas& canvas, const chart::TimeWindow& window,
                   const chart::Rect& plot) {
  Drawn drawn;
  CountingCanvas counted(canvas);
  counted.SetLineWidth(1);
  Line(counted, plot.left, plot.bottom, plot.right, plot.bottom, chart::kBlue);
  const std::array<std::string, 11> times = window.CaptionTimes();
  // A narrow axis labels every second or fifth tick, so that no two times
  // run into each other.
  const double pitch = plot.Width() / 10;
  const int every = pitch >= 800 ? 1 : pitch >= 400 ? 2 : 5;
  for (int i = 0; i <= 10; ++i) {
    const double x = chart::MapX(plot, chart::TimeWindow::CaptionX(i));
    Line(counted, x, plot.bottom, x, plot.bottom + kTickLength, chart::kBlue);
    if (i % every != 0) continue;
    drawn.texts.push_back({x, plot.bottom + kTickLength + 120, times[static_cast<size_t>(i)],
                           chart::kBlack, TextAt::Align::Centre});
  }
  drawn.lines = counted.lines();
  return drawn;
}

std::optional<double> MarkerX(const chart::TimeWindow& window, const chart::Rect& plot,
                              long offset) {
  if (offset < 0 || offset > window.MarkerLast()) return std::nullopt;
  return chart::MapX(plot, chart::XPositions(window.xStep, offset)[offset]);
}

Drawn DrawMarker(chart::Canvas& canvas, const chart::TimeWindow& window, const chart::Rect& plot,
                 long offset) {
  Drawn drawn;
  const std::optional<double> x = MarkerX(window, plot, offset);
  if (!x) return drawn;
  canvas.SetLineWidth(1);
  Line(canvas, *x, plot.top, *x, plot.bottom, chart::kRed);
  drawn.lines = 1;
  drawn.texts.push_back({*x, plot.bottom + kTickLength + 400, MarkerTime(window, offset),
                         chart::kRed, TextAt::Align::Centre});
  return drawn;
}

std::string MarkerTime(const chart::TimeWindow& window, long offset) {
  return text::ClockText(store::MinutesOf(window.yStart + offset, window.samplesPerMinute));
}

std::optional<long> OffsetAtFraction(const chart::TimeWindow& window, double fraction) {
  return window.OffsetAt(chart::kAxisX + fraction * chart::kWindowWidth);
}

std::optional<long> OffsetAtX(const chart::TimeWindow& window, const chart::Rect& plot, double x) {
  return window.OffsetAt(chart::PlotXOf(plot, x));
}

}  // namespace zelk::channels
