// The marker: a red strip moved over the graph with the arrow keys, reading
// off one sample, and the step it moves by.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "channels/channels.h"
#include "chart/plot.h"
#include "form/key_codes.h"
#include "form/user_page.h"

namespace zelk::form {
namespace {

using namespace key;
constexpr int kLeftButton = 1;

constexpr ControlName kMarkerPanel[] = {
    ctl::MarkerStepValueText, ctl::MarkerStepValueLabel, ctl::MarkerStepScroll,
    ctl::DataPointLabel,      ctl::DataPointText,        ctl::MarkerValueText,
    ctl::MarkerValueLabel,    ctl::MarkerTimeLabel,      ctl::MarkerTimeText,
    ctl::MarkerLogTimeText};

}  // namespace

double UserPage::MarkerStepValue() const {
  if (const auto* number = std::get_if<int16_t>(&vars_.marker.step)) return *number;
  return text::ReadDecimal(std::get<std::string>(vars_.marker.step)).value_or(0);
}

void UserPage::SetMarkerLabels(bool shown) {
  for (const ControlName name : kMarkerPanel) controls_(name).state.visible = shown;
  controls_(ctl::MarkerInstructions).state.visible = !shown;
  // Only a column log records its own time on each row.
  if (store::KindOf(log_.format).frames) controls_(ctl::MarkerLogTimeText).state.visible = false;
}

void UserPage::Form_KeyUp(int keyCode) {
  if (keyCode != kLeftArrow && keyCode != kRightArrow) {
    if (!UsualKey(keyCode)) chart::DrawValueAxis(canvas_);
    return;
  }
  BeginMarkerMove();
  const double step = MarkerStepValue();
  vars_.marker.pos += keyCode == kRightArrow ? step : -step;
  if (vars_.marker.pos < 0) {
    vars_.marker.pos = 0;
    SetMarkerLabels(false);
    return;
  }
  // A step past the window's end, or the log's, stops on its last sample.
  const long last = vars_.window.MarkerLast();
  if (last < 0) {
    vars_.marker.pos = 0;
    return;
  }
  if (vars_.marker.pos > last) vars_.marker.pos = static_cast<double>(last);
  MarkSample();
}

// The keys every window knows: Escape closes the About picture, or the
// browser over a loaded log; Backspace goes back to the window before the
// last zoom; Page Up and Page Down page as the arrows do; Home and End mark
// the window's first and last sample. While the browser is open its lists
// keep the keys that move in them, and the step box being typed in keeps
// those that edit it. True when the key did something.
bool UserPage::UsualKey(int keyCode) {
  const bool browsing = controls_(ctl::Background).state.visible;
  switch (keyCode) {
    case kEscape:
      if (controls_(ctl::PictureAbout).state.visible) {
        PictureAbout_Click();
      } else if (browsing && vars_.file.everLoaded) {
        controls_(ctl::Background).state.visible = false;
        SetFocus(ctl::DummyText);
      } else {
        return false;
      }
      return true;
    case kBackspace:
      if (typing_ || vars_.zoomBack.empty()) return false;
      ZoomBack();
      return true;
    case kEnter:
      // Enter ends typing in the step box, which then shows the step in use.
      if (!typing_) return false;
      SetFocus(ctl::DummyText);
      return true;
    case kPageUp:
    case kPageDown: {
      const int direction = keyCode == kPageDown ? 1 : -1;
      if (browsing || !controls_(direction > 0 ? ctl::NextImage : ctl::PreviousImage).state.visible)
        return false;
      MovePage(direction);
      return true;
    }
    case kHome:
    case kEnd:
      return !browsing && !typing_ && MarkWindowEnd(keyCode == kEnd);
    default:
      return false;
  }
}

// Marks the window's first or last sample.
bool UserPage::MarkWindowEnd(bool last) {
  const long markerLast = vars_.window.MarkerLast();
  if (markerLast < 0) return false;
  BeginMarkerMove();
  vars_.marker.pos = last ? static_cast<double>(markerLast) : 0;
  MarkSample();
  return true;
}

void UserPage::Picture1_MouseDown(int button, double x, double /*y*/) {
  if (button != kLeftButton) return;
  const auto offset = vars_.window.OffsetAt(x);
  if (!offset) return;
  BeginMarkerMove();
  vars_.marker.pos = static_cast<double>(*offset);
  MarkSample();
}

// What every marker move does first: the step box shows the step in use
// again (a step typed that is no number was never taken, so the box returns
// to the last good step) and the keyboard goes back to the graph.
void UserPage::BeginMarkerMove() {
  ShowStepInUse();
  SetFocus(ctl::DummyText);
}

void UserPage::ShowStepInUse() {
  const auto* number = std::get_if<int16_t>(&vars_.marker.step);
  SetText(ctl::MarkerStepValueText,
          number ? text::Plain(*number) : std::get<std::string>(vars_.marker.step));
}

// Reads off the sample at the marker inside the window and draws the
// channel's series again over the place the strip disturbed.
void UserPage::MarkSample() {
  const channels::ChannelRow* channel = ReadMarker();
  if (!channel) return;
  channels::RedrawAtMarker(*channel, log_, channel_.tables(), vars_.window, vars_.graph, canvas_);
}

// Puts the strip at the marker's offset and the panel on the sample there:
// its number, the channel's value and, for a byte of flags, its bits.
const channels::ChannelRow* UserPage::ReadMarker() {
  SetMarkerLabels(true);
  const long i = MarkedSample();
  ShowMarkedSample(i);
  controls_(ctl::Overlay).state.left =
      static_cast<float>(chart::kAxisX + vars_.window.xStep.ToDouble() * vars_.marker.pos);
  const channels::ChannelRow* channel = channels::ChannelOf(vars_.graph.channel);
  if (!channel) return nullptr;
  controls_(ctl::MarkerValueText).state.caption =
      channels::MarkerText(*channel, log_, channel_.tables(), i);
  if (channel->byteChannel && controls_(ctl::BitSurround).state.visible) {
    DoBits(channel_.tables().data[i]);
  }
  return channel;
}

long UserPage::MarkedSample() const {
  return vars_.window.yStart + static_cast<long>(vars_.marker.pos);
}

// The time is the data table's, from the log's start; a column log's row
// also gives the time it recorded.
void UserPage::ShowMarkedSample(long i) {
  controls_(ctl::DataPointText).state.caption = text::Plain(i);
  controls_(ctl::MarkerTimeText).state.caption =
      text::ClockText(store::MinutesOf(i, vars_.file.samplesPerMinute));
  const std::string_view logged = log_.RowTime(i);
  controls_(ctl::MarkerLogTimeText).state.caption =
      logged.empty() ? std::string() : "Logged " + std::string(logged);
}

// After the graph is drawn afresh the panel reads the new graph at the
// marker; a marker left where the window or the log holds no sample goes
// back to its start, with the instructions in place of the panel.
void UserPage::FollowMarker() {
  if (!controls_(ctl::DataPointText).state.visible) return;  // not in use
  if (vars_.marker.pos >= 0 && vars_.marker.pos <= vars_.window.MarkerLast()) {
    ReadMarker();
    return;
  }
  vars_.marker.pos = 0;
  SetMarkerLabels(false);
  controls_(ctl::Overlay).state.left = chart::kMarkerParked;
}

void UserPage::MarkerStepValueText_Change() {
  // Only a whole number of samples from 1 to kLargestStep is a step:
  // anything else (no number, 0, a fraction, a negative step that would turn
  // the arrow keys round, a step longer than any log) is not taken, and the
  // step in use before the typing began stays in use, also where the text on
  // the way to it was a step ("2" of "2.5").
  std::string typed = controls_(ctl::MarkerStepValueText).state.caption;
  const auto step = text::ReadDecimal(typed);
  if (!step || *step < 1 || *step > kLargestStep || *step != static_cast<int>(*step)) {
    if (stepBeforeTyping_) vars_.marker.step = *stepBeforeTyping_;
    return;
  }
  vars_.marker.step = std::move(typed);
  // The scroll bar's thumb follows a step it can show, without changing
  // the step again, so that the bar's next move goes on from there.
  Control& bar = controls_(ctl::MarkerStepScroll);
  if (*step >= bar.spec.scrollMin && *step <= bar.spec.scrollMax) {
    bar.state.value = static_cast<int>(*step);
  }
}

void UserPage::MarkerStepScroll_Change() {
  const int16_t step = static_cast<int16_t>(controls_(ctl::MarkerStepScroll).state.value);
  vars_.marker.step = step;
  SetText(ctl::MarkerStepValueText, text::BlankSigned(step));
  SetFocus(ctl::DummyText);
}

}  // namespace zelk::form
