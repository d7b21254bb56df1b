#include "channels/channels.h"

namespace zelk::channels {

const Channel* ChannelNumbered(int16_t number) {
  static constexpr Channel kChannels[] = {
      {1, &LoadRPM, &DrawRPM},           {2, &LoadTemperature, &DrawTemperature},
      {3, &LoadBattery, &DrawBattery},   {4, &LoadIgnition, &DrawIgnition},
      {5, &LoadLambda, &DrawLambda},     {6, &LoadLoop, &DrawLoop},
      {7, &LoadThrottle, &DrawThrottle}, {9, &LoadManifold, &DrawManifold},
      {10, &LoadSTFT, &DrawSTFT},
  };
  for (const Channel& c : kChannels) {
    if (c.number == number) return &c;
  }
  return nullptr;
}

}  // namespace zelk::channels
