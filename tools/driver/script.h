// Runs a script of user actions against the core, one command a line.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "form/user_page.h"

namespace zelk::driver {

class ScriptRunner {
 public:
  ScriptRunner(form::UserPage& page, const chart::RecordingCanvas& canvas, std::ostream& out,
               std::ostream& err)
      : page_(page), canvas_(canvas), out_(out), err_(err) {}
  // The exit status: 0 when the script ran to its end or exited, 2 on a bad line.
  int Run(std::istream& script);

 private:
  // A dump, or a user event run on the page; false when the line is neither
  // or its event cannot happen.
  bool Execute(const std::string& line);
  void Collect();

  form::UserPage& page_;
  const chart::RecordingCanvas& canvas_;
  std::ostream& out_;
  std::ostream& err_;
  std::vector<form::Message> messages_;
  std::vector<std::string> started_;
};

}  // namespace zelk::driver
