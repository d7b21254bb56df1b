// The window records each event it passes on as a line of the driver's
// script, and the driver reads the same event back from that line.
#include "form/user_event.h"

#include <gtest/gtest.h>

#include <utility>

#include "form/key_codes.h"

namespace zelk::form {
namespace {

TEST(UserEvent, LinesAndEventsGiveEachOther) {
  const std::pair<const char*, UserEvent> cases[] = {
      {"click FaultGreen(0)", UserEvent::Click("FaultGreen(0)")},
      {"select YAxis -1", UserEvent::Select("YAxis", -1)},
      {"type MarkerStepValueText 2 5", UserEvent::Type("MarkerStepValueText", "2 5")},
      {"type MarkerStepValueText ", UserEvent::Type("MarkerStepValueText", "")},
      {"scroll MarkerStepScroll 100", UserEvent::Scroll("MarkerStepScroll", 100)},
      {"key 40", UserEvent::Key(40)},
      {"clickat 1500 -0.25", UserEvent::ClickAt(1500, -0.25)},
      {"drag 6000 1500.5", UserEvent::Drag(6000, 1500.5)},
      {"wheel 5000 -2", UserEvent::Wheel(5000, -2)},
      {"pan 3", UserEvent::Pan(3)},
      {"open logs/drive copy ä ö.txt", UserEvent::Open("logs/drive copy ä ö.txt")},
      {"key 39 ctrl", UserEvent::Key(39, key::kCtrlHeld)},
      {"key 37 shift", UserEvent::Key(37, key::kShiftHeld)},
      {"clickat 1500 900 shift", UserEvent::ClickAt(1500, 900, key::kShiftHeld)},
      {"stripclick 2 0.25 shift", UserEvent::StripClick(2, 0.25, key::kShiftHeld)},
      {"compare logs/drive b.txt", UserEvent::Compare("logs/drive b.txt")},
      {"compare", UserEvent::Compare("")},
      {"offset -3.5 s", UserEvent::Offset("-3.5 s")},
      {"align", UserEvent::Align()},
  };
  for (const auto& [line, event] : cases) {
    EXPECT_TRUE(ParseUserEvent(line) == event) << line;
    EXPECT_EQ(event.ToLine(), line);
  }
  for (const char* line :
       {"dump", "Click RPMButton", "open ", "key 13 ", "select YAxis", "scroll MarkerStepScroll +3",
        "clickat 1500", "clickat 1500 y", "drag 1500", "wheel 5000 1.5", "wheel  2", "pan",
        "key 39 alt", "align now"}) {
    EXPECT_FALSE(ParseUserEvent(line)) << line;
  }
}

}  // namespace
}  // namespace zelk::form
