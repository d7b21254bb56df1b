// The design of the main window, UserPage: every control with its place,
// size, design-time caption, colours, font and picture. Rows are in creation
// order: a menu before its items, a picture box before the controls it holds,
// the rest as the window is laid out from the channel buttons to the lamps.
//
// Places are in twips from the top-left corner of the control's container.
// A font with no family takes the container's font: the window's is
// Times New Roman 9.75 pt bold, Picture1's MS Sans Serif 8.25 pt and
// Background's Courier New 12 pt.

#include <array>
#include <string>
#include <utility>

#include "chart/plot.h"
#include "chart/time_window.h"
#include "form/channel_buttons.h"
#include "form/control.h"
#include "form/control_names.h"

namespace zelk::form {
namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kYellow = 0x00FFFF;      // RGB (255, 255, 0)
constexpr uint32_t kAboutLilac = 0xFFC0C0;  // RGB (192, 192, 255)

const Font kBigBold{"Times New Roman", 12, true};
const Font kCanvasFont{"MS Sans Serif", 8.25, false};
const Font kBrowserListFont{"Courier New", 9.75, true};

// One row under construction: kind, name, place and caption up front, the
// rest added by name.
class Row {
 public:
  Row(Kind kind, ControlName name, int left, int top, int width, int height,
      std::string caption = {}) {
    s_.kind = kind;
    s_.name = name.name;
    s_.left = left;
    s_.top = top;
    s_.width = width;
    s_.height = height;
    s_.caption = std::move(caption);
  }
  Row& Index(int i) { return s_.index = i, *this; }
  Row& In(ControlName container) { return s_.container = container.name, *this; }
  Row& Hidden() { return s_.visible = false, *this; }
  Row& WithFont(Font f) { return s_.font = std::move(f), *this; }
  Row& Tip(std::string tip) { return s_.toolTip = std::move(tip), *this; }
  Row& Back(uint32_t colour) { return s_.backColour = colour, *this; }
  Row& Fore(uint32_t colour) { return s_.foreColour = colour, *this; }
  Row& Bordered() { return s_.border = true, *this; }
  Row& Centred() { return s_.align = Align::Centre, *this; }
  Row& Shows(Art art) { return s_.art = art, *this; }
  Row& Range(int min, int max) { return s_.scrollMin = min, s_.scrollMax = max, *this; }
  Row& Pattern(std::string p) { return s_.pattern = std::move(p), *this; }
  Row& Keys(std::string shortcut) { return s_.shortcut = std::move(shortcut), *this; }
  Row& Disabled() { return s_.enabled = false, *this; }
  Row& Checkable() { return s_.checkable = true, *this; }
  const ControlSpec& spec() const { return s_; }

