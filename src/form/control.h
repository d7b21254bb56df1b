// The window's controls as plain data: what kind each is, where it sits at
// design time, and the state the program changes while it runs. The Qt window
// builds one widget per entry and copies this state onto it; the driver prints
// it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelk::form {

enum class Kind {
  Button,      // command button with a background colour
  Label,       // caption only
  TextBox,     // one-line text box
  ListingBox,  // multi-line text box with a vertical scroll bar
  ComboBox,    // drop-down list
  Image,       // picture that can be shown and hidden
  Picture,     // picture box: may hold other controls, may be drawn on
  ScrollBar,   // vertical scroll bar
  DriveList,
  FolderList,
  FileList,
  Menu,  // a menu of the menu bar
  MenuItem,
};

// The pictures that the window draws for image controls.
enum class Art { None, LeftArrow, RightArrow, LampRed, LampGreen, BitSet, BitClear, About };

enum class Align { Left, Centre };

struct Font {
  std::string family;  // empty: the container's font
  double points = 0;
  bool bold = false;
};

// Colours are 0x00BBGGRR; values with the high bit set name a system colour.
inline constexpr uint32_t kButtonFace = 0x8000000F;
inline constexpr uint32_t kTitleBar = 0x80000002;
inline constexpr uint32_t kNoColour = 0xFFFFFFFF;  // take the container's

// A control's name, as the layout table and the handlers spell it; the
// constants of control_names.h are the program's only way to write one.
struct ControlName {
  constexpr explicit ControlName(const char* text) : name(text) {}
  const char* name;
};

// One row of the window's design: fixed for the whole run.
struct ControlSpec {
  std::string name;  // e.g. "Label"
  int index = -1;    // member of a control array, or -1
  Kind kind = Kind::Label;
  std::string container;  // "" for the window, else "Background", "Picture1", or a menu's name
  int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
  std::string caption;                           // caption or design-time text (UTF-8)
  bool visible = true;
  Font font;  // family empty: inherited
  std::string toolTip;
  uint32_t backColour = kNoColour;
  uint32_t foreColour = kNoColour;
  bool border = false;
  Align align = Align::Left;
  Art art = Art::None;
  int scrollMin = 0, scrollMax = 0;  // scroll bars only
  std::string pattern;               // file lists only: the file names shown, e.g. "*.txt*"
  std::string shortcut;              // menu items only: the key that runs it, e.g. "Ctrl+O"
  bool enabled = true;               // menu items only: whether it can be chosen at start
  bool checkable = false;            // menu items only: shows a tick when checked
};

// What the program changes at run time.
struct ControlState {
  std::string caption;  // caption (labels, buttons, menu items) or text (text boxes)
  bool visible = true;
  float left = 0, top = 0;  // twips; the marker strip can stand between whole twips
  int width = 0, height = 0;
  std::vector<std::string> items;  // lists
  int index = -1;                  // selected item of a list, -1 for none
  uint32_t backColour = kNoColour;
  int value = 0;         // scroll bar
  std::string folder;    // Dir1, File1: the folder shown; Drive1: the drive
  bool enabled = true;   // menu items: whether the user can choose it
  bool checked = false;  // checkable menu items: the tick
  std::string toolTip;   // the tip shown over it; the design's until changed
};

struct Control {
  ControlSpec spec;
  ControlState state;
  // "Label(3)" for array members, else the name.
  std::string Key() const;
};

// The design of the whole window, in creation order (containers before what
// they hold).
const std::vector<ControlSpec>& LayoutTable();

// Client area of the window in twips.
inline constexpr int kClientWidth = 16335;
inline constexpr int kClientHeight = 8505;
inline constexpr uint32_t kWindowBack = 0x80FF80;  // RGB (128, 255, 128)

}  // namespace zelk::form
