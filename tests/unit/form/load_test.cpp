// What every load sets beside the graph: the fault lamps and the long-term
// trim readout.
#include "page_fixture.h"

namespace zelk::testing {
namespace {

using testlogs::Frame7DWith;
using testlogs::Frame80With;

class LoadTest : public PageTest {};

// Before any log: the browser open, the window list on the Full Trip and the
// marker's step at 10.
TEST_F(LoadTest, StartUpWaitsForALog) {
  EXPECT_TRUE(state("Background").visible);
  EXPECT_EQ(state("YAxis").items, (std::vector<std::string>{"Full Trip", " 2 mins", " 5 mins",
                                                            " 10 mins", " 20 mins", " 30 mins"}));
  EXPECT_EQ(state("YAxis").index, 0);
  EXPECT_EQ(std::get<int16_t>(vars().marker.step), 10);
  EXPECT_TRUE(state("MarkerInstructions").visible);
}

TEST_F(LoadTest, EachLoadSetsTheLampsAndTheTrimReadout) {
  Open(testlogs::FrameLogOf({Frame80With({{13, "00"}}), Frame80With({{13, "01"}})},
                            {Frame7DWith({}), Frame7DWith({{11, "FF"}})}));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(state("FaultRed", i).visible, i == 0) << i;
    EXPECT_EQ(state("FaultGreen", i).visible, i != 0) << i;
  }
  EXPECT_TRUE(state("LTFTValue").visible);
  EXPECT_TRUE(state("LabelInfo", 21).visible);
  EXPECT_EQ(state("LTFTValue").caption, "255");  // the second frame's, in a short log

  Open("not a log");  // refused: the lamps stay
  EXPECT_TRUE(state("FaultRed", 0).visible);
  std::vector<std::string> frames7D(60, Frame7DWith({}));
  frames7D[49] = Frame7DWith({{11, "C3"}});
  Open(testlogs::FrameLogOf({}, frames7D));
  EXPECT_EQ(state("LTFTValue").caption, "195");  // the 50th frame's, in a longer one

  Open(testlogs::ShortTimeLog({{1, {"800"}}}));
  for (int i = 0; i < 12; ++i) {
    EXPECT_FALSE(state("FaultRed", i).visible) << i;
    EXPECT_TRUE(state("FaultGreen", i).visible) << i;
  }
  EXPECT_FALSE(state("LTFTValue").visible);
  EXPECT_FALSE(state("LabelInfo", 21).visible);
}

}  // namespace
}  // namespace zelk::testing
