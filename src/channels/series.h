// The series each channel draws, named in words with their units, and the
// data table a user exports from them: one row per sample of the window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "channels/channels.h"

namespace zelk::channels {

struct Series {
  std::string name;  // "coolant_c": lower case, words joined by '_', unit last
  const chart::SampleTable* table = nullptr;  // the plotted texts, for a further series
};

// The name of a series in a kind of log's table: the row's own, or the one
// that kind of log names it by where its unit differs ("throttle_v").
const char* SeriesName(const SeriesRow& series, store::LogFormat format);

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

// Columns that a data table holds after the log's own: their names in the
// header, and `append(row, j)` adding each one's field, after a comma, to the
// row of sample j.
struct FurtherColumns {
  std::vector<std::string> names;
  std::function<void(std::string& row, long j)> append;
};
// The data table with further columns after the log's own.
std::string DataCsv(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                    const ByteChoice& choice, const Window& window, double samplesPerMinute,
                    const FurtherColumns& further);

// A name as a column or file name: ASCII letters and digits in lower case,
// every other run of characters one '_', none at either end; "value" when
// nothing is left. "Coolant Temp (C)" -> "coolant_temp_c".
std::string Slug(std::string_view name);

}  // namespace zelk::channels
