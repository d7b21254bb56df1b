#include "channels/series.h"

namespace zelk::channels {
double Series::ValueAt(long j) const {
  const std::string& text = (*table)[j];
  return hex ? text::HexStrict(text).value_or(0) : ValueOf(text);
}

std::vector<Series> SeriesOf(const ChannelRow& channel, const store::LogData& log,
                             const Tables& tables, const ByteChoice& choice) {
  if (channel.byteChannel) return {{Slug(choice.name), &tables.data, true}};
  std::vector<Series> series;
  for (size_t s = 0; s < channel.series.size(); ++s) {
    const SeriesRow& row = channel.series[s];
    if ((row.shownOn >> log.format & 1u) == 0) continue;
    const char* other = log.format == store::kTimeLog        ? row.timeLogName
                        : log.format == store::kShortTimeLog ? row.shortLogName
                                                             : nullptr;
    series.push_back({other ? other : row.name, s == 0 ? &tables.data : &tables.plot[s], false});
  }
  return series;
}

std::string DataCsv(const store::LogData& log, const Window& window,
                    const std::vector<Series>& series, double samplesPerMinute) {
  std::string csv = "sample,minutes";
  for (const Series& s : series) (csv += ',') += s.name;
  csv += '\n';
  const HeldRange held = HeldSamples(window, log);
  const auto plain = [](double value) { return text::Decimal::FromDouble(value).ToText(); };
  for (long j = held.first; j <= held.last; ++j) {
    csv += std::to_string(j);
    csv += ',';
    csv += samplesPerMinute > 0 ? text::FormatFixed(j / samplesPerMinute, 4) : "0.0000";
    for (const Series& s : series) (csv += ',') += plain(s.ValueAt(j));
    csv += '\n';
  }
  return csv;
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
