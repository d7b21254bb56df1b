// The user-defined channel's byte lists: a frame log's two pages of bytes,
// and a column log's columns.
#include <tuple>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

class SelectorsTest : public PageTest {};

// A load selects the 0x7D page itself; the user's first change of page then
// rebuilds the list.
TEST_F(SelectorsTest, APageChangeRebuildsTheByteList) {
  Open(testlogs::FrameLog(10, {900}));
  ASSERT_TRUE(page().Click("UserDefinedButton"));
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Ignition Switch ?");
  const struct {
    int page;
    size_t count;
    const char* sixteenth;
  } pages[] = {{0, 28, "10  Idle HotBDPos"}, {1, 32, "10  Unknown"}};
  for (const auto& p : pages) {
    ASSERT_TRUE(page().Select("UserPageSelect", p.page));
    EXPECT_EQ(state("UserByteSelect").items.size(), p.count) << p.page;
    EXPECT_EQ(state("UserByteSelect").items[16], p.sixteenth) << p.page;
    EXPECT_EQ(state("UserByteSelect").index, 0) << p.page;
    EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Frame Size") << p.page;
  }
  // Bytes of flags show their bits, on either page; others do not.
  for (const auto& [pageIndex, byte, bits] :
       {std::tuple{0, 17, true}, {0, 16, false}, {1, 3, true}, {1, 19, false}}) {
    ASSERT_TRUE(page().Select("UserPageSelect", pageIndex));
    ASSERT_TRUE(page().Select("UserByteSelect", byte));
    EXPECT_EQ(state("BitSurround").visible, bits) << pageIndex << " " << byte;
  }
}

TEST_F(SelectorsTest, ColumnLogsChooseAColumnByItsName) {
  Open(testlogs::TimeLog({{1, {"5", "850"}}}));
  ASSERT_TRUE(page().Click("UserDefinedButton"));
  EXPECT_FALSE(state("UserPageSelect").visible);
  EXPECT_FALSE(state("LabelInfo", 6).visible);
  EXPECT_EQ(state("UserByteSelect").items.size(), 31u);
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - RPM");
  EXPECT_EQ(state("Text").caption, "Raw Data - RPM\r\n0005 ");
  EXPECT_FALSE(state("FuelAverageText").visible);
  EXPECT_FALSE(state("BitSurround").visible);

  Open(testlogs::ShortTimeLog({{2, {"7", "85"}}}));
  ASSERT_TRUE(page().Select("UserByteSelect", 1));
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Coolant Temp (C)");
  EXPECT_EQ(page().ChannelTables().data[1], "7");
}

}  // namespace
}  // namespace zelk::testing
