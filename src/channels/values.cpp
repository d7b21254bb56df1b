#include "channels/values.h"

#include <iterator>

namespace zelk::channels {
namespace {

// The last words of exported series names that are units.
constexpr std::pair<std::string_view, const char*> kUnits[] = {
    {"rpm", "rpm"}, {"c", "°C"}, {"v", "V"}, {"deg", "°"}, {"psi", "psi"}, {"pct", "%"}};

}  // namespace

ValueRow NameAndUnit(std::string_view seriesName) {
  ValueRow row;
  std::string_view words = seriesName;
  const size_t lastGap = words.rfind('_');
  if (lastGap != std::string_view::npos) {
    const std::string_view last = words.substr(lastGap + 1);
    for (const auto& [word, unit] : kUnits) {
      if (last != word) continue;
      row.unit = unit;
      words = words.substr(0, lastGap);
      break;
    }
  }
  // Words joined by blanks, the first capitalised; "stft" is an abbreviation.
  for (const char c : words) row.quantity += c == '_' ? ' ' : c;
  if (row.quantity.starts_with("stft")) row.quantity.replace(0, 4, "STFT");
  if (!row.quantity.empty() && row.quantity[0] >= 'a' && row.quantity[0] <= 'z') {
    row.quantity[0] = static_cast<char>(row.quantity[0] - 'a' + 'A');
  }
  return row;
}

const Tables& DecodedChannels::Of(const ChannelRow& channel, const store::LogData& log,
                                  unsigned long logId, const ByteChoice& choice) {
  const std::span<const ChannelRow> channels = ChannelTable();
  entries_.resize(channels.size());
  Entry& entry = entries_[static_cast<size_t>(&channel - channels.data())];
  // Only the user-defined channel reads the byte choice.
  const bool current =
      entry.decoded && entry.logId == logId && (!channel.byteChannel || entry.choice == choice);
  if (!current) {
    // A decode rewrites every sample of the series it shows, so the tables
    // are kept from log to log; what it leaves is never read.
    if (!entry.tables) entry.tables = std::make_unique<Tables>();
    channel.load(log, choice, *entry.tables);
    entry.decoded = true;
    entry.logId = logId;
    entry.choice = choice;
    ++decodes_;
  }
  return *entry.tables;
}

std::string ByteQuantity(const ByteChoice& choice) {
  return "User-defined: " + (choice.name.empty() ? std::string("none") : choice.name);
}

std::vector<ValueRow> ValuesOf(const ChannelRow& channel, const store::LogData& log,
                               const Tables& tables, const ByteChoice& choice, long i) {
  std::vector<ValueRow> rows;
  const std::vector<Series> series = SeriesOf(channel, log, tables, choice);
  for (size_t s = 0; s < series.size(); ++s) {
    ValueRow row =
        channel.byteChannel ? ValueRow{ByteQuantity(choice), {}, {}} : NameAndUnit(series[s].name);
    row.value = SeriesField(channel, log, tables, series, s, i);
    if (row.value.empty()) row.value = kNotRecorded;
    rows.push_back(std::move(row));
  }
  // Series that this kind of log does not record at all.
  if (channel.byteChannel) return rows;
  for (const SeriesRow& kept : channel.series) {
    if (ShownOn(kept, log.format)) continue;
    ValueRow row = NameAndUnit(kept.name);
    row.value = kNotRecorded;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<ValueRow> DecodedChannels::At(const store::LogData& log, unsigned long logId,
                                          const ByteChoice& choice, long i) {
  std::vector<ValueRow> rows;
  for (const ChannelRow& channel : ChannelTable()) {
    std::vector<ValueRow> more = ValuesOf(channel, log, Of(channel, log, logId, choice), choice, i);
    rows.insert(rows.end(), std::make_move_iterator(more.begin()),
                std::make_move_iterator(more.end()));
  }
  return rows;
}

}  // namespace zelk::channels
