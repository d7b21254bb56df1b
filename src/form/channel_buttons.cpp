// The ten channel buttons: their controls, captions, tool tips and places,
// and the channel each shows.
#include "form/channel_buttons.h"

#include <algorithm>

namespace zelk::form {
namespace {

using channels::ChannelId;

// clang-format off
constexpr ChannelButton kButtons[] = {
    {ChannelId::EngineSpeed, "RPMButton", "RPM", "Engine Speed (Revolutions/Min)", 180, 705, 405},
    {ChannelId::Temperatures, "TemperatureButton", "Temperature",
     "Coolant, Intake and Fuel Temeratures", 960, 1605, 400},
    {ChannelId::Battery, "BatteryButton", "Battery", "Battery Status (Volts)", 2640, 1000, 400},
    {ChannelId::Ignition, "IgnitionButton", "Ignition", "Ignition Advance (degs)", 3720, 1000, 400},
    {ChannelId::Lambda, "LambdaButton", "Lambda", "Lambda Sensor Output (Volts) and Status", 4800,
     1000, 400},
    {ChannelId::FuelLoop, "LoopButton", "Loop", "Fuel Loop Status", 5880, 885, 400},
    {ChannelId::Throttle, "ThrottleButton", "Throttle", "Throttle Position Sensor", 6840, 1000,
     400},
    {ChannelId::Manifold, "MAPButton", "Manifold", "Manifold Absolute Pressure (MAP) (psi)", 7920,
     1125, 400},
    {ChannelId::ShortTermTrim, "STFTButton", "STFT", "Short Term Fuel Trim %", 9120, 1125, 400},
    {ChannelId::UserDefined, "UserDefinedButton", "User-Defined", "User Defined Readings", 10320,
     1605, 400},
};
// clang-format on

}  // namespace

std::span<const ChannelButton> ChannelButtons() { return kButtons; }

const ChannelButton* ButtonOf(ChannelId id) {
  for (const ChannelButton& button : kButtons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

const ChannelButton* ButtonNamed(std::string_view key) {
  for (const ChannelButton& button : kButtons) {
    if (button.key == key) return &button;
  }
  return nullptr;
}

const ChannelButton* ButtonCaptioned(std::string_view caption) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (const ChannelButton& button : kButtons) {
    const std::string_view own = button.caption;
    if (own.size() == caption.size() &&
        std::equal(own.begin(), own.end(), caption.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return &button;
    }
  }
  return nullptr;
}

std::vector<channels::ChannelId> ButtonChannels() {
  std::vector<channels::ChannelId> ids;
  for (const ChannelButton& button : kButtons) ids.push_back(button.id);
  return ids;
}

std::vector<std::string> ChannelButtonKeys() {
  std::vector<std::string> keys;
  for (const ChannelButton& button : kButtons) keys.push_back(button.key);
  return keys;
}

}  // namespace zelk::form
