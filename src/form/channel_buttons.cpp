// The ten channel buttons: each highlights itself, decodes its channel afresh
// from the loaded log, draws it and puts what it shows onto the controls.
#include "form/channel_buttons.h"

#include "channels/channels.h"
#include "form/user_page.h"

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

std::vector<std::string> ChannelButtonKeys() {
  std::vector<std::string> keys;
  for (const ChannelButton& button : kButtons) keys.push_back(button.key);
  return keys;
}

void UserPage::Reset_Buttons() {
  for (const ChannelButton& button : kButtons) {
    controls_.Named(button.key).state.backColour = kButtonFace;
  }
  SetFocus(ctl::DummyText);
  controls_(ctl::FuelAverageText).state.visible = false;
  controls_(ctl::BitSurround).state.visible = false;
  controls_(ctl::BitLabel).state.visible = false;
  for (int k = 0; k <= 7; ++k) {
    controls_(ctl::Bit, k).state.visible = false;
    controls_(ctl::BitClear, k).state.visible = false;
  }
}

// What a channel button does: the channel is decoded from the log (unless
// it already is) and drawn over the current window, then shown.
void UserPage::ShowChannel(const channels::ChannelRow& channel) {
  Reset_Buttons();
  if (const ChannelButton* button = ButtonOf(channel.id)) {
    controls_.Named(button->key).state.backColour = kTitleBar;
  }
  ApplyView(channel_.Draw(channel, log_, logId_, UserByteChoice(), vars_.window, canvas_));
  UserLabel(channel.byteChannel ? "True" : "False");
  FollowMarker();
}

// The byte the selectors choose, with its name for the kind of log loaded.
channels::ByteChoice UserPage::UserByteChoice() const {
  channels::ByteChoice choice;
  choice.page = controls_(ctl::UserPageSelect).state.index == 0 ? 0 : 1;
  choice.byte = controls_(ctl::UserByteSelect).state.index;
  choice.name = tables_.EntryName(log_.format, choice.page, choice.byte);
  choice.bitField =
      store::KindOf(log_.format).frames && tables_.BitFlag(choice.page, choice.byte) == 1;
  return choice;
}

// Puts a drawn channel onto the controls and into the graph state.
void UserPage::ApplyView(channels::View view) {
  vars_.graph.channel = view.id;
  // What clearing the graph does to the controls around it: the information
  // label beside the graph goes, the time caption comes.
  controls_(ctl::InfoLabel).state.width = 0;
  controls_(ctl::YLabel).state.visible = true;
  ControlState& title = controls_(ctl::ScreenTitle).state;
  title.top = static_cast<float>(view.titleTop);
  title.caption = std::move(view.title);
  for (int k = 0; k < 7; ++k) DoLabel(k, view.labels[k], 50, view.labelTops[k]);
  GraphState& graph = vars_.graph;
  graph.valueScale = view.valueScale;
  graph.baseLine = view.baseLine;
  graph.limitY = view.limitY;
  for (int s = 0; s < 3; ++s) {
    if (view.startY[s]) graph.startY[s] = *view.startY[s];
  }
  vars_.graph.rawText = std::move(view.rawText);
  controls_(ctl::Text).state.caption = std::move(view.text);
  if (view.averageSum) vars_.graph.averageSum = *view.averageSum;
  if (view.excluded) vars_.graph.stftExcluded = *view.excluded;
  if (view.average) {
    ControlState& average = controls_(ctl::FuelAverageText).state;
    average.caption = std::move(*view.average);
    average.visible = true;
  }
  if (view.bitsOf) {
    controls_(ctl::BitSurround).state.visible = true;
    controls_(ctl::BitLabel).state.visible = true;
    DoBits(*view.bitsOf);
  }
}

// The left edge of a value-axis label is always 50, whatever the caller asks.
void UserPage::DoLabel(int index, std::string_view caption, int /*left*/, int top) {
  ControlState& label = controls_(ctl::Label, index).state;
  label.caption = caption;
  label.visible = true;
  label.top = static_cast<float>(top);
  label.left = 50;
}

void UserPage::DisplayRefresh() {
  const channels::ChannelRow* channel = channels::ChannelOf(vars_.graph.channel);
  if (!channel) return;  // no channel drawn yet
  if (channel->byteChannel) UserLabel("True");
  ShowChannel(*channel);
}

}  // namespace zelk::form
