#include "channels/combined.h"

#include <algorithm>

namespace zelk::channels {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<ChannelId> DefaultStrips() {
  return {ChannelId::EngineSpeed, ChannelId::Throttle, ChannelId::Manifold, ChannelId::Lambda,
          ChannelId::Temperatures};
}

StripList ParseStrips(std::string_view list, std::span<const NamedChannel> names) {
  StripList read;
  if (Trimmed(list).empty()) {
    read.ids = DefaultStrips();
    return read;
  }
  while (true) {
    const size_t comma = list.find(',');
    const std::string_view name = Trimmed(list.substr(0, comma));
    const auto found = std::ranges::find_if(
        names, [&](const NamedChannel& named) { return SameIgnoringCase(name, named.name); });
    if (found == names.end()) {
      read.ids.clear();
      read.problem = "no channel is called \"" + std::string(name) + "\"";
      return read;
    }
    if (std::ranges::find(read.ids, found->id) == read.ids.end()) read.ids.push_back(found->id);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return read;
}

std::vector<Strip> MakeStrips(const TablesSource& decoded, std::span<const ChannelId> ids,
                              const store::LogData& log, const chart::TimeWindow& window,
                              const StripOptions& options) {
  std::vector<Strip> strips;
  for (const ChannelId id : ids) {
    if (auto strip = MakeStrip(decoded, id, log, window, options)) {
      strips.push_back(std::move(*strip));
    }
  }
  return strips;
}

std::string StripsCsv(const TablesSource& decoded, std::span<const ChannelId> ids,
                      const store::LogData& log, const chart::TimeWindow& window,
                      double samplesPerMinute, const FurtherColumns& further) {
  std::vector<TableColumns> columns;
  for (const ChannelId id : ids) {
    const ChannelRow* channel = ChannelOf(id);
    if (!channel) continue;
    const Tables& tables = decoded.tables(*channel);
    columns.push_back({channel, &tables, SeriesOf(*channel, log, tables, decoded.choice)});
  }
  return TableCsv(columns, log, window, samplesPerMinute, further);
}

std::vector<chart::Rect> StackRects(const chart::Rect& area, size_t count, double gap) {
  std::vector<chart::Rect> rects;
  if (count == 0) return rects;
  const double n = static_cast<double>(count);
  const double height = std::max(0.0, (area.Height() - gap * (n - 1)) / n);
  for (size_t k = 0; k < count; ++k) {
    const double top = area.top + static_cast<double>(k) * (height + gap);
    rects.push_back({area.left, top, area.right, top + height});
  }
  return rects;
}

}  // namespace zelk::channels
