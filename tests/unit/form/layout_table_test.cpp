// The window's design as the user first sees it: what is there, where, with
// which caption, and what is hidden until needed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "form/control.h"
#include "form/controls.h"

namespace zelk::form {
namespace {

// Every control once, after its container, and the arrays complete. Everything
// the user sees at start, and nothing more: the lamps show green; the paging
// arrows, marker read-outs, user-defined lists, bit strip, average box, time
// caption, About picture and log browser wait until needed. Every control but
// the menus fits its container, except the parked ones. The menu bar in order.
TEST(LayoutTable, EachControlOnceInItsContainerShownAsDesignedAndTheMenusInOrder) {
  const std::set<std::string> hiddenArrays = {"FaultRed", "Bit", "BitClear"};
  // clang-format off
  const std::set<std::string> hidden = {
      "PreviousImage", "NextImage", "Background", "PictureAbout", "YLabel", "FuelAverageText",
      "LabelInfo(3)", "LabelInfo(4)", "LabelInfo(6)", "UserPageSelect", "UserByteSelect",
      "DataPointLabel", "DataPointText", "MarkerTimeLabel", "MarkerTimeText", "MarkerLogTimeText", "MarkerValueLabel", "MarkerValueText",
      "MarkerStepScroll", "MarkerStepValueLabel", "MarkerStepValueText",
      "Label(1)", "Label(3)", "Label(4)", "Label(5)", "BitSurround", "BitLabel",
      "LTFTValue", "LabelInfo(21)", "CompareLabel"};
  // clang-format on
  Controls controls;
  std::set<std::string> seen;
  std::vector<std::string> menus;
  for (const Control& c : controls.all()) {
    const ControlSpec& s = c.spec;
    EXPECT_TRUE(seen.insert(c.Key()).second) << "duplicate " << c.Key();
    EXPECT_EQ(s.visible, !(hidden.count(c.Key()) || hiddenArrays.count(s.name))) << c.Key();
    if (s.kind == Kind::Menu) menus.push_back(s.caption);
    if (s.kind == Kind::MenuItem) {
      menus.push_back(s.container + "/" + s.caption + (s.shortcut.empty() ? "" : " " + s.shortcut) +
                      (s.enabled ? "" : " (off)"));
    }
    if (!s.container.empty()) {
      ASSERT_TRUE(seen.count(s.container)) << c.Key() << " comes before " << s.container;
      const Kind holder = controls.Named(s.container).spec.kind;
      EXPECT_EQ(holder, s.kind == Kind::MenuItem ? Kind::Menu : Kind::Picture) << c.Key();
    }
    if (s.kind == Kind::Menu || s.kind == Kind::MenuItem) continue;
    const ControlSpec* holder = s.container.empty() ? nullptr : &controls.Named(s.container).spec;
    const int width = holder ? holder->width : kClientWidth;
    const int height = holder ? holder->height : kClientHeight;
    const bool inside =
        s.left >= 0 && s.top >= 0 && s.left + s.width <= width && s.top + s.height <= height;
    // The marker bar and the focus box lie beyond the canvas's right edge.
    const bool parked = c.Key() == "Overlay" || c.Key() == "DummyText";
    EXPECT_EQ(inside, !parked) << c.Key();
    EXPECT_EQ(s.left >= width, parked) << c.Key();
  }
  const std::vector<std::pair<std::string, int>> arrays = {
      {"Label", 7}, {"LabelInfo", 22}, {"FaultRed", 12}, {"FaultGreen", 12},
      {"Bit", 8},   {"BitClear", 8},   {"DataText", 3},  {"Surround", 4}};
  for (const auto& [name, count] : arrays) {
    for (int i = 0; i <= count; ++i) {
      EXPECT_EQ(seen.count(name + "(" + std::to_string(i) + ")"), i < count ? 1u : 0u) << name << i;
    }
  }
  EXPECT_EQ(menus, (std::vector<std::string>{
                       "File", "FileMenu/Open Ctrl+O", "FileMenu/Compare With... Ctrl+K (off)",
                       "FileMenu/Set Offset... (off)", "FileMenu/Align at Marker (off)",
                       "FileMenu/Close Comparison (off)", "FileMenu/Save Graph... Ctrl+S (off)",
                       "FileMenu/Export Data... Ctrl+E (off)", "FileMenu/Options...",
                       "FileMenu/Exit Ctrl+Q", "View",
                       "ViewMenu/Values at Marker Ctrl+I", "ViewMenu/Channels Ctrl+G", "ViewMenu/Full Screen F11", "Help",
                       "HelpMenu/About F1", "HelpMenu/Version"}));
}

// What the user reads, where and in which face and colour, as the design
// gives it; a red and a green lamp share each place, and each bit's set and
// clear pictures share theirs in the strip, the most significant on the left.
TEST(LayoutTable, CaptionsPlacesFontsColoursAndTips) {
  using Place = std::tuple<std::string, int, int, int, int, std::string>;
  const std::vector<std::pair<std::string, Place>> cases = {
      {"LabelInfo(11)", {"", 8640, 3720, 855, 420, "Fuel Pump Circuit"}},
      {"LabelInfo(14)", {"", 14880, 3720, 855, 420, "Fuel Pump Relay"}},
      {"MarkerInstructions",
       {"", 12200, 6000, 1500, 1095, "To Activate Marker use the Right Arrow "}},
      {"MarkerStepValueText", {"", 12480, 7600, 975, 330, "10"}},
      {"YAxis", {"", 120, 8000, 1815, 405, "Combo1"}},
      {"FolderLabel", {"Background", 240, 670, 1740, 225, "Directories"}},
      {"Overlay", {"Picture1", 20000, 650, 10, 3300, ""}},
      {"BitLabel", {"Picture1", 9960, 360, 1580, 280, "7  6  5  4  3  2  1  0"}},
      {"FuelAverageText", {"Picture1", 9240, 3600, 2295, 375, "Average STFT = "}},
  };
  Controls controls;
  for (const auto& [key, want] : cases) {
    const Control* c = controls.Find(key);
    ASSERT_NE(c, nullptr) << key;
    const ControlSpec& s = c->spec;
    EXPECT_EQ(Place(s.container, s.left, s.top, s.width, s.height, s.caption), want) << key;
  }
  using Face = std::tuple<std::string, double, bool>;
  const std::vector<std::pair<std::string, Face>> fonts = {
      {"RPMButton", {"Times New Roman", 12, true}},
      {"LabelInfo(3)", {"Times New Roman", 11.25, true}},
      {"LabelInfo(7)", {"Times New Roman", 14.25, true}},
      {"LabelInfo(20)", {"Times New Roman", 8.25, true}},
      {"Picture1", {"MS Sans Serif", 8.25, false}},
      {"ShellButton", {"", 0, false}},  // the window's own font
  };
  for (const auto& [key, want] : fonts) {
    const Font& f = controls.Find(key)->spec.font;
    EXPECT_EQ(Face(f.family, f.points, f.bold), want) << key;
  }
  EXPECT_EQ(controls.Named("TemperatureButton").spec.toolTip,
            "Coolant, Intake and Fuel Temeratures");
  EXPECT_EQ(controls.Named("LabelInfo", 7).spec.foreColour, 0x0000FFu);
  EXPECT_EQ(controls.Named("LabelInfo", 8).spec.align, Align::Centre);
  EXPECT_EQ(controls.Named("Text").spec.backColour, 0x00FFFFu);
  for (int i = 0; i < 12; ++i) {
    const ControlSpec& red = controls.Named("FaultRed", i).spec;
    const ControlSpec& green = controls.Named("FaultGreen", i).spec;
    EXPECT_EQ(std::tie(red.left, red.top, red.width, red.height),
              std::tie(green.left, green.top, green.width, green.height));
    EXPECT_EQ(red.top, 650 + 600 * i);
    EXPECT_EQ(std::pair(red.art, green.art), std::pair(Art::LampRed, Art::LampGreen));
  }
  const ControlSpec& frame = controls.Named("BitSurround").spec;
  for (int k = 0; k < 8; ++k) {
    const ControlSpec& set = controls.Named("Bit", k).spec;
    const ControlSpec& clear = controls.Named("BitClear", k).spec;
    EXPECT_LE(std::max(std::abs(set.left - clear.left), std::abs(set.top - clear.top)), 5) << k;
    EXPECT_TRUE(set.left >= frame.left && set.left + set.width <= frame.left + frame.width) << k;
    // Most significant bit on the left, under the caption's "7".
    if (k > 0) {
      EXPECT_LT(set.left, controls.Named("Bit", k - 1).spec.left) << k;
    }
  }
}

}  // namespace
}  // namespace zelk::form
