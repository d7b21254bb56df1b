// The list of logs opened lately, as the File menu offers them again: the
// latest first, each once, at most eight.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zelk::store {

inline constexpr size_t kRecentMax = 8;

// The list after `opened` was opened: it in front, then the others in their
// order without it, empty and repeated entries left out, cut at kRecentMax.
// An empty `opened` only tidies the list (as read back from the settings).
std::vector<std::string> RecentAfterOpening(const std::vector<std::string>& recent,
                                            const std::string& opened);

// One entry of the menu: the path it opens, its caption ("&1 name  (folder)",
// an ampersand of the path doubled so that it is shown, not taken as the
// item's key) and whether the file is still there to be opened.
struct RecentItem {
  std::string path;
  std::string caption;
  bool present = false;
  bool operator==(const RecentItem&) const = default;
};

// The menu's entries for `recent`, in order; a file that `exists` does not
// find is kept but cannot be chosen, as a drive unplugged for now may come
// back.
std::vector<RecentItem> RecentMenu(const std::vector<std::string>& recent,
                                   const std::function<bool(const std::string&)>& exists);

}  // namespace zelk::store
