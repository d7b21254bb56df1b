// The ten channel buttons: each highlights itself, decodes its channel afresh
// from the loaded log, draws it and puts what it shows onto the controls.
#include "channels/channels.h"
#include "form/user_page.h"

namespace zelk::form {
namespace {

struct Button {
  int16_t number;  // CurrentChannel while its channel is on screen
  const char* name;
  bool showsSelectors;  // the user-defined byte selectors stay on screen
};

// In the order Reset_Buttons walks them.
constexpr Button kButtons[] = {
    {1, "RPMButton", false},        {2, "TemperatureButton", false}, {3, "BatteryButton", false},
    {4, "IgnitionButton", false},   {7, "ThrottleButton", false},    {5, "LambdaButton", false},
    {6, "LoopButton", false},       {9, "MAPButton", false},         {10, "STFTButton", false},
    {8, "UserDefinedButton", true},
};

const Button* ButtonNumbered(int16_t number) {
  for (const Button& b : kButtons) {
    if (b.number == number) return &b;
  }
  return nullptr;
}

}  // namespace

int16_t ButtonChannel(std::string_view key) {
  for (const Button& b : kButtons) {
    if (key == b.name) return b.number;
  }
  return 0;
}

std::vector<std::string> ChannelButtonKeys() {
  std::vector<std::string> keys;
  for (const ControlSpec& spec : LayoutTable()) {
    for (const Button& b : kButtons) {
      if (spec.name == b.name) keys.push_back(spec.name);
    }
  }
  return keys;
}

void UserPage::Reset_Buttons() {
  for (const Button& b : kButtons) controls_(b.name).state.backColour = kButtonFace;
  SetFocus("DummyText");
  controls_("FuelAverageText").state.visible = false;
  controls_("BitSurround").state.visible = false;
  controls_("BitLabel").state.visible = false;
  for (int k = 0; k <= 7; ++k) {
    controls_("Bit", k).state.visible = false;
    controls_("BitClear", k).state.visible = false;
  }
}

// The handler of every channel button: the channel is decoded from the log
// and drawn over the current window, then shown.
void UserPage::ShowChannel(int16_t number) {
  const Button* button = ButtonNumbered(number);
  Reset_Buttons();
  controls_(button->name).state.backColour = kTitleBar;
  const channels::Window window{vars_.yStart, vars_.yEnd, vars_.xStep};
  if (number == channels::kUserDefined) {
    const channels::ByteChoice choice = UserByteChoice();
    channels::LoadUserDefined(log_, choice, channelTables_);
    ApplyView(channels::DrawUserDefined(log_, choice, window, channelTables_, canvas_));
  } else if (const channels::Channel* channel = channels::ChannelNumbered(number)) {
    channel->load(log_, channelTables_);
    ApplyView(channel->draw(log_, window, channelTables_, canvas_));
  }
  UserLabel(button->showsSelectors ? "True" : "False");
}

// The byte the selectors choose, with its name for the kind of log loaded.
channels::ByteChoice UserPage::UserByteChoice() const {
  channels::ByteChoice choice;
  choice.page = controls_("UserPageSelect").state.index == 0 ? 0 : 1;
  choice.byte = controls_("UserByteSelect").state.index;
  choice.name = tables_.EntryName(log_.format, choice.page, choice.byte);
  choice.bitField =
      store::KindOf(log_.format).frames && tables_.BitFlag(choice.page, choice.byte) == 1;
  return choice;
}

// Puts a drawn channel onto the controls and into the graph state.
void UserPage::ApplyView(channels::View view) {
  vars_.currentChannel = view.number;
  // What clearing the graph does to the controls around it: the information
  // label beside the graph goes, the time caption comes.
  controls_("InfoLabel").state.width = 0;
  controls_("YLabel").state.visible = true;
  ControlState& title = controls_("ScreenTitle").state;
  title.top = static_cast<float>(view.titleTop);
  title.caption = std::move(view.title);
  for (int k = 0; k < 7; ++k) DoLabel(k, view.labels[k], 50, channels::kLabelTops[k]);
  vars_.valueScale = view.valueScale;
  vars_.baseLine = view.baseLine;
  double* startY[] = {&vars_.startY1, &vars_.startY2, &vars_.startY3};
  for (int s = 0; s < 3; ++s) {
    if (view.startY[s]) *startY[s] = *view.startY[s];
  }
  vars_.rawText = std::move(view.rawText);
  controls_("Text").state.caption = std::move(view.text);
  if (view.averageSum) vars_.averageSum = *view.averageSum;
  if (view.excluded) vars_.stftExcluded = *view.excluded;
  if (view.average) {
    ControlState& average = controls_("FuelAverageText").state;
    average.caption = std::move(*view.average);
    average.visible = true;
  }
  if (view.bitsOf) {
    controls_("BitSurround").state.visible = true;
    controls_("BitLabel").state.visible = true;
    DoBits(*view.bitsOf);
  }
}

// The left edge of a value-axis label is always 50, whatever the caller asks.
void UserPage::DoLabel(int index, std::string_view caption, int /*left*/, int top) {
  ControlState& label = controls_("Label", index).state;
  label.caption = caption;
  label.visible = true;
  label.top = static_cast<float>(top);
  label.left = 50;
}

void UserPage::RPMButton_Click() { ShowChannel(1); }
void UserPage::TemperatureButton_Click() { ShowChannel(2); }
void UserPage::BatteryButton_Click() { ShowChannel(3); }
void UserPage::IgnitionButton_Click() { ShowChannel(4); }
void UserPage::LambdaButton_Click() { ShowChannel(5); }
void UserPage::LoopButton_Click() { ShowChannel(6); }
void UserPage::ThrottleButton_Click() { ShowChannel(7); }
void UserPage::UserDefinedButton_Click() { ShowChannel(8); }
void UserPage::MAPButton_Click() { ShowChannel(9); }
void UserPage::STFTButton_Click() { ShowChannel(10); }

void UserPage::DisplayRefresh() {
  const int16_t number = vars_.currentChannel;
  if (!ButtonNumbered(number)) return;  // no channel drawn yet
  if (number == 8) UserLabel("True");
  ShowChannel(number);
}

}  // namespace zelk::form
