#include "channels/channels.h"

namespace zelk::channels {
namespace {

using chart::kBlack;
using chart::kGreen;
using chart::kMagenta;

// The "#time" log records no ignition advance and no fuel trim.
constexpr unsigned kFrameAndTimeLogs = kFrameLogs | kTimeLogs;

constexpr SeriesRow kSpeed[] = {{"engine_speed_rpm", kBlack}};
// Only frame logs record the fuel temperature.
constexpr SeriesRow kTemperatures[] = {
    {"coolant_c", kBlack}, {"intake_c", kGreen}, {"fuel_c", kMagenta, kFrameLogs}};
constexpr SeriesRow kBattery[] = {{"battery_v", kBlack}};
constexpr SeriesRow kIgnition[] = {{"ignition_advance_deg", kBlack, kFrameAndTimeLogs}};
constexpr SeriesRow kLambda[] = {{"lambda_v", kBlack}, {"lambda_status", kGreen, kFrameLogs}};
constexpr SeriesRow kLoop[] = {{"fuel_loop_closed", kBlack}};
constexpr SeriesRow kThrottle[] = {{"throttle_deg", kBlack, kEveryLog, "throttle_v", "throttle_v"}};
constexpr SeriesRow kByte[] = {{"value", kBlack}};
constexpr SeriesRow kManifold[] = {{"manifold_psi", kBlack}};
constexpr SeriesRow kTrim[] = {{"stft_pct", kBlack, kFrameAndTimeLogs}};

// clang-format off
constexpr ChannelRow kChannels[] = {
    {.id = ChannelId::EngineSpeed, .load = LoadRPM, .draw = DrawRPM, .series = kSpeed,
     .axis = AxisRPM},
    {.id = ChannelId::Temperatures, .load = LoadTemperature, .draw = DrawTemperature,
     .series = kTemperatures, .axis = AxisTemperature, .name = "temperatures_c"},
    {.id = ChannelId::Battery, .load = LoadBattery, .draw = DrawBattery, .series = kBattery,
     .axis = AxisBattery},
    {.id = ChannelId::Ignition, .load = LoadIgnition, .draw = DrawIgnition, .series = kIgnition,
     .axis = AxisIgnition},
    {.id = ChannelId::Lambda, .load = LoadLambda, .draw = DrawLambda, .series = kLambda,
     .axis = AxisLambda},
    {.id = ChannelId::FuelLoop, .load = LoadLoop, .draw = DrawLoop, .series = kLoop,
     .axis = AxisLoop},
    {.id = ChannelId::Throttle, .load = LoadThrottle, .draw = DrawThrottle, .series = kThrottle,
     .axis = AxisThrottle},
    {.id = ChannelId::Manifold, .load = LoadManifold, .draw = DrawManifold, .series = kManifold,
     .readOff = ReadOffManifold, .axis = AxisManifold},
    {.id = ChannelId::ShortTermTrim, .load = LoadSTFT, .draw = DrawSTFT, .series = kTrim,
     .axis = AxisSTFT},
    {.id = ChannelId::UserDefined, .load = LoadUserDefined, .draw = DrawUserDefined,
     .series = kByte, .byteChannel = true},
};
// clang-format on

}  // namespace

std::span<const ChannelRow> ChannelTable() { return kChannels; }

const ChannelRow* ChannelOf(ChannelId id) {
  for (const ChannelRow& row : kChannels) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

View Draw(const ChannelRow& row, const store::LogData& log, const ByteChoice& choice,
          const Window& window, const Tables& tables, chart::Canvas& canvas) {
  View view = row.draw(log, choice, window, tables, canvas);
  view.id = row.id;
  return view;
}

View LoadAndDraw(const ChannelRow& row, const store::LogData& log, const ByteChoice& choice,
                 const Window& window, Tables& tables, chart::Canvas& canvas) {
  row.load(log, choice, tables);
  return Draw(row, log, choice, window, tables, canvas);
}

void RedrawAtMarker(const ChannelRow& row, const store::LogData& log, const Tables& tables,
                    const Window& window, const DrawnGraph& last, chart::Canvas& canvas) {
  if (last.limitY) DrawStroke(canvas, chart::kAxisX, chart::kAxisRight, *last.limitY, chart::kRed);
  const chart::Window walk = window.Samples();
  for (size_t s = 0; s < row.series.size() && s < tables.plot.size(); ++s) {
    const SeriesRow& series = row.series[s];
    if (!ShownOn(series, log.format)) continue;
    const chart::SampleTable& table = tables.plot[s];
    chart::DrawSeries(
        canvas, walk, {last.valueScale, static_cast<double>(last.baseLine)}, series.colour,
        [&](long j) { return table.Value(j); }, [](long) {});
  }
  chart::DrawValueAxis(canvas);
}

std::string ReadOff(const ChannelRow& row, const store::LogData& log, const Tables& tables,
                    long i) {
  if (!row.series.empty() && !ShownOn(row.series[0], log.format)) return {};
  return row.readOff ? row.readOff(log, tables, i) : tables.plot[0][i];
}

std::string MarkerText(const ChannelRow& row, const store::LogData& log, const Tables& tables,
                       long i) {
  std::string number = ReadOff(row, log, tables, i);
  if (!row.byteChannel || log.format != store::kFrameLog || number.empty()) return number;
  return "0x" + tables.data[i] + " (" + number + ")";
}

}  // namespace zelk::channels
