// Every channel the program can show, one row each: how it decodes the log
// and draws, the series it exports, and what the marker draws again and
// reads off. Adding a channel is one row here, one file with its Load and
// Draw, and its button in the form's row of buttons.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "channels/channel.h"

namespace zelk::channels {

// The byte that the user-defined channel shows, as its selectors choose it:
// byte `byte` of the 0x80 (page 0) or 0x7D (page 1) frame of a frame log, or
// column `byte` + 1 of a column log; its name for the title and listing, and
// whether the byte is a set of flags shown bit by bit.
struct ByteChoice {
  int page = 1;
  int byte = 0;
  std::string name;
  bool bitField = false;
  bool operator==(const ByteChoice&) const = default;
};

// A channel's decode fills its tables from the log; its draw plots them over
// the window and returns what it shows. Only the user-defined channel reads
// the byte choice.
using LoadFn = void(const store::LogData& log, const ByteChoice& choice, Tables& tables);
using DrawFn = View(const store::LogData& log, const ByteChoice& choice, const Window& window,
                    const Tables& tables, chart::Canvas& canvas);
// The marker's read-off of a sample, from the tables the last decode filled.
using ReadOffFn = std::string(const store::LogData& log, const Tables& tables, long i);
// A channel's value axis on a kind of log, as its draw labels it.
using AxisFn = Axis(const store::LogData& log);

// The kinds of log a series is recorded in, as a set.
enum LogKinds : unsigned {
  kFrameLogs = 1u << store::kFrameLog,
  kTimeLogs = 1u << store::kTimeLog,
  kEveryLog = 1u << store::kFrameLog | 1u << store::kTimeLog | 1u << store::kShortTimeLog,
};

// One series of a channel. The first is exported as the marker reads it off
// and the others from the plotted series; the marker draws each again from
// its plotted series. A series the log does not record is neither drawn nor
// exported, and the values panel says it is not recorded.
struct SeriesRow {
  const char* name;  // its column in an exported table: "coolant_c"
  uint32_t colour;
  unsigned shownOn = kEveryLog;  // the kinds of log that record it
  // Its column's name on a "Time" and on a "#time" log, where the unit differs.
  const char* timeLogName = nullptr;
  const char* shortLogName = nullptr;
};
// Whether a series is recorded in a kind of log.
inline bool ShownOn(const SeriesRow& series, store::LogFormat format) {
  return (series.shownOn >> format & 1u) != 0;
}

struct ChannelRow {
  ChannelId id;
  LoadFn* load;
  DrawFn* draw;
  std::span<const SeriesRow> series;
  // The number the marker reads off and the tables hold for the first
  // series; none: the first plotted series' text.
  ReadOffFn* readOff = nullptr;
  // The user-defined byte: its selectors stay on screen with it, its series
  // is exported as the chosen byte, and the marker shows the byte's bits.
  bool byteChannel = false;
  // The value axis its draw labels; none for the user-defined byte, whose
  // axis fits the window.
  AxisFn* axis = nullptr;
  // The channel's name and unit in the form of a series name, where its
  // first series' name does not name the whole channel: "temperatures_c".
  const char* name = nullptr;
};

// The channels in the order the values panel lists them.
std::span<const ChannelRow> ChannelTable();
// The row of a channel; nothing for none.
const ChannelRow* ChannelOf(ChannelId id);

// Decodes the channel and draws it over the window.
View LoadAndDraw(const ChannelRow& row, const store::LogData& log, const ByteChoice& choice,
                 const Window& window, Tables& tables, chart::Canvas& canvas);

// Draws a channel decoded into `tables` over the window.
View Draw(const ChannelRow& row, const store::LogData& log, const ByteChoice& choice,
          const Window& window, const Tables& tables, chart::Canvas& canvas);

// What the last draw left for the marker: its scale and base line, its red
// line and where each series started.
struct DrawnGraph {
  double valueScale = 0;
  int16_t baseLine = 0;
  std::optional<int> limitY;
  std::array<double, 3> startY{};
};

// What the marker draws over the graph as it moves: the channel's red line,
// its series again on the scale the last draw used (it does not clear the
// canvas), then the value axis.
void RedrawAtMarker(const ChannelRow& row, const store::LogData& log, const Tables& tables,
                    const Window& window, const DrawnGraph& last, chart::Canvas& canvas);
// The number of the first series at sample i, as the marker, the values
// panel and the tables give it.
std::string ReadOff(const ChannelRow& row, const store::LogData& log, const Tables& tables, long i);
// The marker panel's text for sample i: the read-off, and for a frame byte
// its hexadecimal first, as the listing and the labels give it ("0x14 (20)").
std::string MarkerText(const ChannelRow& row, const store::LogData& log, const Tables& tables,
                       long i);

// Psi in a kilopascal: manifold pressure is read off and exported in psi.
inline constexpr double kPsiPerKilopascal = 0.145038;

LoadFn LoadRPM, LoadTemperature, LoadBattery, LoadIgnition, LoadLambda, LoadLoop, LoadThrottle,
    LoadUserDefined, LoadManifold, LoadSTFT;
DrawFn DrawRPM, DrawTemperature, DrawBattery, DrawIgnition, DrawLambda, DrawLoop, DrawThrottle,
    DrawUserDefined, DrawManifold, DrawSTFT;
ReadOffFn ReadOffManifold;
AxisFn AxisRPM, AxisTemperature, AxisBattery, AxisIgnition, AxisLambda, AxisLoop, AxisThrottle,
    AxisManifold, AxisSTFT;

}  // namespace zelk::channels
