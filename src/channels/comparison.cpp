#include "channels/comparison.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>
#include <utility>

#include "channels/combined.h"
#include "chart/mapped_canvas.h"

namespace zelk::channels {
namespace {

// Whether the second log's series s of `channel` stands for what it does in
// the first log, in the same unit; it must record it, the first need not.
bool Comparable(const ChannelRow& channel, size_t s, const store::LogData& first,
                const ByteChoice& firstChoice, const SecondLog& second) {
  if (s >= channel.series.size() || !ShownOn(channel.series[s], second.log.format)) return false;
  if (channel.byteChannel) {
    // A frame byte and a column, or two bytes, are different quantities.
    return first.format == second.log.format && firstChoice == second.channels.choice;
  }
  return std::string_view(SeriesName(channel.series[s], first.format)) ==
         SeriesName(channel.series[s], second.log.format);
}

// A y as far as a canvas coordinate goes; one that is no number lies on the
// time axis, as chart::DrawHeld puts it.
double Finite(double y) {
  return std::isnan(y) ? double{chart::kAxisBottom} : std::clamp(y, -1e9, 1e9);
}

// The y a fraction of the way from y0 to y1.
double Between(double y0, double y1, double fraction) {
  y0 = Finite(y0);
  y1 = Finite(y1);
  return y0 + (y1 - y0) * fraction;
}

// First minus second where both texts are numbers, added up exactly so that
// 85.3 - 85.1 reads "0.2"; empty otherwise.
std::string Difference(std::string_view first, std::string_view second) {
  const std::optional<double> a = text::ReadDecimal(first), b = text::ReadDecimal(second);
  if (!a || !b) return {};
  // Beyond what a Decimal holds exactly the difference of the doubles will do.
  constexpr double kExact = 1e15;
  if (std::abs(*a) >= kExact || std::abs(*b) >= kExact) return text::Plain(*a - *b);
  return text::Plain((text::Decimal::FromDouble(*a) + text::Decimal::FromDouble(-*b)).ToDouble());
}

// The second log's series of `channel` over the window, each value put at
// its height by `map`.
long DrawSecond(chart::Canvas& canvas, const ChannelRow& channel, const store::LogData& first,
                const ByteChoice& choice, const Window& window, const chart::YMap& map,
                const SecondLog& second) {
  const Tables* tables = &second.channels.tables(channel);
  const store::LogAlignment& align = second.alignment;
  if (!tables || window.xStep == text::Decimal() || !(window.width > 0) ||
      align.second().lastSample < 2) {
    return 0;
  }
  // The window's span on the first log's axis: from its first sample to
  // its width in samples later.
  const double width = std::min(window.width, static_cast<double>(store::kFarSample));
  const store::Ticks spacing = align.first().Spacing();
  const store::Ticks start = align.first().TimeOf(window.yStart);
  const store::Ticks end = start + std::llround(width * static_cast<double>(spacing));
  const long firstJ = align.SecondAtOrBefore(start), lastJ = align.SecondAtOrAfter(end);

  // A time within the span at the x the window gives it: the x of the first
  // log's sample at or before it, as its own draw accumulates them, and the
  // part of a step beyond that. Those x's are worked out only as far as the
  // second log's last segment reaches.
  const store::Ticks reach = std::min(end, align.SecondTime(lastJ)) - start;
  const float* const xs = chart::XPositions(
      window.xStep, static_cast<long>(std::max<store::Ticks>(reach / spacing, 0)));
  const double step = window.xStep.ToDouble();
  const auto xAt = [&](store::Ticks t) {
    const store::Ticks from = t - start;
    const store::Ticks n = from / spacing;
    const double part = static_cast<double>(from - n * spacing) / static_cast<double>(spacing);
    return static_cast<float>(xs[n] + part * step);
  };

  long drawn = 0;
  for (size_t s = 0; s < channel.series.size() && s < tables->plot.size(); ++s) {
    if (!Comparable(channel, s, first, choice, second)) continue;
    const chart::SampleTable& table = tables->plot[s];
    const uint32_t colour = chart::Paler(channel.series[s].colour);
    store::Ticks t0 = align.SecondTime(firstJ);
    double y0 = map(table.Value(firstJ));
    for (long j = firstJ + 1; j <= lastJ; ++j) {
      const store::Ticks t1 = align.SecondTime(j);
      const double y1 = map(table.Value(j));
      if (t1 > start && t0 < end) {
        // Cut where the span begins or ends.
        const store::Ticks ta = std::max(t0, start), tb = std::min(t1, end);
        const auto at = [&](store::Ticks t) {
          return Between(y0, y1, static_cast<double>(t - t0) / static_cast<double>(t1 - t0));
        };
        chart::DrawHeld(canvas, xAt(ta), ta == t0 ? y0 : at(ta), xAt(tb), tb == t1 ? y1 : at(tb),
                        colour);
        ++drawn;
      }
      t0 = t1;
      y0 = y1;
    }
  }
  return drawn;
}

// The second log's compared series of `channels`, "_2" after each name, as
// further columns of a table whose row j holds, for each, the second log's
// number at its sample nearest in time to the first log's sample j; an
// empty field where it has none.
FurtherColumns SecondColumns(std::span<const ChannelRow* const> channels,
                             const store::LogData& first, const ByteChoice& choice,
                             const SecondLog& second) {
  struct Compared {
    const ChannelRow* channel;
    const Tables* tables;
    std::vector<Series> series;   // as the second log's own table would export them
    std::vector<size_t> columns;  // those compared
  };
  const auto compared = std::make_shared<std::vector<Compared>>();
  FurtherColumns further;
  for (const ChannelRow* channel : channels) {
    Compared c{channel, &second.channels.tables(*channel), {}, {}};
    c.series = SeriesOf(*channel, second.log, *c.tables, second.channels.choice);
    for (size_t s = 0, k = 0; s < channel->series.size() && k < c.series.size(); ++s) {
      if (!ShownOn(channel->series[s], second.log.format)) continue;
      if (Comparable(*channel, s, first, choice, second)) {
        c.columns.push_back(k);
        further.names.push_back(c.series[k].name + "_2");
      }
      ++k;
    }
    compared->push_back(std::move(c));
  }
  further.append = [compared, &second](std::string& row, long j) {
    const std::optional<long> nearest = second.alignment.SecondNearestTo(j);
    for (const Compared& c : *compared) {
      for (const size_t k : c.columns) {
        row += ',';
        if (nearest) row += SeriesField(*c.channel, second.log, *c.tables, c.series, k, *nearest);
      }
    }
  };
  return further;
}

// The same strip over the second log's tables, and its sample nearest in
// time to the first log's sample `firstSample`.
std::optional<std::pair<Strip, long>> SecondStripAt(const Strip& strip, long firstSample,
                                                    const SecondLog& second) {
  const std::optional<long> nearest = second.alignment.SecondNearestTo(firstSample);
  if (!strip.channel || !nearest) return std::nullopt;
  Strip other = strip;
  other.tables = &second.channels.tables(*strip.channel);
  other.choice = second.channels.choice;
  return std::pair{std::move(other), *nearest};
}

}  // namespace

std::optional<double> SecondMarkerX(const Window& window, const store::LogAlignment& alignment,
                                    long secondSample) {
  const double offset = alignment.SecondAsFirstSample(secondSample) - window.yStart;
  if (!(offset >= 0 && offset <= window.width)) return std::nullopt;
  return chart::kAxisX + window.xStep.ToDouble() * offset;
}

void DrawSecondMarker(chart::Canvas& canvas, double x, double top, double bottom) {
  constexpr double kDash = 120, kDashGap = 80;
  canvas.SetLineWidth(1);
  const auto at = static_cast<float>(x);
  for (double y = top; y < bottom; y += kDash + kDashGap) {
    canvas.DrawLine(at, static_cast<float>(y), at, static_cast<float>(std::min(y + kDash, bottom)),
                    chart::Paler(chart::kRed));
  }
}

long DrawSecondLog(chart::Canvas& canvas, const ChannelRow& channel, const store::LogData& first,
                   const ByteChoice& choice, const Window& window, const View& view,
                   const SecondLog& second) {
  return DrawSecond(canvas, channel, first, choice, window, MapOf(view), second);
}

long DrawSecondStrip(chart::Canvas& canvas, const Strip& strip, const store::LogData& first,
                     const Window& window, const chart::Rect& plot, const SecondLog& second) {
  if (!strip.channel || !strip.recorded) return 0;
  chart::MappedCanvas mapped(canvas, plot);
  // As thick as the strip's own lines.
  canvas.SetLineWidth(2);
  const long drawn =
      DrawSecond(mapped, *strip.channel, first, strip.choice, window, StripMap(strip), second);
  canvas.SetLineWidth(1);
  return drawn;
}

std::vector<std::string> SecondTextsAt(const Strip& strip, long firstSample,
                                       const SecondLog& second) {
  const auto other = SecondStripAt(strip, firstSample, second);
  return other ? other->first.TextsAt(second.log, other->second) : std::vector<std::string>{};
}

std::string SecondTextAt(const Strip& strip, long firstSample, const SecondLog& second) {
  const auto other = SecondStripAt(strip, firstSample, second);
  return other ? other->first.TextAt(second.log, other->second) : std::string();
}

ComparedSample CompareAtMarker(const store::LogData& first, const TablesSource& firstChannels,
                               long firstSample, const SecondLog& second) {
  ComparedSample out;
  out.firstSample = firstSample;
  out.secondSample = second.alignment.SecondNearestTo(firstSample);
  if (out.secondSample) {
    const double perMinute = store::KindOf(second.log.format).samplesPerMinute;
    out.secondTime = text::ClockText(store::MinutesOf(*out.secondSample, perMinute));
  }
  for (const ChannelRow& channel : ChannelTable()) {
    const Tables* firstTables = &firstChannels.tables(channel);
    if (!firstTables) continue;
    const Tables* secondTables = &second.channels.tables(channel);
    std::vector<ValueRow> secondRows;
    if (secondTables && out.secondSample &&
        (!channel.byteChannel || Comparable(channel, 0, first, firstChannels.choice, second))) {
      secondRows =
          ValuesOf(channel, second.log, *secondTables, second.channels.choice, *out.secondSample);
    }
    for (const ValueRow& row :
         ValuesOf(channel, first, *firstTables, firstChannels.choice, firstSample)) {
      ComparedValue value{row.quantity, row.unit, row.value, kNotRecorded, row.unit, {}};
      const auto other = std::find_if(secondRows.begin(), secondRows.end(), [&](const ValueRow& r) {
        return r.quantity == row.quantity;
      });
      if (other != secondRows.end()) {
        value.second = other->value;
        value.secondUnit = other->unit;
        if (other->unit == row.unit) value.difference = Difference(row.value, other->value);
      }
      out.values.push_back(std::move(value));
    }
  }
  return out;
}

std::string ComparedDataCsv(const ChannelRow& channel, const store::LogData& first,
                            const Tables& tables, const ByteChoice& choice, const Window& window,
                            const SecondLog& second) {
  const ChannelRow* const channels[] = {&channel};
  return DataCsv(channel, first, tables, choice, window,
                 store::KindOf(first.format).samplesPerMinute,
                 SecondColumns(channels, first, choice, second));
}

std::string ComparedStripsCsv(const TablesSource& decoded, std::span<const ChannelId> ids,
                              const store::LogData& first, const Window& window,
                              const SecondLog& second) {
  std::vector<const ChannelRow*> channels;
  for (const ChannelId id : ids) {
    if (const ChannelRow* channel = ChannelOf(id)) channels.push_back(channel);
  }
  return StripsCsv(decoded, ids, first, window, store::KindOf(first.format).samplesPerMinute,
                   SecondColumns(channels, first, decoded.choice, second));
}

}  // namespace zelk::channels
