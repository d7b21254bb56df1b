#include "form/user_page.h"

#include <utility>

#include "form/channel_buttons.h"
#include "form/user_event.h"

namespace zelk::form {

UserPage::UserPage(chart::Canvas& canvas, std::string programDir)
    : canvas_(canvas), programDir_(std::move(programDir)) {}

std::vector<Message> UserPage::TakeMessages() { return std::exchange(messages_, {}); }
std::vector<std::string> UserPage::TakeStarted() { return std::exchange(started_, {}); }

void UserPage::ShowMessage(std::string text) {
  messages_.push_back({kProgramTitle, std::move(text)});
}

bool UserPage::Click(std::string_view key) {
  using Handler = void (UserPage::*)();
  static const std::pair<ControlName, Handler> kClicks[] = {
      {ctl::NextImage, &UserPage::NextImage_Click},
      {ctl::PreviousImage, &UserPage::PreviousImage_Click},
      {ctl::PictureAbout, &UserPage::PictureAbout_Click},
      {ctl::ShellButton, &UserPage::ShellButton_Click},
      {ctl::OpenMenu, &UserPage::OpenMenu_Click},
      {ctl::SaveGraphMenu, &UserPage::SaveGraphMenu_Click},
      {ctl::ExportDataMenu, &UserPage::ExportDataMenu_Click},
      {ctl::OptionsMenu, &UserPage::OptionsMenu_Click},
      {ctl::ExitMenu, &UserPage::ExitMenu_Click},
      {ctl::AboutMenu, &UserPage::AboutMenu_Click},
      {ctl::Version, &UserPage::Version_Click},
      {ctl::ValuesMenu, &UserPage::ValuesMenu_Click},
  };
  if (const ChannelButton* button = ButtonNamed(key)) {
    const channels::ChannelRow* channel = channels::ChannelOf(button->id);
    if (channel && controls_.Named(key).state.visible) ShowChannel(*channel);
    return true;
  }
  if (const Control* lamp = controls_.Find(key); lamp && lamp->spec.name == ctl::FaultRed.name) {
    if (lamp->state.visible) FaultRed_Click(lamp->spec.index);
    return true;
  }
  for (const auto& [name, handler] : kClicks) {
    if (name.name != key) continue;
    const ControlState& state = controls_(name).state;
    if (state.visible && state.enabled) (this->*handler)();
    return true;
  }
  return false;
}

bool UserPage::Select(std::string_view key, int index) {
  // The browser's lists: a drive or folder is entered, a file is opened.
  using Pick = void (UserPage::*)(int);
  static const std::pair<ControlName, Pick> kBrowser[] = {
      {ctl::Drive1, &UserPage::PickDrive},
      {ctl::Dir1, &UserPage::PickFolder},
      {ctl::File1, &UserPage::PickFile},
  };
  for (const auto& [name, pick] : kBrowser) {
    if (name.name != key) continue;
    if (index < 0 || index >= static_cast<int>(controls_(name).state.items.size())) return false;
    (this->*pick)(index);
    return true;
  }
  using Handler = void (UserPage::*)();
  static const std::pair<ControlName, Handler> kLists[] = {
      {ctl::YAxis, &UserPage::YAxis_Click},
      {ctl::UserPageSelect, &UserPage::UserPageSelect_Click},
      {ctl::UserByteSelect, &UserPage::UserByteSelect_Click},
  };
  for (const auto& [name, handler] : kLists) {
    if (name.name != key) continue;
    Control& list = controls_(name);
    // -1 stands for no entry chosen, as when text is typed into the list.
    if (index < -1 || index >= static_cast<int>(list.state.items.size())) return false;
    if (!list.state.visible) return true;
    list.state.index = index;
    (this->*handler)();
    return true;
  }
  return false;
}

bool UserPage::Apply(const UserEvent& event) {
  switch (event.kind) {
    case UserEvent::Kind::Click:
      // A control that takes no click (a lamp, a label) ignores it.
      return Click(event.key) || controls_.Find(event.key);
    case UserEvent::Kind::Select:
      return Select(event.key, event.number);
    case UserEvent::Kind::Type:
      return Type(event.key, event.text);
    case UserEvent::Kind::Scroll:
      return Scroll(event.key, event.number);
    case UserEvent::Kind::Key:
      Form_KeyUp(event.number);
      return true;
    case UserEvent::Kind::ClickAt:
      Picture1_MouseDown(1, event.x, event.y);
      return true;
    case UserEvent::Kind::Drag:
      Picture1_Drag(event.x, event.x2);
      return true;
    case UserEvent::Kind::Wheel:
      Picture1_Wheel(event.x, event.number);
      return true;
    case UserEvent::Kind::Pan:
      Picture1_Pan(event.number);
      return true;
    case UserEvent::Kind::Open:
      OpenPath(event.text);
      return true;
  }
  return false;
}

bool UserPage::Type(std::string_view key, std::string text) {
  Control* box = controls_.Find(key);
  if (!box || box->spec.kind != Kind::TextBox) return false;
  if (!box->state.visible) return true;
  if (box->spec.name == ctl::MarkerStepValueText.name && !stepBeforeTyping_) {
    stepBeforeTyping_ = vars_.marker.step;
  }
  SetText(*box, std::move(text));
  typing_ = true;
  return true;
}

void UserPage::SetFocus(ControlName control) {
  focus_ = focusRequest_ = control.name;
  if (!typing_) return;
  typing_ = false;
  stepBeforeTyping_.reset();
  ShowStepInUse();
}

void UserPage::SetText(ControlName box, std::string text) {
  SetText(controls_(box), std::move(text));
}

void UserPage::SetText(Control& box, std::string text) {
  if (box.state.caption == text) return;
  box.state.caption = std::move(text);
  if (box.spec.name == ctl::MarkerStepValueText.name) MarkerStepValueText_Change();
}

bool UserPage::Scroll(std::string_view key, int value) {
  Control* bar = controls_.Find(key);
  if (!bar || bar->spec.kind != Kind::ScrollBar) return false;
  if (value < bar->spec.scrollMin || value > bar->spec.scrollMax) return false;
  if (!bar->state.visible || bar->state.value == value) return true;
  bar->state.value = value;
  if (bar->spec.name == ctl::MarkerStepScroll.name) MarkerStepScroll_Change();
  return true;
}

}  // namespace zelk::form
