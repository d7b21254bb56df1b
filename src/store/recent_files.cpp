#include "store/recent_files.h"

#include <algorithm>
#include <filesystem>

namespace zelk::store {
namespace {

std::string ShownAsIs(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    if (c == '&') shown += '&';
    shown += c;
  }
  return shown;
}

}  // namespace

std::vector<std::string> RecentAfterOpening(const std::vector<std::string>& recent,
                                            const std::string& opened) {
  std::vector<std::string> list;
  if (!opened.empty()) list.push_back(opened);
  for (const std::string& path : recent) {
    if (list.size() == kRecentMax) break;
    if (!path.empty() && std::find(list.begin(), list.end(), path) == list.end()) {
      list.push_back(path);
    }
  }
  return list;
}

std::vector<RecentItem> RecentMenu(const std::vector<std::string>& recent,
                                   const std::function<bool(const std::string&)>& exists) {
  std::vector<RecentItem> items;
  for (const std::string& path : RecentAfterOpening(recent, {})) {
    const std::filesystem::path file(path);
    const std::string number = std::to_string(items.size() + 1);
    items.push_back({path,
                     "&" + number + " " + ShownAsIs(file.filename().string()) + "  (" +
                         ShownAsIs(file.parent_path().string()) + ")",
                     exists(path)});
  }
  return items;
}

}  // namespace zelk::store