 private:
  ControlSpec s_;
};

struct Place {
  int left, top, width, height;
};

// Bordered frames drawn behind the groups of the right-hand panels.
constexpr std::array<Place, 4> kSurrounds{{
    {12000, 2880, 1920, 2325},  // user-defined page and byte
    {12000, 100, 1920, 2700},   // log details
    {14000, 120, 1920, 8265},   // fault and sensor lamps
    {12000, 5280, 1920, 3105},  // marker
}};

// Lamp captions LabelInfo(8) to LabelInfo(21). Index 11 belongs to no lamp
// and lies under the graph canvas, where it is never seen.
constexpr int kFirstLampCaption = 8;
constexpr int kTrimCaption = 21;
constexpr std::array<std::pair<Place, const char*>, 14> kLampCaptions{{
    {{14880, 675, 855, 420}, "Coolant Sensor"},
    {{14880, 1270, 855, 420}, "Air Temp Sensor"},
    {{14880, 1870, 855, 420}, "FuelTemp Sensor"},
    {{8640, 3720, 855, 420}, "Fuel Pump Circuit"},
    {{14880, 2470, 855, 420}, "Engine Knock Sensor"},
    {{14880, 3070, 855, 420}, "Temp Gauge"},
    {{14880, 3720, 855, 420}, "Fuel Pump Relay"},
    {{14880, 4270, 855, 420}, "MAP Sensor"},
    {{14880, 4870, 855, 420}, "Throttle Pos Sensor"},
    {{14880, 5470, 855, 420}, "Purge Valve"},
    {{14880, 6070, 855, 420}, "Lamda Heater"},
    {{14880, 6670, 855, 495}, "AirCon Valve"},
    {{14880, 7270, 855, 615}, "Turbo Sensor"},
    {{14880, 7800, 975, 495}, "Long Term Fuel Trim"},
}};

// The twelve lamp places, one under the other.
constexpr int kLampCount = 12;
constexpr int kLampLeft = 14200, kLampTop = 650, kLampPitch = 600, kLampSize = 450;

// Design tops of the value-axis labels Label(0) to Label(6), bottom to top;
// every graph places them again. Labels 1, 3, 4 and 5 start hidden.
constexpr std::array<int, 7> kAxisLabelTops{3900, 3280, 2660, 2040, 1420, 800, 180};
constexpr std::array<bool, 7> kAxisLabelShown{true, false, true, false, false, false, true};

// The bit strip: index 7 (most significant) on the left, index 0 on the right.
constexpr std::array<int, 8> kBitLefts{11300, 11100, 10900, 10700, 10500, 10300, 10100, 9900};
constexpr std::array<int, 8> kBitTops{100, 100, 105, 105, 100, 105, 100, 100};
constexpr std::array<int, 8> kBitClearLefts{11300, 11100, 10900, 10695, 10500, 10305, 10095, 9900};
constexpr int kBitClearTop = 100, kBitSize = 180;

std::vector<ControlSpec> BuildTable() {
  std::vector<ControlSpec> t;
  auto add = [&t](const Row& row) { t.push_back(row.spec()); };
  using K = Kind;

  // Menu bar.
  add(Row(K::Menu, ctl::FileMenu, 0, 0, 0, 0, "File"));
  add(Row(K::MenuItem, ctl::OpenMenu, 0, 0, 0, 0, "Open").In(ctl::FileMenu).Keys("Ctrl+O"));
  // A second log over the loaded one: opened once a log is loaded, moved
  // and closed while it is open.
  add(Row(K::MenuItem, ctl::CompareMenu, 0, 0, 0, 0, "Compare With...")
          .In(ctl::FileMenu)
          .Keys("Ctrl+K")
          .Disabled());
  add(Row(K::MenuItem, ctl::OffsetMenu, 0, 0, 0, 0, "Set Offset...").In(ctl::FileMenu).Disabled());
  add(Row(K::MenuItem, ctl::AlignMenu, 0, 0, 0, 0, "Align at Marker").In(ctl::FileMenu).Disabled());
  add(Row(K::MenuItem, ctl::CloseComparisonMenu, 0, 0, 0, 0, "Close Comparison")
          .In(ctl::FileMenu)
          .Disabled());
  // Saving needs a log on screen: both items wait for the first load.
  add(Row(K::MenuItem, ctl::SaveGraphMenu, 0, 0, 0, 0, "Save Graph...")
          .In(ctl::FileMenu)
          .Keys("Ctrl+S")
          .Disabled());
  add(Row(K::MenuItem, ctl::ExportDataMenu, 0, 0, 0, 0, "Export Data...")
          .In(ctl::FileMenu)
          .Keys("Ctrl+E")
          .Disabled());
  add(Row(K::MenuItem, ctl::OptionsMenu, 0, 0, 0, 0, "Options...").In(ctl::FileMenu));
  add(Row(K::MenuItem, ctl::ExitMenu, 0, 0, 0, 0, "Exit").In(ctl::FileMenu).Keys("Ctrl+Q"));
  // The window's own view of itself: the values at the marker and every
  // channel at once beside it, and full screen, in which the page takes no
  // part.
  add(Row(K::Menu, ctl::ViewMenu, 0, 0, 0, 0, "View"));
  add(Row(K::MenuItem, ctl::ValuesMenu, 0, 0, 0, 0, "Values at Marker")
          .In(ctl::ViewMenu)
          .Keys("Ctrl+I")
          .Checkable());
  add(Row(K::MenuItem, ctl::ChannelsMenu, 0, 0, 0, 0, "Channels")
          .In(ctl::ViewMenu)
          .Keys("Ctrl+G")
          .Checkable());
  add(Row(K::MenuItem, ctl::FullScreenMenu, 0, 0, 0, 0, "Full Screen")
          .In(ctl::ViewMenu)
          .Keys("F11"));
  add(Row(K::Menu, ctl::HelpMenu, 0, 0, 0, 0, "Help"));
  add(Row(K::MenuItem, ctl::AboutMenu, 0, 0, 0, 0, "About").In(ctl::HelpMenu).Keys("F1"));
  add(Row(K::MenuItem, ctl::Version, 0, 0, 0, 0, "Version").In(ctl::HelpMenu));

  // Channel buttons, then the "Log" button at the bottom.
  for (const ChannelButton& b : ChannelButtons()) {
    add(Row(K::Button, ControlName(b.key), b.left, 120, b.width, b.height, b.caption)
            .WithFont(kBigBold)
            .Tip(b.toolTip)
            .Back(kButtonFace));
  }
  add(Row(K::Button, ctl::ShellButton, 10920, 8040, 975, 375, "Log").Back(kButtonFace));

  // Graph canvas, raw-data listing and the time-window row under them.
  add(Row(K::Picture, ctl::Picture1, 120, 600, 11805, 4455).WithFont(kCanvasFont).Bordered());
  add(Row(K::ListingBox, ctl::Text, 120, 5040, 11805, 2850)
          .WithFont({"Courier New", 8.25, false})
          .Back(kYellow));
  add(Row(K::ComboBox, ctl::YAxis, 120, 8000, 1815, 405, "Combo1").WithFont(kBigBold));
  add(Row(K::Image, ctl::PreviousImage, 2160, 7995, 390, 360).Hidden().Shows(Art::LeftArrow));
  add(Row(K::Label, ctl::Duration, 2760, 8000, 2535, 405).WithFont(kBigBold).Bordered());
  add(Row(K::Image, ctl::NextImage, 5520, 8000, 375, 360).Hidden().Shows(Art::RightArrow));
  add(Row(K::TextBox, ctl::CurrentFileText, 6120, 8000, 4620, 405));

  // Log browser panel and About picture, both over the canvas when shown.
  add(Row(K::Picture, ctl::Background, 3480, 720, 3375, 6975)
          .Hidden()
          .WithFont({"Courier New", 12, false}));
  add(Row(K::Picture, ctl::PictureAbout, 1920, 1800, 7580, 4845)
          .Hidden()
          .Back(kAboutLilac)
          .Shows(Art::About));
  add(Row(K::Label, ctl::InfoLabel, 8280, 840, 1335, 975, "Label1"));

  // Right-hand panels: frames first so that their contents lie over them.
  for (int i = 0; i < static_cast<int>(kSurrounds.size()); ++i) {
    const Place& p = kSurrounds[i];
    add(Row(K::Label, ctl::Surround, p.left, p.top, p.width, p.height)
            .Index(i)
            .Back(kWindowBack)
            .Bordered());
  }

  // Log details.
  add(Row(K::Label, ctl::LabelInfo, 12240, 120, 1335, 405, "Details").Index(0).WithFont(kBigBold));
  add(Row(K::Label, ctl::LabelInfo, 12240, 480, 1335, 360, "Trip Length").Index(5));
  add(Row(K::TextBox, ctl::DataText, 12360, 840, 1095, 405).Index(2).WithFont(kBigBold));
  add(Row(K::Label, ctl::LabelInfo, 12240, 1320, 1335, 360, "Data Points").Index(1));
  add(Row(K::TextBox, ctl::DataText, 12360, 1560, 1095, 405).Index(0).WithFont(kBigBold));
  add(Row(K::Label, ctl::LabelInfo, 12240, 2040, 1365, 360, "Sampling Rate").Index(2));
  add(Row(K::TextBox, ctl::DataText, 12360, 2300, 1095, 405).Index(1).WithFont(kBigBold));

  // Page and byte choice of the user-defined channel, shown only with it.
  add(Row(K::Label, ctl::LabelInfo, 12240, 3000, 1365, 585, "User-Defined Button")
          .Index(3)
          .Hidden()
          .WithFont({"Times New Roman", 11.25, true}));
  add(Row(K::Label, ctl::LabelInfo, 12600, 3600, 615, 375, "Page").Index(6).Hidden());
  add(Row(K::ComboBox, ctl::UserPageSelect, 12024, 3840, 1880, 345).Hidden());
  add(Row(K::Label, ctl::LabelInfo, 12240, 4300, 1245, 315, "Byte").Index(4).Hidden());
  add(Row(K::ComboBox, ctl::UserByteSelect, 12024, 4560, 1875, 345).Hidden());

  // Marker panel.
  add(Row(K::Label, ctl::MarkerLabel, 12240, 5400, 1215, 495, "Marker").WithFont(kBigBold));
  add(Row(K::Label, ctl::DataPointLabel, 12240, 5760, 1215, 615, "Data Point").Hidden());
  add(Row(K::TextBox, ctl::DataPointText, 12480, 6000, 735, 330).Hidden());
  // The marked sample's time from the log's start, beside its number.
  add(Row(K::Label, ctl::MarkerTimeLabel, 13350, 5760, 555, 240, "Time").Hidden());
  add(Row(K::TextBox, ctl::MarkerTimeText, 13245, 6000, 660, 330)
          .Hidden()
          .WithFont({"Times New Roman", 8.25, true}));
  // The time a column log recorded for the marked sample, under them.
  add(Row(K::Label, ctl::MarkerLogTimeText, 12060, 6350, 1800, 225)
          .Hidden()
          .Centred()
          .WithFont({"Times New Roman", 8.25, true}));
  add(Row(K::Label, ctl::MarkerInstructions, 12200, 6000, 1500, 1095,
          "To Activate Marker use the Right Arrow "));
  add(Row(K::Label, ctl::MarkerValueLabel, 12360, 6520, 1095, 375, "Value").Hidden());
  add(Row(K::TextBox, ctl::MarkerValueText, 12240, 6745, 1215, 330).Hidden());
  add(Row(K::ScrollBar, ctl::MarkerStepScroll, 13560, 6960, 255, 1335).Hidden().Range(1, 100));
  add(Row(K::Label, ctl::MarkerStepValueLabel, 12360, 7100, 1215, 495, "Marker Step Value")
          .Hidden());
  add(Row(K::TextBox, ctl::MarkerStepValueText, 12480, 7600, 975, 330, "10").Hidden());

  // Fault and sensor lamps: a red and a green lamp share each place; the
  // green ones show until a log says otherwise.
  add(Row(K::Label, ctl::LabelInfo, 14160, 240, 1680, 375, "Fault Codes")
          .Index(7)
          .WithFont({"Times New Roman", 14.25, true})
          .Fore(kRed));
  for (int i = 0; i < kLampCount; ++i) {
    const int top = kLampTop + kLampPitch * i;
    add(Row(K::Image, ctl::FaultRed, kLampLeft, top, kLampSize, kLampSize)
            .Index(i)
            .Hidden()
            .Shows(Art::LampRed));
  }
  for (int i = 0; i < kLampCount; ++i) {
    const int top = kLampTop + kLampPitch * i;
    add(Row(K::Image, ctl::FaultGreen, kLampLeft, top, kLampSize, kLampSize)
            .Index(i)
            .Shows(Art::LampGreen));
  }
  for (int i = 0; i < static_cast<int>(kLampCaptions.size()); ++i) {
    const auto& [p, caption] = kLampCaptions[i];
    Row row(K::Label, ctl::LabelInfo, p.left, p.top, p.width, p.height, caption);
    row.Index(kFirstLampCaption + i).WithFont({"Times New Roman", 8.25, true}).Centred();
    if (kFirstLampCaption + i == kTrimCaption) row.Hidden();
    add(row);
  }
  // The long-term trim readout and its caption stay hidden until a frame log
  // gives them a value.
  add(Row(K::TextBox, ctl::LTFTValue, 14160, 7840, 615, 330).Hidden());

  // Inside Background: the log browser. Its captions are wide enough for
  // their words in the browser's fixed-width font.
  const ControlName browser = ctl::Background;
  add(Row(K::TextBox, ctl::DriveLabel, 240, 0, 960, 225, "Drive").In(browser).Back(kButtonFace));
  add(Row(K::DriveList, ctl::Drive1, 360, 300, 2770, 345).In(browser));
  add(Row(K::TextBox, ctl::FolderLabel, 240, 670, 1740, 225, "Directories")
          .In(browser)
          .Back(kButtonFace));
  add(Row(K::FolderList, ctl::Dir1, 360, 960, 2770, 2520).In(browser).WithFont(kBrowserListFont));
  add(Row(K::Label, ctl::FileLabel, 240, 3550, 800, 225, "Files").In(browser).WithFont(kBigBold));
  add(Row(K::FileList, ctl::File1, 360, 3880, 2770, 2490)
          .In(browser)
          .WithFont(kBrowserListFont)
          .Pattern("*.txt*"));
  // The files listed: the logs, or every file (a log named .csv or .log).
  add(Row(K::ComboBox, ctl::FileTypes, 360, 6470, 2770, 330).In(browser));

  // Inside Picture1: what lies over the graph.
  const ControlName canvas = ctl::Picture1;
  add(Row(K::Label, ctl::ScreenTitle, 840, 120, 5000, 375).In(canvas));
  // The second log's legend while two logs are compared: its name and
  // offset under the title, grey as its paler lines are.
  add(Row(K::Label, ctl::CompareLabel, 840, 480, 5000, 375)
          .In(canvas)
          .Hidden()
          .WithFont(kCanvasFont)
          .Fore(chart::Paler(chart::kBlack)));
  add(Row(K::Label, ctl::YLabel, 495, 4080, 11205, 375)
          .In(canvas)
          .Hidden()
          .WithFont({"Times New Roman", 9.75, false}));
  for (int i = 0; i < static_cast<int>(kAxisLabelTops.size()); ++i) {
    Row label(K::Label, ctl::Label, 120, kAxisLabelTops[i], 405, 195);
    label.Index(i).In(canvas).WithFont(kCanvasFont);
    if (!kAxisLabelShown[i]) label.Hidden();
    add(label);
  }
  add(Row(K::Label, ctl::BitSurround, 9800, 60, 1815, 615)
          .In(canvas)
          .Hidden()
          .Back(kWindowBack)
          .Bordered());
  add(Row(K::TextBox, ctl::BitLabel, 9960, 360, 1580, 280, "7  6  5  4  3  2  1  0")
          .In(canvas)
          .Hidden()
          .Back(kButtonFace));
  for (int i = 0; i < 8; ++i) {
    add(Row(K::Image, ctl::Bit, kBitLefts[i], kBitTops[i], kBitSize, kBitSize)
            .Index(i)
            .In(canvas)
            .Hidden()
            .Shows(Art::BitSet));
  }
  for (int i = 0; i < 8; ++i) {
    add(Row(K::Image, ctl::BitClear, kBitClearLefts[i], kBitClearTop, kBitSize, kBitSize)
            .Index(i)
            .In(canvas)
            .Hidden()
            .Shows(Art::BitClear));
  }
  add(Row(K::TextBox, ctl::FuelAverageText, 9240, 3600, 2295, 375, "Average STFT = ")
          .In(canvas)
          .Hidden()
          .Back(kButtonFace));
  // Beyond the canvas's right edge: somewhere to park the keyboard focus.
  add(Row(K::TextBox, ctl::DummyText, 12000, 120, 180, 330).In(canvas));
  // The marker bar, parked out of sight until the marker is used.
  add(Row(K::Picture, ctl::Overlay, static_cast<int>(chart::kMarkerParked), 650, 10, 3300)
          .In(canvas)
          .Back(kRed));

  return t;
}

}  // namespace

const std::vector<ControlSpec>& LayoutTable() {
  static const std::vector<ControlSpec> table = BuildTable();
  return table;
}

}  // namespace zelk::form
