// What the monkey test checks of the window: every widget against the state
// of its control, and the page against what the driver makes of the same
// events.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace zelk::app {

// The first control whose widget does not show what its state says, as
// "KEY: what differs", or empty when all agree. With `folderRowMoved` the
// folder list's highlighted row may stand elsewhere than the current
// folder: the user moved it without entering that folder.
std::string FirstMismatch(MainWindow& window, bool folderRowMoved);

// The program's variables and controls in the driver's JSON form, without
// the canvas and the messages, which the window and the driver keep apart.
std::string StateJson(const form::UserPage& page);
// The same part of a whole dump line of the driver.
std::string StatePart(const std::string& dump);
// Where `a` and `b` first differ, with the text around it.
std::string FirstDifference(const std::string& a, const std::string& b);

struct DriverReplay {
  bool ran = false;      // the driver ran to its end with status 0
  std::string lastDump;  // its last output line
  std::string problem;   // why it did not run
};
// Runs the driver with `programDir` as its program folder on `lines`, then
// a dump.
DriverReplay RunDriver(const QString& programDir, const std::vector<std::string>& lines,
                       const QString& scriptPath);

}  // namespace zelk::app
