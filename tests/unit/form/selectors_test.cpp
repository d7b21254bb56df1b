// The user-defined channel's page and byte lists, and the byte they choose.
#include "page_fixture.h"

namespace zelk::testing {
namespace {

class SelectorsTest : public PageTest {};

TEST_F(SelectorsTest, PageChangeRebuildsTheByteList) {
  Open(testlogs::FrameLogOf({}, {}));
  ASSERT_TRUE(page().Click("UserDefinedButton"));
  EXPECT_EQ(state("UserPageSelect").index, 1);
  EXPECT_EQ(state("UserByteSelect").index, 1);
  EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Ignition Switch ?");
  EXPECT_TRUE(state("LabelInfo", 6).visible);
  const struct {
    int page;
    size_t count;
    const char *first, *sixteenth, *last;
  } pages[] = {
      {0, 28, "00  Frame Size", "10  Idle HotBDPos", "1B  Unknown"},
      {1, 32, "00  Frame Size", "10  Unknown", "1F  Unknown"},
  };
  for (const auto& p : pages) {
    SCOPED_TRACE(p.page);
    ASSERT_TRUE(page().Select("UserPageSelect", p.page));
    const auto& items = state("UserByteSelect").items;
    ASSERT_EQ(items.size(), p.count);
    EXPECT_EQ(items.front(), p.first);
    EXPECT_EQ(items[16], p.sixteenth);
    EXPECT_EQ(items.back(), p.last);
    EXPECT_EQ(state("UserByteSelect").index, 0);
    EXPECT_EQ(state("ScreenTitle").caption, "User Defined - Frame Size");
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
