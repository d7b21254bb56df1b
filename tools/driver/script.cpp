#include "script.h"

#include <optional>

#include "dump.h"
#include "form/user_event.h"

namespace zelk::driver {

void ScriptRunner::Collect() {
  for (form::Message& m : page_.TakeMessages()) messages_.push_back(std::move(m));
  for (std::string& s : page_.TakeStarted()) started_.push_back(std::move(s));
  // Without a window there is no file to ask for: a save asked for is dropped.
  page_.TakeSaveRequest();
}

bool ScriptRunner::Execute(const std::string& line) {
  if (line.substr(0, line.find(' ')) == "dump") {
    out_ << Dump(page_, canvas_, messages_, started_) << '\n';
    out_.flush();
    messages_.clear();
    started_.clear();
    return true;
  }
  const std::optional<form::UserEvent> event = form::ParseUserEvent(line);
  return event && page_.Apply(*event);
}

int ScriptRunner::Run(std::istream& script) {
  std::string line;
  long number = 0;
  while (std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!Execute(line)) {
      err_ << "zelkscope-driver: line " << number << ": cannot run \"" << line << "\"\n";
      return 2;
    }
    Collect();
    if (page_.exitRequested()) return 0;
  }
  return 0;
}

}  // namespace zelk::driver
