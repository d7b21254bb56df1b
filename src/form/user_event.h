// One action of the user on the window, and its line in the driver's script:
// "click RPMButton", "select YAxis 2", "type MarkerStepValueText 5",
// "scroll MarkerStepScroll 3", "key 39", "clickat 1500 900", "drag 1500 6000",
// "wheel 5000 -1", "pan 2", "open PATH", "compare PATH", "offset 12.4", "align".
// A key or a click on the graph with Shift or Ctrl held ends in "shift" or
// "ctrl": "key 39 ctrl", "clickat 1500 900 shift".
// The window builds one for each event it passes on, the driver reads one
// from each line of a script, and UserPage::Apply runs it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zelk::form {

struct UserEvent {
  enum class Kind {
    Click,
    Select,
    Type,
    Scroll,
    Key,
    ClickAt,
    Drag,
    Wheel,
    Pan,
    Open,
    Strips,
    StripClick,
    Compare,
    Offset,
    Align
  };

  // A click on a control; the pick of entry `index` of a list (-1 for none,
  // as when text is typed into a combo box); a text box's whole new text; a
  // scroll bar moved to `value`; a key released; a left click on the graph
  // at (x, y) twips; a drag across the graph with the left button from x to
  // x2 twips; `number` wheel notches at x twips (up is positive); a pan by
  // `number` tenths of the window (Shift with the wheel); a log picked by its path (also a file
  // dropped on the window).
  static UserEvent Click(std::string key) { return {.kind = Kind::Click, .key = std::move(key)}; }
  static UserEvent Select(std::string key, int index) {
    return {.kind = Kind::Select, .key = std::move(key), .number = index};
  }
  static UserEvent Type(std::string key, std::string text) {
    return {.kind = Kind::Type, .key = std::move(key), .text = std::move(text)};
  }
  static UserEvent Scroll(std::string key, int value) {
    return {.kind = Kind::Scroll, .key = std::move(key), .number = value};
  }
  // `held` is the set of keys held with it (key::kShiftHeld, key::kCtrlHeld).
  static UserEvent Key(int code, int held = 0) {
    return {.kind = Kind::Key, .number = code, .held = held};
  }
  static UserEvent ClickAt(double x, double y, int held = 0) {
    return {.kind = Kind::ClickAt, .x = x, .y = y, .held = held};
  }
  static UserEvent Drag(double x1, double x2) { return {.kind = Kind::Drag, .x = x1, .x2 = x2}; }
  static UserEvent Wheel(double x, int steps) {
    return {.kind = Kind::Wheel, .number = steps, .x = x};
  }
  static UserEvent Pan(int steps) { return {.kind = Kind::Pan, .number = steps}; }
  static UserEvent Open(std::string path) { return {.kind = Kind::Open, .text = std::move(path)}; }
  // The Channels window shows the strips named (as on the channel buttons,
  // blank-separated), or closes for none; a left click on strip `strip` (0
  // the top one) at `fraction` of its width.
  static UserEvent Strips(std::string names) {
    return {.kind = Kind::Strips, .text = std::move(names)};
  }
  static UserEvent StripClick(int strip, double fraction, int held = 0) {
    return {.kind = Kind::StripClick, .number = strip, .x = fraction, .held = held};
  }
  // A second log over the loaded one, picked by its path (a recent file, a
  // file dropped with Ctrl held), or no path to close the comparison; the
  // offset typed for it in seconds; its lining up at the two markers.
  static UserEvent Compare(std::string path) {
    return {.kind = Kind::Compare, .text = std::move(path)};
  }
  static UserEvent Offset(std::string seconds) {
    return {.kind = Kind::Offset, .text = std::move(seconds)};
  }
  static UserEvent Align() { return {.kind = Kind::Align}; }

  // The event as a line of the driver's script.
  std::string ToLine() const;

  bool operator==(const UserEvent&) const = default;

  Kind kind = Kind::Click;
  std::string key{};    // the control, for a click, select, type or scroll
  std::string text{};   // the typed text, or the path opened
  int number = 0;       // the list entry, scroll bar's value, key code or wheel steps
  double x = 0, y = 0;  // where the graph was clicked, dragged from or wheeled
  double x2 = 0;        // where a drag ended
  int held = 0;         // the keys held with a key or a click (key::kShiftHeld, kCtrlHeld)
};

// The event a line of the driver's script stands for; nothing for a line
// that is none (an unknown command, a number that does not read, an open
// without a path). Whether the control exists is for UserPage::Apply to say.
std::optional<UserEvent> ParseUserEvent(std::string_view line);

}  // namespace zelk::form
