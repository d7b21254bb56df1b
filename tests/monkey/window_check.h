// What the monkey test checks of the window: every widget against the state
// of its control.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zelk::app {

// The first control whose widget does not show what its state says, as
// "KEY: what differs", or empty when all agree. With `folderRowMoved` the
// folder list's highlighted row may stand elsewhere than the current
// folder: the user moved it without entering that folder.
std::string FirstMismatch(MainWindow& window, bool folderRowMoved);

}  // namespace zelk::app
