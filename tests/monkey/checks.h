// What the monkey test checks of the window between its random actions, and
// the program folder it works in.
#pragma once

#include <filesystem>
#include <string>

#include "app/main_window.h"

namespace zelk::app {

// The sample logs beside the fuzz targets' seed logs (bad files among them),
// a frame log longer than the program's tables, names with blanks and letters
// beyond ASCII, logs in subfolders and a folder whose name looks like a log.
void MakeProgramFolder(const std::filesystem::path& root);

// The first control whose widget or menu item does not show what its state
// says, as "KEY: what differs", or empty when all agree. With
// `folderRowMoved` the folder list's highlight may stand elsewhere.
std::string FirstMismatch(MainWindow& window, bool folderRowMoved);

}  // namespace zelk::app
