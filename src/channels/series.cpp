#include "channels/series.h"

namespace zelk::channels {
namespace {

// What a channel's series are called and which table holds each: -1 for the
// channel's own texts, 0 to 2 for the plotted series. `framesOnly` series are
// drawn only for frame logs.
struct SeriesSpec {
  int16_t channel;
  const char* name;
  int table;
  bool framesOnly = false;
  // Another unit on the column logs: "Time" logs and "#time" logs.
  const char* timeLogName = nullptr;
  const char* shortLogName = nullptr;
};

constexpr SeriesSpec kSeries[] = {
    {1, "engine_speed_rpm", -1},
    {2, "coolant_c", -1},
    {2, "intake_c", 1},
    {2, "fuel_c", 2, true},
    {3, "battery_v", -1},
    {4, "ignition_advance_deg", -1},
    {5, "lambda_v", -1},
    {5, "lambda_status", 1, true},
    {6, "fuel_loop_closed", -1},
    {7, "throttle_deg", -1, false, "throttle_v", "throttle_v"},
    // "#time" logs record the pressure in psi, and it is plotted as recorded.
    {9, "manifold_kpa", -1, false, nullptr, "manifold_psi"},
    {10, "stft_pct", -1},
};

}  // namespace

double Series::ValueAt(long j) const {
  const std::string& text = (*table)[j];
  return hex ? text::HexStrict(text).value_or(0) : ValueOf(text);
}

std::vector<Series> SeriesOf(int16_t number, const store::LogData& log, const Tables& tables,
                             const ByteChoice& choice) {
  const bool frames = log.format == store::kFrameLog;
  if (number == kUserDefined) return {{Slug(choice.name), &tables.data, true}};
  std::vector<Series> series;
  for (const SeriesSpec& s : kSeries) {
    if (s.channel != number || (s.framesOnly && !frames)) continue;
    const char* other = log.format == store::kTimeLog        ? s.timeLogName
                        : log.format == store::kShortTimeLog ? s.shortLogName
                                                             : nullptr;
    const char* name = other ? other : s.name;
    series.push_back({name, s.table < 0 ? &tables.data : &tables.plot[s.table], false});
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
