// Every channel the window can show, by its number (CurrentChannel): how it
// decodes the log and how it draws.
#pragma once

#include "channels/channel.h"

namespace zelk::channels {

// A channel's decode fills its tables from the log; its draw plots them over
// the window and returns what it shows.
using LoadFn = void(const store::LogData& log, Tables& tables);
using DrawFn = View(const store::LogData& log, const Window& window, Tables& tables,
                    chart::Canvas& canvas);

struct Channel {
  int16_t number;
  LoadFn* load;
  DrawFn* draw;
};

// Offsets that a channel's draw and the marker's redraw share: battery volts
// are drawn from 10.6 V on the time axis; the throttle series stands 600 twips
// lower than its base line gives.
inline constexpr double kBatteryOffset = 10.6;
inline constexpr double kThrottleYOffset = 600;
// Manifold pressure is stored in kilopascals and read off in psi.
inline constexpr double kPsiPerKilopascal = 0.15;

// The byte that the user-defined channel (number 8) shows, as its selectors
// choose it: byte `byte` of the 0x80 (page 0) or 0x7D (page 1) frame of a
// frame log, or column `byte` + 1 of a column log; its name for the title and
// listing, and whether the byte is a set of flags shown bit by bit.
struct ByteChoice {
  int page = 1;
  int byte = 0;
  std::string name;
  bool bitField = false;
};
inline constexpr int16_t kUserDefined = 8;

// The user-defined channel's decode and draw: those of the other channels,
// for the chosen byte.
void LoadUserDefined(const store::LogData& log, const ByteChoice& choice, Tables& tables);
View DrawUserDefined(const store::LogData& log, const ByteChoice& choice, const Window& window,
                     Tables& tables, chart::Canvas& canvas);

// The channel numbered `number`, or nothing for a number without a channel.
// The user-defined channel is not among them: it also needs its byte.
const Channel* ChannelNumbered(int16_t number);

LoadFn LoadRPM, LoadTemperature, LoadBattery, LoadIgnition, LoadLambda, LoadLoop, LoadThrottle,
    LoadManifold, LoadSTFT;
DrawFn DrawRPM, DrawTemperature, DrawBattery, DrawIgnition, DrawLambda, DrawLoop, DrawThrottle,
    DrawManifold, DrawSTFT;

}  // namespace zelk::channels
