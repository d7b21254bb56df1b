// The series each channel draws, named in words with their units, and the
// data table a user exports from them: one row per sample of the window.
#pragma once

#include <string>
#include <vector>

#include "channels/channels.h"

namespace zelk::channels {

struct Series {
  std::string name;  // "coolant_c": lower case, words joined by '_', unit last
  const chart::SampleTable* table = nullptr;
  bool hex = false;  // the texts are hexadecimal bytes (the user-defined channel)
  // The number the channel plots for sample j.
  double ValueAt(long j) const;
};

// The series that `channel` draws for this log, in drawing order. `choice`
// names the user-defined byte.
std::vector<Series> SeriesOf(const ChannelRow& channel, const store::LogData& log,
                             const Tables& tables, const ByteChoice& choice);

// The data table of the window as comma-separated text: a header row, then
// for each sample of the window that the log holds its number, its time in
// minutes from the log's start and the number each series plots. Numbers are
// plain decimals with a point.
std::string DataCsv(const store::LogData& log, const Window& window,
                    const std::vector<Series>& series, double samplesPerMinute);

// A name as a column or file name: ASCII letters and digits in lower case,
// every other run of characters one '_', none at either end; "value" when
// nothing is left. "Coolant Temp (C)" -> "coolant_temp_c".
std::string Slug(std::string_view name);

}  // namespace zelk::channels
