// What the log browser lists on this platform: the mounted file systems as
// drives, a folder with its parents and subfolders, and the log files of a
// folder.
#pragma once

#include <string>
#include <vector>

namespace zelk::store {

// Mount points of real file systems, the root first, then by name.
std::vector<std::string> ListDrives();

// The drive of `drives` that holds `folder` (the longest matching mount
// point); the first drive when none does.
int DriveOf(const std::vector<std::string>& drives, const std::string& folder);

struct FolderListing {
  std::vector<std::string> items;  // what the list shows, indented by depth
  std::vector<std::string> paths;  // the folder each item stands for
  int current = -1;                // the item of the folder itself
};

// The folder's parents from the root down, the folder, then its subfolders.
FolderListing ListFolder(const std::string& folder);

// Names of the regular files of `folder` that contain ".txt" in any letter
// case, or with `everyFile` all of them, sorted; empty when the folder
// cannot be read.
std::vector<std::string> ListLogFiles(const std::string& folder, bool everyFile = false);

}  // namespace zelk::store
