#include "form/browser.h"

#include <filesystem>
#include <system_error>

#include "store/file_browser.h"

namespace zelk::form {
namespace fs = std::filesystem;

void Browser::Start() {
  Control& types = controls_(ctl::FileTypes);
  types.state.items = {"Logs (*.txt)", "All files"};
  types.state.index = 0;
  Control& drive = controls_(ctl::Drive1);
  drive.state.items = store::ListDrives();
  Control& dir = controls_(ctl::Dir1);
  dir.state.folder = programDir_;
  Dir1_Change();
  drive.state.index = store::DriveOf(drive.state.items, dir.state.folder);
  Drive1_Change();
  std::error_code ec;
  const fs::path logs = fs::path(programDir_) / "logs";
  if (fs::is_directory(logs, ec)) {
    dir.state.folder = logs.lexically_normal().string();
    Dir1_Change();
  }
  OpenMenu_Click();
}

void Browser::OpenMenu_Click() {
  forComparison_ = false;
  ShowBrowser();
}

void Browser::CompareMenu_Click() {
  forComparison_ = true;
  ShowBrowser();
}

void Browser::ShowBrowser() {
  for (const ControlName name : {ctl::Drive1, ctl::Dir1, ctl::File1, ctl::Background}) {
    controls_(name).state.visible = true;
  }
}

void Browser::Drive1_Change() {
  Control& drive = controls_(ctl::Drive1);
  const auto& drives = drive.state.items;
  if (drive.state.index < 0 || drive.state.index >= static_cast<int>(drives.size())) return;
  drive.state.folder = drives[drive.state.index];
  // As with a drive letter, the folder list stays where it is when it is
  // already on that drive and goes to the drive's top folder otherwise.
  Control& dir = controls_(ctl::Dir1);
  if (store::DriveOf(drives, dir.state.folder) != drive.state.index) {
    dir.state.folder = drive.state.folder;
  }
  Dir1_Change();
}

void Browser::Dir1_Change() {
  Control& dir = controls_(ctl::Dir1);
  store::FolderListing listing = store::ListFolder(dir.state.folder);
  dir.state.items = std::move(listing.items);
  dirPaths_ = std::move(listing.paths);
  dir.state.index = listing.current;

  Control& files = controls_(ctl::File1);
  files.state.folder = dir.state.folder;
  files.state.items =
      store::ListLogFiles(files.state.folder, controls_(ctl::FileTypes).state.index == 1);
  files.state.index = -1;
}

void Browser::PickDrive(int index) {
  Control& drive = controls_(ctl::Drive1);
  if (index < 0 || index >= static_cast<int>(drive.state.items.size())) return;
  drive.state.index = index;
  Drive1_Change();
}

void Browser::PickFolder(int index) {
  Control& dir = controls_(ctl::Dir1);
  if (index < 0 || index >= static_cast<int>(dirPaths_.size())) return;
  dir.state.folder = dirPaths_[index];
  Dir1_Change();
}

void Browser::PickFile(int index) {
  Control& files = controls_(ctl::File1);
  if (index < 0 || index >= static_cast<int>(files.state.items.size())) return;
  files.state.index = index;
  File1_Click();
}

bool Browser::OpenPath(const std::string& path) {
  forComparison_ = false;
  return PickPath(path);
}

bool Browser::ComparePath(const std::string& path) {
  forComparison_ = true;
  return PickPath(path);
}

bool Browser::PickPath(const std::string& path) {
  const fs::path file = fs::absolute(fs::path(path)).lexically_normal();
  ShowFolder(file.parent_path().string());
  // A file that is not (or no longer) in the list is picked all the same, as
  // from a list that was read before the file went away. It stays listed only
  // once it is loaded: a name that could not be read (a file that does not
  // exist) is reported and leaves the list as the folder has it.
  Control& files = controls_(ctl::File1);
  const std::string name = file.filename().string();
  int index = -1;
  for (size_t i = 0; i < files.state.items.size(); ++i) {
    if (files.state.items[i] == name) index = static_cast<int>(i);
  }
  const bool added = index < 0;
  if (added) {
    files.state.items.push_back(name);
    index = static_cast<int>(files.state.items.size()) - 1;
  }
  files.state.index = index;
  const bool loaded = PickChosenFile();
  if (added && !loaded && static_cast<int>(files.state.items.size()) == index + 1) {
    files.state.items.pop_back();
    files.state.index = -1;
  }
  return loaded;
}

void Browser::ShowFolder(const std::string& folder) {
  Control& drive = controls_(ctl::Drive1);
  Control& dir = controls_(ctl::Dir1);
  dir.state.folder = folder;
  drive.state.index = store::DriveOf(drive.state.items, dir.state.folder);
  drive.state.folder = drive.state.index < static_cast<int>(drive.state.items.size())
                           ? drive.state.items[drive.state.index]
                           : "";
  Dir1_Change();
}

bool Browser::PickChosenFile() {
  Control& files = controls_(ctl::File1);
  if (files.state.index < 0 || files.state.index >= static_cast<int>(files.state.items.size())) {
    return false;
  }
  const std::string name = files.state.items[files.state.index];
  const std::string path = (fs::path(files.state.folder) / name).string();
  if (forComparison_) {
    // A second log refused leaves both logs as they were, and the browser
    // open to pick another.
    controls_(ctl::Background).state.visible = false;
    session::Opened opened = session_.Compare(path, name);
    for (std::string& message : opened.messages) messages_.Show(std::move(message));
    if (opened.accepted) {
      forComparison_ = false;
    } else {
      ShowBrowser();
    }
    return opened.accepted;
  }
  Control& current = controls_(ctl::CurrentFileText);
  // A file that is refused or cannot be read leaves the name of the log
  // that stays loaded and on screen.
  const std::string previousText = current.state.caption;
  current.state.caption = name;
  controls_(ctl::Background).state.visible = false;
  selectors_.Show(false);
  session::Opened opened = session_.Open(path, name);
  for (std::string& message : opened.messages) messages_.Show(std::move(message));
  if (!opened.accepted) {
    ShowBrowser();
    current.state.caption = previousText;
    // The log on screen is shown again, its selectors with it.
    session_.Notify(session::kChannelChanged);
  }
  return opened.accepted;
}

std::string Browser::WindowTitle() const {
  if (!session_.file().everLoaded) return kProgramTitle;
  return session_.file().name + " - " + kProgramTitle;
}

}  // namespace zelk::form
