// Every channel the window can show, by its number (CurrentChannel): how it
// decodes the log and how it draws.
#pragma once

#include "channels/channel.h"

namespace zelk::channels {

using LoadFn = void (*)(const store::LogData& log, Tables& tables);
using DrawFn = View (*)(const store::LogData& log, const Window& window, Tables& tables,
                        chart::Canvas& canvas);

struct Channel {
  int16_t number;
  LoadFn load;
  DrawFn draw;
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

// Engine speed (1)
void LoadRPM(const store::LogData& log, Tables& tables);
View DrawRPM(const store::LogData& log, const Window& window, Tables& tables, chart::Canvas& canvas);
// Temperatures (2)
void LoadTemperature(const store::LogData& log, Tables& tables);
View DrawTemperature(const store::LogData& log, const Window& window, Tables& tables,
                     chart::Canvas& canvas);
// Battery voltage (3)
void LoadBattery(const store::LogData& log, Tables& tables);
View DrawBattery(const store::LogData& log, const Window& window, Tables& tables,
                 chart::Canvas& canvas);
// Ignition advance (4)
void LoadIgnition(const store::LogData& log, Tables& tables);
View DrawIgnition(const store::LogData& log, const Window& window, Tables& tables,
                  chart::Canvas& canvas);
// Lambda sensor (5)
void LoadLambda(const store::LogData& log, Tables& tables);
View DrawLambda(const store::LogData& log, const Window& window, Tables& tables,
                chart::Canvas& canvas);
// Fuel loop status (6)
void LoadLoop(const store::LogData& log, Tables& tables);
View DrawLoop(const store::LogData& log, const Window& window, Tables& tables, chart::Canvas& canvas);
// Throttle position (7)
void LoadThrottle(const store::LogData& log, Tables& tables);
View DrawThrottle(const store::LogData& log, const Window& window, Tables& tables,
                  chart::Canvas& canvas);
// Manifold pressure (9)
void LoadManifold(const store::LogData& log, Tables& tables);
View DrawManifold(const store::LogData& log, const Window& window, Tables& tables,
                  chart::Canvas& canvas);
// Short-term fuel trim (10)
void LoadSTFT(const store::LogData& log, Tables& tables);
View DrawSTFT(const store::LogData& log, const Window& window, Tables& tables,
              chart::Canvas& canvas);

}  // namespace zelk::channels
