// Saving from the window: the menus and the names proposed for the graph and
// the data table. What a failed write tells the user is checked on the window
// itself.
#include <filesystem>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

class ExportTest : public PageTest {};

TEST_F(ExportTest, SaveMenusProposeTheLogsFolderAndName) {
  const auto expect = [&](bool enabled, const std::string& title) {
    EXPECT_EQ(state("SaveGraphMenu").enabled, enabled);
    EXPECT_EQ(state("ExportDataMenu").enabled, enabled);
    EXPECT_EQ(page().WindowTitle(), title);
  };
  const auto refuse = [&] {
    Open("garbage", "bad.txt");
    EXPECT_EQ(page().TakeMessages(),
              (std::vector<form::Message>{{"ZelkScope", "Not a valid ZELK data file"}}));
  };
  expect(false, "ZelkScope");
  refuse();
  expect(false, "ZelkScope");
  ASSERT_TRUE(page().Click("SaveGraphMenu"));
  ASSERT_TRUE(page().Click("ExportDataMenu"));
  EXPECT_EQ(page().TakeSaveRequest(), std::nullopt);

  std::filesystem::create_directory(dir_ + "/trips");
  Open(testlogs::FrameLog(10, {900}), "trips/log.txt");
  expect(true, "log.txt - ZelkScope");
  using What = form::SaveRequest::What;
  const std::string folder = dir_ + "/trips/";
  const std::pair<const char*, const char*> shown[] = {{"", "log-rpm"},  // as loaded
                                                       {"TemperatureButton", "log-temperature"},
                                                       {"MAPButton", "log-manifold"},
                                                       {"UserDefinedButton", "log-user_defined"}};
  for (const auto& [button, name] : shown) {
    SCOPED_TRACE(name);
    if (*button) page().Click(button);
    EXPECT_EQ(page().ExportName(), name);
    ASSERT_TRUE(page().Click("SaveGraphMenu"));
    EXPECT_EQ(page().TakeSaveRequest(), (form::SaveRequest{What::Graph, folder + name + ".png"}));
    ASSERT_TRUE(page().Click("ExportDataMenu"));
    EXPECT_EQ(page().TakeSaveRequest(), (form::SaveRequest{What::Data, folder + name + ".csv"}));
    EXPECT_EQ(page().TakeSaveRequest(), std::nullopt);
  }
  refuse();  // the log on screen stays
  expect(true, "log.txt - ZelkScope");
  page().Click("SaveGraphMenu");
  EXPECT_EQ(page().TakeSaveRequest()->proposedPath, folder + "log-user_defined.png");
}

}  // namespace
}  // namespace zelk::testing
