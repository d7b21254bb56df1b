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

// The channel numbered `number`, or nothing for a number without a channel.
const Channel* ChannelNumbered(int16_t number);

LoadFn LoadRPM, LoadTemperature, LoadBattery, LoadIgnition, LoadLambda, LoadLoop, LoadThrottle,
    LoadManifold, LoadSTFT;
DrawFn DrawRPM, DrawTemperature, DrawBattery, DrawIgnition, DrawLambda, DrawLoop, DrawThrottle,
    DrawManifold, DrawSTFT;

}  // namespace zelk::channels
