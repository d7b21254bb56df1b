// The stack of strips the Channels window shows: which channels, in which
// order, where each strip stands, and the one data table of all of them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channels/strips.h"

namespace zelk::channels {

// The stack a Channels window opens with, from the top: engine speed,
// throttle, manifold pressure, lambda, temperatures.
std::vector<ChannelId> DefaultStrips();

// A name the user gives a channel by: its button's caption ("RPM"). The
// captions are the form's (form::ChannelButtons); the caller passes them in.
struct NamedChannel {
  ChannelId id;
  std::string_view name;
};

// A stack read from a list of names, or what is wrong with the list.
struct StripList {
  std::vector<ChannelId> ids;
  std::string problem;  // empty when the list was read
};

// The channels of a comma-separated list of names, in any case, blanks
// around each ignored ("rpm, Temperature,LAMBDA"), in the order given, each
// once. An empty list gives DefaultStrips(); a name that is no channel's a
// problem naming it (as the command line's --channel says it).
StripList ParseStrips(std::string_view list, std::span<const NamedChannel> names);

// The strips of the channels over the window, from every channel decoded
// for the log, in the order given.
std::vector<Strip> MakeStrips(const TablesSource& decoded, std::span<const ChannelId> ids,
                              const store::LogData& log, const chart::TimeWindow& window,
                              const StripOptions& options = {});

// The data table of the channels over the window: one row per sample of the
// window that the log holds, the sample, minutes (and log_time) columns
// once, then each channel's columns in the order given, each named and
// filled as in that channel's own table (DataCsv). A series the log does not
// record has no column, as in DataCsv. `further` columns follow them all.
std::string StripsCsv(const TablesSource& decoded, std::span<const ChannelId> ids,
                      const store::LogData& log, const chart::TimeWindow& window,
                      double samplesPerMinute, const FurtherColumns& further = {});

// The plot rectangles of `count` strips stacked in `area` from its top,
// equally high, `gap` twips apart.
std::vector<chart::Rect> StackRects(const chart::Rect& area, size_t count, double gap);

}  // namespace zelk::channels
