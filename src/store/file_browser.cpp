#include "store/file_browser.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace zelk::store {
namespace fs = std::filesystem;

namespace {

// /proc/mounts writes blanks and some other characters as octal escapes.
std::string UnescapeMountPath(const std::string& raw) {
  auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 3 < raw.size() && isOctal(raw[i + 1]) && isOctal(raw[i + 2]) &&
        isOctal(raw[i + 3])) {
      out +=
          static_cast<char>((raw[i + 1] - '0') * 64 + (raw[i + 2] - '0') * 8 + (raw[i + 3] - '0'));
      i += 3;
    } else {
      out += raw[i];
    }
  }
  return out;
}

bool IsSystemMount(const std::string& path) {
  for (const char* prefix : {"/proc", "/sys", "/dev", "/run"}) {
    const std::string p(prefix);
    if (path == p || path.rfind(p + "/", 0) == 0) return true;
  }
  return false;
}

bool Contains(const std::string& folder, const std::string& drive) {
  if (drive == "/") return !folder.empty() && folder[0] == '/';
  return folder == drive || folder.rfind(drive + "/", 0) == 0;
}

}  // namespace

std::vector<std::string> ListDrives() {
  std::vector<std::string> drives{"/"};
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint;
    fields >> device >> mountPoint;
    mountPoint = UnescapeMountPath(mountPoint);
    if (mountPoint.empty() || mountPoint[0] != '/' || IsSystemMount(mountPoint)) continue;
    if (std::find(drives.begin(), drives.end(), mountPoint) != drives.end()) continue;
    std::error_code ec;
    if (!fs::is_directory(mountPoint, ec)) continue;
    drives.push_back(mountPoint);
  }
  std::sort(drives.begin() + 1, drives.end());
  return drives;
}

int DriveOf(const std::vector<std::string>& drives, const std::string& folder) {
  int best = 0;
  size_t bestLength = 0;
  for (size_t i = 0; i < drives.size(); ++i) {
    if (Contains(folder, drives[i]) && drives[i].size() > bestLength) {
      best = static_cast<int>(i);
      bestLength = drives[i].size();
    }
  }
  return best;
}

FolderListing ListFolder(const std::string& folder) {
  FolderListing listing;
  const fs::path path = fs::path(folder).lexically_normal();
  fs::path so_far;
  int depth = 0;
  for (const fs::path& part : path) {
    if (part.empty()) continue;
    so_far /= part;
    listing.items.push_back(std::string(2 * depth, ' ') + part.string());
    listing.paths.push_back(so_far.string());
    ++depth;
  }
  listing.current = static_cast<int>(listing.items.size()) - 1;

  std::vector<std::string> subfolders;
  std::error_code ec;
  for (fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) subfolders.push_back(it->path().filename().string());
  }
  std::sort(subfolders.begin(), subfolders.end());
  for (const std::string& name : subfolders) {
    listing.items.push_back(std::string(2 * depth, ' ') + name);
    listing.paths.push_back((path / name).string());
  }
  return listing;
}

std::vector<std::string> ListLogFiles(const std::string& folder, bool everyFile) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (everyFile || lower.find(".txt") != std::string::npos) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zelk::store
