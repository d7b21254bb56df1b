// The user-defined channel's byte list on a column log, and the column it
// chooses. A frame log's two pages of bytes are followed through an end-to-end
// session.
#include "page_fixture.h"

namespace zelk::testing {
namespace {

class SelectorsTest : public PageTest {};

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
