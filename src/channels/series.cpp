#include "channels/series.h"

namespace zelk::channels {
namespace {

// A value's field: the number a text is written as, or nothing.
std::string Field(std::string_view text) {
  const auto value = text::ReadDecimal(text);
  return value ? text::Plain(*value) : std::string();
}

// A text as a field of its own: in double quotes, its own doubled, where it
// holds a comma, a quote or a line break.
std::string Quoted(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

const char* SeriesName(const SeriesRow& row, store::LogFormat format) {
  const char* other = format == store::kTimeLog        ? row.timeLogName
                      : format == store::kShortTimeLog ? row.shortLogName
                                                       : nullptr;
  return other ? other : row.name;
}

std::vector<Series> SeriesOf(const ChannelRow& channel, const store::LogData& log,
                             const Tables& tables, const ByteChoice& choice) {
  if (channel.byteChannel) return {{Slug(choice.name), &tables.plot[0]}};
  std::vector<Series> series;
  for (size_t s = 0; s < channel.series.size(); ++s) {
    const SeriesRow& row = channel.series[s];
    if (!ShownOn(row, log.format)) continue;
    series.push_back({SeriesName(row, log.format), &tables.plot[s]});
  }
  return series;
}

std::string SeriesField(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                        const std::vector<Series>& series, size_t s, long j) {
  return Field(s == 0 ? ReadOff(channel, log, tables, j) : (*series[s].table)[j]);
}

std::string TableCsv(std::span<const TableColumns> channels, const store::LogData& log,
                     const Window& window, double samplesPerMinute, const FurtherColumns& further) {
  // A column log's rows record their own time too, kept as written.
  const bool rowTimes = !store::KindOf(log.format).frames;
  std::string csv = rowTimes ? "sample,minutes,log_time" : "sample,minutes";
  for (const TableColumns& c : channels) {
    for (const Series& s : c.series) (csv += ',') += s.name;
  }
  for (const std::string& name : further.names) (csv += ',') += name;
  csv += '\n';
  const HeldRange held = HeldSamples(window, log);
  for (long j = held.first; j <= held.last; ++j) {
    csv += std::to_string(j);
    csv += ',';
    csv += text::FormatFixed(store::MinutesOf(j, samplesPerMinute), 4);
    if (rowTimes) (csv += ',') += Quoted(log.RowTime(j));
    for (const TableColumns& c : channels) {
      for (size_t s = 0; s < c.series.size(); ++s) {
        csv += ',';
        csv += SeriesField(*c.channel, log, *c.tables, c.series, s, j);
      }
    }
    if (further.append) further.append(csv, j);
    csv += '\n';
  }
  return csv;
}

std::string DataCsv(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                    const ByteChoice& choice, const Window& window, double samplesPerMinute) {
  const TableColumns columns[] = {{&channel, &tables, SeriesOf(channel, log, tables, choice)}};
  return TableCsv(columns, log, window, samplesPerMinute);
}

std::string DataCsv(const ChannelRow& channel, const store::LogData& log, const Tables& tables,
                    const ByteChoice& choice, const Window& window, double samplesPerMinute,
                    const FurtherColumns& further) {
  const TableColumns columns[] = {{&channel, &tables, SeriesOf(channel, log, tables, choice)}};
  return TableCsv(columns, log, window, samplesPerMinute, further);
}

std::string Slug(std::string_view name) {
  std::string slug;
  bool gap = false;
  for (const char c : name) {
    const bool digit = c >= '0' && c <= '9';
    const bool upper = c >= 'A' && c <= 'Z';
    if (!digit && !upper && !(c >= 'a' && c <= 'z')) {
      gap = !slug.empty();
      continue;
    }
    if (gap) slug += '_';
    gap = false;
    slug += upper ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return slug.empty() ? "value" : slug;
}

}  // namespace zelk::channels
