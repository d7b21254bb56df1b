#include "script.h"

#include <charconv>

#include "dump.h"
#include "text/number_text.h"

namespace zelk::driver {
namespace {

bool ParseInt(std::string_view text, int& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Splits "NAME REST" at the first blank.
std::pair<std::string, std::string> SplitFirst(const std::string& text) {
  const size_t blank = text.find(' ');
  if (blank == std::string::npos) return {text, ""};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

}  // namespace

void ScriptRunner::Collect() {
  for (form::Message& m : page_.TakeMessages()) messages_.push_back(std::move(m));
  for (std::string& s : page_.TakeStarted()) started_.push_back(std::move(s));
  // Without a window there is no file to ask for: a save asked for is dropped.
  page_.TakeSaveRequest();
}

bool ScriptRunner::Execute(const std::string& command, const std::string& rest) {
  if (command == "dump") {
    out_ << Dump(page_, canvas_, messages_, started_) << '\n';
    out_.flush();
    messages_.clear();
    started_.clear();
    return true;
  }
  if (command == "open") {
    if (rest.empty()) return false;
    page_.OpenPath(rest);
    return true;
  }
  // A click on a control that takes none (a lamp, a label) does nothing.
  if (command == "click") return page_.Click(rest) || page_.controls().Find(rest);
  if (command == "key") {
    int code = 0;
    if (!ParseInt(rest, code)) return false;
    page_.Form_KeyUp(code);
    return true;
  }
  const auto [name, argument] = SplitFirst(rest);
  int number = 0;
  if (command == "select") {
    if (!ParseInt(argument, number)) return false;
    // The browser's lists: a drive or folder is entered, a file is opened.
    using Pick = void (form::UserPage::*)(int);
    static const std::pair<std::string_view, Pick> kBrowser[] = {
        {"Drive1", &form::UserPage::PickDrive},
        {"Dir1", &form::UserPage::PickFolder},
        {"File1", &form::UserPage::PickFile},
    };
    for (const auto& [list, pick] : kBrowser) {
      if (list != name) continue;
      if (number < 0 || number >= static_cast<int>(page_.controls()(list).state.items.size())) {
        return false;
      }
      (page_.*pick)(number);
      return true;
    }
    return page_.Select(name, number);
  }
  if (command == "scroll") return ParseInt(argument, number) && page_.Scroll(name, number);
  if (command == "type") return page_.Type(name, argument);
  if (command == "clickat") {
    // A left click on the canvas at X Y twips.
    const auto [xText, yText] = SplitFirst(rest);
    const auto x = text::ReadDecimal(xText), y = text::ReadDecimal(yText);
    if (!x || !y || yText.empty()) return false;
    page_.Picture1_MouseDown(1, *x, *y);
    return true;
  }
  return false;
}

int ScriptRunner::Run(std::istream& script) {
  std::string line;
  long number = 0;
  while (std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto [command, rest] = SplitFirst(line);
    if (!Execute(command, rest)) {
      err_ << "zelkscope-driver: line " << number << ": cannot run \"" << line << "\"\n";
      return 2;
    }
    Collect();
    if (page_.exitRequested()) return 0;
  }
  return 0;
}

}  // namespace zelk::driver
