// The menus and the small commands: exit, the About picture, the version
// history, the Options dialog and the start of the reader program.
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "form/user_page.h"

namespace zelk::form {
namespace {

// Why `path` cannot be started as a program, or empty when it can.
std::string WhyNotRunnable(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) {
    if (error && error != std::errc::no_such_file_or_directory &&
        error != std::errc::not_a_directory) {
      return "it cannot be reached (" + error.message() + ")";
    }
    return "there is no such file";
  }
  if (fs::is_directory(status)) return "it is a folder";
  if (!fs::is_regular_file(status) || access(path.c_str(), X_OK) != 0) {
    return "it is not a program that may be run";
  }
  return {};
}

}  // namespace

void UserPage::ExitMenu_Click() { exitRequested_ = true; }

void UserPage::AboutMenu_Click() {
  Control& about = controls_(ctl::PictureAbout);
  about.state.left = 4000;
  about.state.visible = true;
}

void UserPage::PictureAbout_Click() {
  controls_(ctl::PictureAbout).state.visible = false;
  DisplayRefresh();
}

void UserPage::Version_Click() { ShowMessage(tables_.versionHistory); }

void UserPage::OptionsMenu_Click() { optionsRequested_ = true; }

// A reader the user chose is checked before it is asked for, so that a path
// that went away or names no program is told as such, with where to choose
// another. The fixed path is asked for as it is: the window's attempt to
// start it tells whether it can be.
void UserPage::ShellButton_Click() {
  if (readerProgram_.empty()) {
    started_.push_back(kExternalReader);
    return;
  }
  if (const std::string why = WhyNotRunnable(readerProgram_); !why.empty()) {
    ShowMessage("The reader program could not be started: \"" + readerProgram_ + "\": " + why +
                ". Choose the reader program in File > Options.");
    return;
  }
  started_.push_back(readerProgram_);
}

void UserPage::ProgramNotStarted(const std::string& program) {
  ShowMessage("The reader program could not be started: \"" + program + "\".");
}

}  // namespace zelk::form
