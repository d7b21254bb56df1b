// The key codes that the window passes on with each key and the handlers
// read: the Windows virtual-key numbers, one table for both.
#pragma once

namespace zelk::form::key {

inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kEnter = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kAlt = 18;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeftArrow = 37;
inline constexpr int kUpArrow = 38;
inline constexpr int kRightArrow = 39;
inline constexpr int kDownArrow = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
// Letters and digits are their upper-case character's number; F1 to F12
// follow each other from here.
inline constexpr int kF1 = 112;

// The keys held with a key or a click, as a set.
inline constexpr int kShiftHeld = 1;
inline constexpr int kCtrlHeld = 2;

}  // namespace zelk::form::key
