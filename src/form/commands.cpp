#include "form/commands.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

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

void Commands::AboutMenu_Click() {
  Control& about = controls_(ctl::PictureAbout);
  about.state.left = 4000;
  about.state.visible = true;
}

void Commands::PictureAbout_Click() {
  controls_(ctl::PictureAbout).state.visible = false;
  // The graph the picture stood over is drawn again.
  session_.Notify(session::kChannelChanged);
}

// A reader the user chose is checked before it is asked for, so that a path
// that went away or names no program is told as such, with where to choose
// another. The fixed path is asked for as it is: the window's attempt to
// start it tells whether it can be.
void Commands::ShellButton_Click() {
  if (readerProgram_.empty()) {
    started_.push_back(kExternalReader);
    return;
  }
  if (const std::string why = WhyNotRunnable(readerProgram_); !why.empty()) {
    messages_.Show("The reader program could not be started: \"" + readerProgram_ + "\": " + why +
                   ". Choose the reader program in File > Options.");
    return;
  }
  started_.push_back(readerProgram_);
}

void Commands::ProgramNotStarted(const std::string& program) {
  messages_.Show("The reader program could not be started: \"" + program + "\".");
}

}  // namespace zelk::form
