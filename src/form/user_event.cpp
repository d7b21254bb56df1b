#include "form/user_event.h"

#include <charconv>
#include <utility>

#include "form/key_codes.h"
#include "text/number_text.h"

namespace zelk::form {
namespace {

// The keys held with a key or a click as the end of its line.
std::string HeldText(int held) {
  if (held & key::kCtrlHeld) return " ctrl";
  if (held & key::kShiftHeld) return " shift";
  return {};
}

// Takes a last word naming a held key off `text`.
int TakeHeld(std::string_view& text) {
  const size_t blank = text.rfind(' ');
  if (blank == std::string_view::npos) return 0;
  const std::string_view word = text.substr(blank + 1);
  const int held = word == "ctrl" ? key::kCtrlHeld : word == "shift" ? key::kShiftHeld : 0;
  if (held) text = text.substr(0, blank);
  return held;
}

// A whole text as a decimal integer: no blanks, no sign but a minus.
std::optional<int> ReadInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Splits "NAME REST" at the first blank.
std::pair<std::string_view, std::string_view> SplitFirst(std::string_view text) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

}  // namespace

std::string UserEvent::ToLine() const {
  switch (kind) {
    case Kind::Click:
      return "click " + key;
    case Kind::Select:
      return "select " + key + ' ' + std::to_string(number);
    case Kind::Type:
      return "type " + key + ' ' + text;
    case Kind::Scroll:
      return "scroll " + key + ' ' + std::to_string(number);
    case Kind::Key:
      return "key " + std::to_string(number) + HeldText(held);
    case Kind::ClickAt:
      return "clickat " + text::Plain(x) + ' ' + text::Plain(y) + HeldText(held);
    case Kind::Drag:
      return "drag " + text::Plain(x) + ' ' + text::Plain(x2);
    case Kind::Wheel:
      return "wheel " + text::Plain(x) + ' ' + std::to_string(number);
    case Kind::Pan:
      return "pan " + std::to_string(number);
    case Kind::Open:
      return "open " + text;
    case Kind::Strips:
      return text.empty() ? "strips" : "strips " + text;
    case Kind::StripClick:
      return "stripclick " + std::to_string(number) + ' ' + text::Plain(x) + HeldText(held);
    case Kind::Compare:
      return text.empty() ? "compare" : "compare " + text;
    case Kind::Offset:
      return "offset " + text;
    case Kind::Align:
      return "align";
  }
  return {};
}

std::optional<UserEvent> ParseUserEvent(std::string_view line) {
  auto [command, rest] = SplitFirst(line);
  if (command == "compare") return UserEvent::Compare(std::string(rest));
  if (command == "offset") return UserEvent::Offset(std::string(rest));
  if (command == "align") {
    if (!rest.empty()) return std::nullopt;
    return UserEvent::Align();
  }
  const int held =
      command == "key" || command == "clickat" || command == "stripclick" ? TakeHeld(rest) : 0;
  if (command == "click") return UserEvent::Click(std::string(rest));
  if (command == "open") {
    if (rest.empty()) return std::nullopt;
    return UserEvent::Open(std::string(rest));
  }
  if (command == "strips") return UserEvent::Strips(std::string(rest));
  if (command == "key" || command == "pan") {
    const std::optional<int> number = ReadInt(rest);
    if (!number) return std::nullopt;
    return command == "key" ? UserEvent::Key(*number, held) : UserEvent::Pan(*number);
  }
  const auto [name, argument] = SplitFirst(rest);
  if (command == "type") return UserEvent::Type(std::string(name), std::string(argument));
  if (command == "select" || command == "scroll") {
    const std::optional<int> number = ReadInt(argument);
    if (!number) return std::nullopt;
    return command == "select" ? UserEvent::Select(std::string(name), *number)
                               : UserEvent::Scroll(std::string(name), *number);
  }
  if (command == "clickat" || command == "drag") {
    const std::optional<double> x = text::ReadDecimal(name), y = text::ReadDecimal(argument);
    if (!x || !y || argument.empty()) return std::nullopt;
    return command == "drag" ? UserEvent::Drag(*x, *y) : UserEvent::ClickAt(*x, *y, held);
  }
  if (command == "stripclick") {
    const std::optional<int> strip = ReadInt(name);
    const std::optional<double> fraction = text::ReadDecimal(argument);
    if (!strip || !fraction || argument.empty()) return std::nullopt;
    return UserEvent::StripClick(*strip, *fraction, held);
  }
  if (command == "wheel") {
    const std::optional<double> x = text::ReadDecimal(name);
    const std::optional<int> steps = ReadInt(argument);
    if (!x || !steps || name.empty()) return std::nullopt;
    return UserEvent::Wheel(*x, *steps);
  }
  return std::nullopt;
}

}  // namespace zelk::form
