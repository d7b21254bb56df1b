#include "channels/values.h"

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

void DecodedChannels::Update(const store::LogData& log, unsigned long logId,
                             const ByteChoice& choice) {
  const std::span<const ChannelRow> channels = ChannelTable();
  const bool newLog = !decoded_ || logId != logId_;
  if (!newLog && choice == choice_) return;
  tables_.resize(channels.size());
  for (size_t c = 0; c < channels.size(); ++c) {
    // A decode rewrites every sample of the series it shows, so the tables
    // are kept from log to log; what it leaves is never read.
    if (newLog || channels[c].byteChannel) channels[c].load(log, choice, tables_[c]);
  }
  decoded_ = true;
  logId_ = logId;
  choice_ = choice;
}

std::vector<ValueRow> ChannelValuesAt(const ChannelRow& channel, const store::LogData& log,
                                      const Tables& tables, const ByteChoice& choice, long i) {
  std::vector<ValueRow> rows;
  const std::vector<Series> series = SeriesOf(channel, log, tables, choice);
  for (size_t s = 0; s < series.size(); ++s) {
    ValueRow row = NameAndUnit(series[s].name);
    if (channel.byteChannel) {
      row = {"User-defined: " + (choice.name.empty() ? "none" : choice.name), {}, {}};
    }
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

std::vector<ValueRow> DecodedChannels::At(const store::LogData& log, long i) const {
  std::vector<ValueRow> rows;
  const std::span<const ChannelRow> channels = ChannelTable();
  for (size_t c = 0; c < channels.size() && c < tables_.size(); ++c) {
    for (ValueRow& row : ChannelValuesAt(channels[c], log, tables_[c], choice_, i)) {
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

const Tables* DecodedChannels::TablesOf(ChannelId id) const {
  const std::span<const ChannelRow> channels = ChannelTable();
  for (size_t c = 0; c < channels.size() && c < tables_.size(); ++c) {
    if (channels[c].id == id) return &tables_[c];
  }
  return nullptr;
}

}  // namespace zelk::channels
