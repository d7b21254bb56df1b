// The recent logs: the latest in front, each once, at most eight; a missing
// file stays listed but cannot be chosen.
#include "store/recent_files.h"

#include <gtest/gtest.h>

namespace zelk::store {
namespace {

TEST(RecentFiles, LatestFirstEachOnceAtMostEight) {
  using List = std::vector<std::string>;
  const List eight{"/a", "/b", "/c", "/d", "/e", "/f", "/g", "/h"};
  const struct {
    List before;
    std::string opened;
    List after;
  } cases[] = {
      {{}, "/a", {"/a"}},
      {{"/a", "/b"}, "/b", {"/b", "/a"}},
      {eight, "/x", {"/x", "/a", "/b", "/c", "/d", "/e", "/f", "/g"}},
      {eight, "/h", {"/h", "/a", "/b", "/c", "/d", "/e", "/f", "/g"}},
      {{"/a", "", "/b", "/a", "/b"}, "", {"/a", "/b"}},  // read back from hand-edited settings
      {{"/a", "/A"}, "/a", {"/a", "/A"}},                // names differ by letter case
  };
  for (const auto& c : cases)
    EXPECT_EQ(RecentAfterOpening(c.before, c.opened), c.after) << c.opened;
}

TEST(RecentFiles, MenuNumbersEntriesAndGreysMissingFiles) {
  const auto items = RecentMenu({"/logs/drive.txt", "/R&D/a&b.txt", "/logs/drive.txt"},
                                [](const std::string& path) { return path[1] == 'l'; });
  EXPECT_EQ(items, (std::vector<RecentItem>{{"/logs/drive.txt", "&1 drive.txt  (/logs)", true},
                                            {"/R&D/a&b.txt", "&2 a&&b.txt  (/R&&D)", false}}));
}

}  // namespace
}  // namespace zelk::store
