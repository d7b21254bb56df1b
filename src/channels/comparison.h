// A second log compared with the loaded one: its series drawn over the
// first log's graph at their own times, its numbers beside the first's at
// the marker, and its columns beside the first's in the exported table.
//
// A second log's series is compared where it stands for the same quantity in
// the same unit as in the first log: a frame log's throttle degrees are not
// drawn over a column log's throttle volts, and the user-defined byte only
// between logs of one kind with the same byte chosen.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "channels/series.h"
#include "channels/strips.h"
#include "channels/values.h"
#include "store/log_alignment.h"

namespace zelk::channels {

// The second log: its channels, decoded from it (decoded
// with the byte choice on screen), and its times on the first log's axis.
struct SecondLog {
  const store::LogData& log;
  TablesSource channels;
  const store::LogAlignment& alignment;
};

// Draws the second log's series of `channel` over the first log's graph of
// `window`, on the scale and base line the channel's draw left in `view`:
// from each of its samples to the next at their times on the first log's
// axis, held within the plot as the graph's own series are (chart::DrawHeld)
// and cut where the window's span begins and ends, each series in its colour
// made paler. Only its samples within the window's span, and the one either
// side, are walked. Returns the number of segments drawn.
long DrawSecondLog(chart::Canvas& canvas, const ChannelRow& channel, const store::LogData& first,
                   const ByteChoice& choice, const Window& window, const View& view,
                   const SecondLog& second);

// The same into a strip of the Channels window laid at `plot`, on the
// strip's value axis: its channel's series that the second log records for
// the same quantity, paler, over the strip's own lines.
long DrawSecondStrip(chart::Canvas& canvas, const Strip& strip, const store::LogData& first,
                     const Window& window, const chart::Rect& plot, const SecondLog& second);
// The strip's texts at the second log's sample nearest in time to the first
// log's sample `firstSample`, as Strip::TextsAt gives the first log's;
// none where the second log has no sample then.
std::vector<std::string> SecondTextsAt(const Strip& strip, long firstSample,
                                       const SecondLog& second);
// Those texts as one, as Strip::TextAt joins them; "" for none.
std::string SecondTextAt(const Strip& strip, long firstSample, const SecondLog& second);

// The second log's own marker over the first log's graph of `window`: the
// x of its sample `secondSample`'s time, in the graph's twips; none where
// the window does not show that time.
std::optional<double> SecondMarkerX(const Window& window, const store::LogAlignment& alignment,
                                    long secondSample);
// Draws that marker from `top` to `bottom` at x, dashed in the marker's red
// made paler, so that it is told from the first log's solid one.
void DrawSecondMarker(chart::Canvas& canvas, double x, double top, double bottom);

// One quantity at the marker in both logs.
struct ComparedValue {
  std::string quantity;    // "Coolant"
  std::string unit;        // "°C", the first log's; empty where it has none
  std::string first;       // the number, or kNotRecorded
  std::string second;      // kNotRecorded also where the second log has no sample then
  std::string secondUnit;  // the second log's unit, which may differ ("V" beside "°")
  // First minus second as a plain decimal; empty unless both are numbers of
  // one quantity in one unit.
  std::string difference;
  bool operator==(const ComparedValue&) const = default;
};

// Both logs at the first log's sample `firstSample`: the second log's
// sample nearest it in time, that sample's time from the second log's start
// ("m:ss.s", empty for none), and every quantity of the values panel.
struct ComparedSample {
  long firstSample = 0;
  std::optional<long> secondSample;
  std::string secondTime;
  std::vector<ComparedValue> values;
};
ComparedSample CompareAtMarker(const store::LogData& first, const TablesSource& firstChannels,
                               long firstSample, const SecondLog& second);

// The data table of the window (DataCsv) with, after the first log's
// columns, the second log's compared series again, "_2" after each name,
// each row holding the second log's number at its sample nearest in time to
// the row's sample; an empty field where it has none.
std::string ComparedDataCsv(const ChannelRow& channel, const store::LogData& first,
                            const Tables& tables, const ByteChoice& choice, const Window& window,
                            const SecondLog& second);
// The Channels window's table (StripsCsv) with the second log's compared
// series of every channel after all the first log's columns, named and
// filled as in ComparedDataCsv.
std::string ComparedStripsCsv(const TablesSource& decoded, std::span<const ChannelId> ids,
                              const store::LogData& first, const Window& window,
                              const SecondLog& second);

}  // namespace zelk::channels
