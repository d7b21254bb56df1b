// The Channels window's strips over the page's session: the samples they
// show follow every window change made in either window, and the marker
// reads the same numbers in every strip as the Values at Marker panel.
#include <gtest/gtest.h>

#include "page_fixture.h"

namespace zelk::testing {
namespace {

class ChannelsViewTest : public PageTest {
 protected:
  std::vector<form::StripState> States() { return page().channelsView().States(); }
  // The values panel's row values for the rows a strip's text names.
  std::string PanelValue(const std::string& quantity) {
    for (const channels::ValueRow& row : page().ValuesAtMarker().rows) {
      if (row.quantity == quantity) return row.value;
    }
    return "?";
  }
};

// Each row runs its script with the strips shown and names the samples the
// strips must show then, as the main graph's window holds them.
TEST_F(ChannelsViewTest, StripsShowTheMainWindowsSamples) {
  const struct {
    const char* what;
    std::string script;
    std::pair<long, long> shown;
  } cases[] = {
      {"the whole log", "", {1, 1450}},
      {"a window length", "select YAxis 1", {1, 290}},
      {"a page", "select YAxis 1\nclick NextImage", {291, 580}},
      {"a drag", "drag 550 5800", {1, 726}},
      {"a drag, then back", "drag 550 5800\nkey 8", {1, 1450}},
      {"a wheel, then a page of its span", "wheel 550 1\nkey 34", {725, 1450}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Open(testlogs::FrameLog(1450, {900, 3000}));
    ASSERT_TRUE(page().Select("YAxis", 0));
    Run(page(), "strips rpm THROTTLE temperature\n" + c.script);
    const std::vector<form::StripState> states = States();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[1].channel, "Throttle");
    for (const form::StripState& strip : states) {
      EXPECT_EQ(std::pair(strip.first, strip.last), c.shown) << strip.channel;
      EXPECT_EQ(strip.lines * (strip.channel == "Temperature" ? 1 : 3),
                3 * (c.shown.second - c.shown.first))
          << strip.channel;
    }
    EXPECT_EQ(std::pair(session().window().yStart, std::min(session().window().yEnd, 1450L)),
              c.shown);
  }
}

// A click in any strip marks the nearest sample for both windows; every
// strip then reads the values panel's numbers there, and a channel the log
// does not record reads as not recorded.
TEST_F(ChannelsViewTest, OneMarkerReadsEveryStripAsTheValuesPanel) {
  Open(testlogs::ShortTimeLog({{1, {"800", "900", "1000", "1100", "1200"}}}));
  Run(page(), "click ValuesMenu\nstrips ignition rpm\nstripclick 1 0.5");
  EXPECT_EQ(state("DataPointText").caption, "3");
  const std::vector<form::StripState> states = States();
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(states[0].marker, 3);
  EXPECT_EQ(states[0].value, "not recorded");
  EXPECT_EQ(states[0].lines, 0);
  EXPECT_EQ(states[1].value, PanelValue("Engine speed") + " rpm");
  EXPECT_EQ(states[1].value, "1000 rpm");

  // The arrow keys move it for every strip; off the window's start it goes.
  Run(page(), "type MarkerStepValueText 1\nkey 39");
  EXPECT_EQ(States()[1].value, "1100 rpm");
  Run(page(), "type MarkerStepValueText 9\nkey 37");
  EXPECT_EQ(States()[1].marker, std::nullopt);
  EXPECT_EQ(States()[1].value, "");

  // The menu closes the window and opens it again on the same strips.
  Run(page(), "click ChannelsMenu");
  EXPECT_TRUE(States().empty());
  EXPECT_FALSE(state("ChannelsMenu").checked);
  Run(page(), "click ChannelsMenu");
  ASSERT_EQ(States().size(), 2u);
  EXPECT_EQ(States()[0].channel, "Ignition");
  EXPECT_FALSE(page().Apply(*form::ParseUserEvent("strips rpm nosuch")));
  EXPECT_FALSE(page().Apply(*form::ParseUserEvent("stripclick 2 0.5")));
}

}  // namespace
}  // namespace zelk::testing
