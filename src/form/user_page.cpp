#include "form/user_page.h"

#include <algorithm>
#include <utility>

#include "channels/combined.h"
#include "chart/plot.h"
#include "form/channel_buttons.h"
#include "form/key_codes.h"
#include "form/user_event.h"

namespace zelk::form {
namespace {

using namespace key;
constexpr int kLeftButton = 1;

}  // namespace

UserPage::UserPage(chart::Canvas& canvas, std::string programDir)
    : canvas_(canvas),
      selectors_(controls_, session_),
      graph_(controls_, session_, canvas, focus_, selectors_),
      marker_(controls_, session_, canvas, focus_, selectors_, graph_),
      window_(controls_, session_),
      lamps_(controls_, session_, marker_),
      browser_(controls_, session_, selectors_, messages_, std::move(programDir)),
      saving_(session_, graph_, messages_),
      values_(controls_, session_),
      commands_(controls_, session_, messages_),
      comparing_(controls_, session_, focus_, messages_),
      channelsView_(session_),
      lastStrips_(channels::DefaultStrips()) {
  session_.Listen([this](unsigned changes) { Refresh(changes); });
}

void UserPage::Form_Load() {
  browser_.Start();
  window_.Start();
  session_.SetStep(int16_t{10});
}

void UserPage::Restart() {
  controls_ = Controls();
  session_.Restart();
  graph_.Restart();
  channelsView_.Show({});
  Form_Load();
}

// A new log's panels first, then the window's, then the graph drawn afresh
// with the marker reading it, or the marker alone where only it moved.
void UserPage::Refresh(unsigned changes) {
  using namespace session;
  if (changes & kLogChanged) {
    marker_.LogOpened();
    selectors_.ShowLog();
    window_.ShowDetails();
    lamps_.Show();
    controls_(ctl::SaveGraphMenu).state.enabled = true;
    controls_(ctl::ExportDataMenu).state.enabled = true;
  }
  if (changes & kWindowChanged) window_.Show();
  if (changes & (kLogChanged | kComparisonChanged)) comparing_.Show();
  if (changes &
      (kLogChanged | kWindowChanged | kChannelChanged | kByteChanged | kComparisonChanged)) {
    if (graph_.Show()) marker_.Follow();
  } else if (changes & kMarkerChanged) {
    marker_.Show();
  }
  if (changes & kPageTurned) marker_.PageTurned();
  channelsView_.Refresh(changes);
}

bool UserPage::ShowStrips(std::string_view names) {
  std::vector<channels::ChannelId> ids;
  while (!names.empty()) {
    const size_t blank = names.find(' ');
    const std::string_view name = names.substr(0, blank);
    names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
    if (name.empty()) continue;
    const ChannelButton* button = ButtonCaptioned(name);
    if (!button) return false;
    if (std::find(ids.begin(), ids.end(), button->id) == ids.end()) ids.push_back(button->id);
  }
  ShowStrips(std::move(ids));
  return true;
}

void UserPage::ShowStrips(std::vector<channels::ChannelId> channels) {
  if (!channels.empty()) lastStrips_ = channels;
  channelsView_.Show(std::move(channels));
  controls_(ctl::ChannelsMenu).state.checked = channelsView_.shown();
}

void UserPage::ChannelsMenu_Click() {
  ShowStrips(channelsView_.shown() ? std::vector<channels::ChannelId>() : lastStrips_);
}

// A click in a strip marks the window's nearest sample, as a click on the
// graph does.
bool UserPage::ClickStrip(int strip, double fraction, int held) {
  if (strip < 0 || strip >= static_cast<int>(channelsView_.channels().size())) return false;
  // With Shift, the second log's marker, at the place on the graph that
  // shares the strips' time axis.
  if ((held & kShiftHeld) &&
      comparing_.MarkSecondAt(chart::kAxisX + fraction * chart::kWindowWidth)) {
    return true;
  }
  if (const auto offset = channelsView_.OffsetAt(fraction)) {
    marker_.MarkSample(session_.window().yStart + *offset);
  }
  return true;
}

bool UserPage::ClickButton(std::string_view key) {
  if (const ChannelButton* button = ButtonNamed(key)) {
    if (controls_.Named(key).state.visible) graph_.ButtonClick(button->id);
    return true;
  }
  if (const Control* lamp = controls_.Find(key); lamp && lamp->spec.name == ctl::FaultRed.name) {
    if (lamp->state.visible) lamps_.FaultRed_Click(lamp->spec.index);
    return true;
  }
  return false;
}

bool UserPage::Click(std::string_view key) {
  using Handler = void (*)(UserPage&);
  static const std::pair<ControlName, Handler> kClicks[] = {
      {ctl::NextImage, [](UserPage& p) { p.window_.NextImage_Click(); }},
      {ctl::PreviousImage, [](UserPage& p) { p.window_.PreviousImage_Click(); }},
      {ctl::PictureAbout, [](UserPage& p) { p.commands_.PictureAbout_Click(); }},
      {ctl::ShellButton, [](UserPage& p) { p.commands_.ShellButton_Click(); }},
      {ctl::OpenMenu, [](UserPage& p) { p.browser_.OpenMenu_Click(); }},
      {ctl::CompareMenu, [](UserPage& p) { p.browser_.CompareMenu_Click(); }},
      {ctl::OffsetMenu, [](UserPage& p) { p.comparing_.OffsetMenu_Click(); }},
      {ctl::AlignMenu, [](UserPage& p) { p.comparing_.AlignMenu_Click(); }},
      {ctl::CloseComparisonMenu, [](UserPage& p) { p.comparing_.CloseComparisonMenu_Click(); }},
      {ctl::SaveGraphMenu, [](UserPage& p) { p.saving_.SaveGraphMenu_Click(); }},
      {ctl::ExportDataMenu, [](UserPage& p) { p.saving_.ExportDataMenu_Click(); }},
      {ctl::OptionsMenu, [](UserPage& p) { p.commands_.OptionsMenu_Click(); }},
      {ctl::ExitMenu, [](UserPage& p) { p.commands_.ExitMenu_Click(); }},
      {ctl::AboutMenu, [](UserPage& p) { p.commands_.AboutMenu_Click(); }},
      {ctl::Version, [](UserPage& p) { p.commands_.Version_Click(); }},
      {ctl::ValuesMenu, [](UserPage& p) { p.values_.ValuesMenu_Click(); }},
      {ctl::ChannelsMenu, [](UserPage& p) { p.ChannelsMenu_Click(); }},
  };
  if (ClickButton(key)) return true;
  for (const auto& [name, handler] : kClicks) {
    if (name.name != key) continue;
    const ControlState& state = controls_(name).state;
    if (state.visible && state.enabled) handler(*this);
    return true;
  }
  return false;
}

bool UserPage::Select(std::string_view key, int index) {
  // The browser's lists: a drive or folder is entered, a file is opened.
  using Pick = void (*)(UserPage&, int);
  static const std::pair<ControlName, Pick> kBrowser[] = {
      {ctl::Drive1, [](UserPage& p, int i) { p.browser_.PickDrive(i); }},
      {ctl::Dir1, [](UserPage& p, int i) { p.browser_.PickFolder(i); }},
      {ctl::File1, [](UserPage& p, int i) { p.browser_.PickFile(i); }},
  };
  for (const auto& [name, pick] : kBrowser) {
    if (name.name != key) continue;
    if (index < 0 || index >= static_cast<int>(controls_(name).state.items.size())) return false;
    pick(*this, index);
    return true;
  }
  using Handler = void (*)(UserPage&);
  static const std::pair<ControlName, Handler> kLists[] = {
      {ctl::YAxis, [](UserPage& p) { p.window_.YAxis_Click(); }},
      {ctl::FileTypes, [](UserPage& p) { p.browser_.FileTypes_Click(); }},
      {ctl::UserPageSelect, [](UserPage& p) { p.selectors_.UserPageSelect_Click(); }},
      {ctl::UserByteSelect, [](UserPage& p) { p.selectors_.UserByteSelect_Click(); }},
  };
  for (const auto& [name, handler] : kLists) {
    if (name.name != key) continue;
    Control& list = controls_(name);
    // -1 stands for no entry chosen, as when text is typed into the list.
    if (index < -1 || index >= static_cast<int>(list.state.items.size())) return false;
    if (!list.state.visible) return true;
    list.state.index = index;
    handler(*this);
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
      Form_KeyUp(event.number, event.held);
      return true;
    case UserEvent::Kind::ClickAt:
      Picture1_MouseDown(kLeftButton, event.x, event.y, event.held);
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
    case UserEvent::Kind::Strips:
      return ShowStrips(event.text);
    case UserEvent::Kind::StripClick:
      return ClickStrip(event.number, event.x, event.held);
    case UserEvent::Kind::Compare:
      if (event.text.empty()) {
        comparing_.CloseComparisonMenu_Click();
      } else {
        ComparePath(event.text);
      }
      return true;
    case UserEvent::Kind::Offset:
      comparing_.TypeOffset(event.text);
      return true;
    case UserEvent::Kind::Align:
      comparing_.AlignMenu_Click();
      return true;
  }
  return false;
}

bool UserPage::Type(std::string_view key, std::string text) {
  Control* box = controls_.Find(key);
  if (!box || box->spec.kind != Kind::TextBox) return false;
  if (!box->state.visible) return true;
  if (box->spec.name == ctl::MarkerStepValueText.name) {
    marker_.TypeStep(std::move(text));
  } else {
    box->state.caption = std::move(text);
  }
  focus_.BeginTyping();
  return true;
}

bool UserPage::Scroll(std::string_view key, int value) {
  Control* bar = controls_.Find(key);
  if (!bar || bar->spec.kind != Kind::ScrollBar) return false;
  if (value < bar->spec.scrollMin || value > bar->spec.scrollMax) return false;
  if (!bar->state.visible || bar->state.value == value) return true;
  bar->state.value = value;
  if (bar->spec.name == ctl::MarkerStepScroll.name) marker_.MarkerStepScroll_Change();
  return true;
}

void UserPage::Picture1_MouseDown(int button, double x, double /*y*/, int held) {
  if (button != kLeftButton) return;
  if ((held & kShiftHeld) && comparing_.MarkSecondAt(x)) return;
  marker_.Click(x);
}

void UserPage::Form_KeyUp(int keyCode, int held) {
  if (keyCode == kLeftArrow || keyCode == kRightArrow) {
    const int direction = keyCode == kRightArrow ? +1 : -1;
    // Without a second log, an arrow moves the marker whatever is held.
    if ((held & kCtrlHeld) && comparing_.MoveOffset(direction)) return;
    if ((held & kShiftHeld) && comparing_.StepSecondMarker(direction)) return;
    marker_.Arrow(direction);
    return;
  }
  // Any other key draws the value axis again over the marker's strip.
  if (!UsualKey(keyCode)) chart::DrawValueAxis(canvas_);
}

// Escape closes the About picture, or the browser over a loaded log;
// Backspace goes back to the window before the last zoom; Page Up and Page
// Down page as the arrows do; Home and End mark the window's first and last
// sample. While the browser is open its lists keep the keys that move in
// them, and the step box being typed in keeps those that edit it.
bool UserPage::UsualKey(int keyCode) {
  const bool browsing = controls_(ctl::Background).state.visible;
  switch (keyCode) {
    case kEscape:
      if (controls_(ctl::PictureAbout).state.visible) {
        commands_.PictureAbout_Click();
      } else if (browsing && session_.file().everLoaded) {
        controls_(ctl::Background).state.visible = false;
        focus_.Set(ctl::DummyText);
      } else {
        return false;
      }
      return true;
    case kBackspace:
      if (focus_.typing() || !session_.zoomed()) return false;
      session_.Back();
      return true;
    case kEnter:
      // Enter ends typing in the step box, which then shows the step in use.
      if (!focus_.typing()) return false;
      focus_.Set(ctl::DummyText);
      return true;
    case kPageUp:
    case kPageDown: {
      const int direction = keyCode == kPageDown ? 1 : -1;
      if (browsing || !controls_(direction > 0 ? ctl::NextImage : ctl::PreviousImage).state.visible)
        return false;
      session_.Page(direction);
      return true;
    }
    case kHome:
    case kEnd:
      return !browsing && !focus_.typing() && marker_.MarkEnd(keyCode == kEnd);
    default:
      return false;
  }
}

}  // namespace zelk::form
