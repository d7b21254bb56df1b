// The series each channel draws, named in words with their units, and the
// data table a user exports from them: one row per sample of the window.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "channels/channels.h"

namespace zelk::channels {

struct Series {
  std::string name;  // "coolant_c": lower case, words joined by '_', unit last
  const chart::SampleTable* table = nullptr;  // the plotted texts, for a further series
};

// A series' column name on a kind of log: "throttle_v" on a column log.
const char* SeriesName(const SeriesRow& row, store::LogFormat format);

// The series that `channel` draws for this log, in drawing order. `choice`
// names the user-defined byte.
std::vector<Series> SeriesOf(const ChannelRow& channel, const store::LogData& log,
                             const Tables& tables, const ByteChoice& choice);

// The number of `series[s]` at sample j as the data table gives it: the
// first series' read-off, a further series' plotted text, written as a plain
// decimal; empty where the text is no number.
std::string SeriesField(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                        const std::vector<Series>& series, size_t s, long j);

// The data table of the window as comma-separated text: a header row, then
// for each sample of the window that the log holds its number, its time in
// minutes from the log's start (sample 1 at 0), for a column log the time its
// row records as written there ("log_time"), and each series' number. The first series
// holds the number the marker reads off, the others the numbers they plot:
// what the screen shows, in the unit the header names. A sample whose value
// is no number has an empty field. Numbers are plain decimals with a point.
std::string DataCsv(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                    const ByteChoice& choice, const Window& window, double samplesPerMinute);

#include <functional>
// One channel's columns in a data table: its series as SeriesOf gives them.
struct TableColumns {
  const ChannelRow* channel = nullptr;
  const Tables* tables = nullptr;
  std::vector<Series> series;
};

// The data table of several channels' columns over the window, laid out as
// DataCsv lays out one channel's: the sample, minutes (and log_time) columns
// once, then each channel's columns in the order given, each field the one
// DataCsv gives. DataCsv is this table of one channel.
// Columns that a data table holds after the channels' own: their names in
// the header, and `append(row, j)` adding each one's field, after a comma, to
// the row of sample j.
struct FurtherColumns {
  std::vector<std::string> names;
  std::function<void(std::string& row, long j)> append;
};
std::string TableCsv(std::span<const TableColumns> channels, const store::LogData& log,
                     const Window& window, double samplesPerMinute,
                     const FurtherColumns& further = {});
// One channel's data table with further columns after its own.
std::string DataCsv(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                    const ByteChoice& choice, const Window& window, double samplesPerMinute,
                    const FurtherColumns& further);

// A name as a column or file name: ASCII letters and digits in lower case,
// every other run of characters one '_', none at either end; "value" when
// nothing is left. "Coolant Temp (C)" -> "coolant_temp_c".
std::string Slug(std::string_view name);

}  // namespace zelk::channels
