// The menus and the small commands: exit, the About picture, the version
// history and the start of the reader program.
#include "form/user_page.h"

namespace zelk::form {

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

void UserPage::ShellButton_Click() { started_.push_back(kExternalReader); }

void UserPage::ProgramNotStarted(const std::string& program) {
  ShowMessage("The reader program could not be started: \"" + program + "\".");
}

}  // namespace zelk::form
