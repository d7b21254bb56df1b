#include "channels/channels.h"

namespace zelk::channels {

const Channel* ChannelNumbered(int16_t number) {
  static constexpr Channel kChannels[] = {
      {1, &LoadRPM, &DrawRPM},
  };
  for (const Channel& c : kChannels) {
    if (c.number == number) return &c;
  }
  return nullptr;
}

}  // namespace zelk::channels
