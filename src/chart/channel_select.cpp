// The ten channel buttons: each highlights itself, decodes its channel afresh
// from the loaded log and draws it.
#include "form/user_page.h"

namespace zelk::form {
namespace {

using Step = void (UserPage::*)();

struct Channel {
  int16_t number;       // CurrentChannel while it is on screen
  const char* button;
  bool showsSelectors;  // the user-defined byte selectors stay on screen
};

// In the order Reset_Buttons walks them.
constexpr Channel kChannels[] = {
    {1, "RPMButton", false},     {2, "TemperatureButton", false}, {3, "BatteryButton", false},
    {4, "IgnitionButton", false}, {7, "ThrottleButton", false},   {5, "LambdaButton", false},
    {6, "LoopButton", false},    {9, "MAPButton", false},         {10, "STFTButton", false},
    {8, "UserDefinedButton", true},
};

const Channel* ChannelNumbered(int16_t number) {
  for (const Channel& c : kChannels) {
    if (c.number == number) return &c;
  }
  return nullptr;
}

}  // namespace

void UserPage::Reset_Buttons() {
  for (const Channel& c : kChannels) controls_(c.button).state.backColour = kButtonFace;
  SetFocus("DummyText");
  controls_("FuelAverageText").state.visible = false;
  controls_("BitSurround").state.visible = false;
  controls_("BitLabel").state.visible = false;
  for (int k = 0; k <= 7; ++k) {
    controls_("Bit", k).state.visible = false;
    controls_("BitClear", k).state.visible = false;
  }
}

// The handler of a channel button. Channels whose decode and draw are not
// built yet only highlight their button.
void UserPage::ShowChannel(int16_t number, Step load, Step draw) {
  const Channel* channel = ChannelNumbered(number);
  Reset_Buttons();
  controls_(channel->button).state.backColour = kTitleBar;
  if (load) (this->*load)();
  if (draw) (this->*draw)();
  UserLabel(channel->showsSelectors ? "True" : "False");
}

void UserPage::RPMButton_Click() { ShowChannel(1, &UserPage::LoadRPM, &UserPage::DrawRPM); }
void UserPage::TemperatureButton_Click() { ShowChannel(2, nullptr, nullptr); }
void UserPage::BatteryButton_Click() { ShowChannel(3, nullptr, nullptr); }
void UserPage::IgnitionButton_Click() { ShowChannel(4, nullptr, nullptr); }
void UserPage::LambdaButton_Click() { ShowChannel(5, nullptr, nullptr); }
void UserPage::LoopButton_Click() { ShowChannel(6, nullptr, nullptr); }
void UserPage::ThrottleButton_Click() { ShowChannel(7, nullptr, nullptr); }
void UserPage::UserDefinedButton_Click() { ShowChannel(8, nullptr, nullptr); }
void UserPage::MAPButton_Click() { ShowChannel(9, nullptr, nullptr); }
void UserPage::STFTButton_Click() { ShowChannel(10, nullptr, nullptr); }

void UserPage::DisplayRefresh() {
  using Handler = void (UserPage::*)();
  static constexpr std::pair<int16_t, Handler> kHandlers[] = {
      {1, &UserPage::RPMButton_Click},     {2, &UserPage::TemperatureButton_Click},
      {3, &UserPage::BatteryButton_Click}, {4, &UserPage::IgnitionButton_Click},
      {5, &UserPage::LambdaButton_Click},  {6, &UserPage::LoopButton_Click},
      {7, &UserPage::ThrottleButton_Click}, {8, &UserPage::UserDefinedButton_Click},
      {9, &UserPage::MAPButton_Click},     {10, &UserPage::STFTButton_Click},
  };
  for (const auto& [number, handler] : kHandlers) {
    if (number != vars_.currentChannel) continue;
    if (number == 8) UserLabel("True");
    (this->*handler)();
  }
}

}  // namespace zelk::form
