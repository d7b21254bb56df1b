#include "app/key_codes.h"

#include <Qt>
#include <utility>

#include "form/key_codes.h"

namespace zelk::app {

int HeldKeys(Qt::KeyboardModifiers modifiers, int qtKey) {
  return (modifiers & Qt::ShiftModifier && qtKey != Qt::Key_Shift ? form::key::kShiftHeld : 0) |
         (modifiers & Qt::ControlModifier && qtKey != Qt::Key_Control ? form::key::kCtrlHeld : 0);
}

int VirtualKeyCode(int qtKey) {
  // Letters and digits share their numbers.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return form::key::kF1 + (qtKey - Qt::Key_F1);
  using namespace form::key;
  static constexpr std::pair<int, int> kNamed[] = {
      {Qt::Key_Backspace, kBackspace}, {Qt::Key_Tab, kTab},
      {Qt::Key_Return, kEnter},        {Qt::Key_Enter, kEnter},
      {Qt::Key_Shift, kShift},         {Qt::Key_Control, kControl},
      {Qt::Key_Alt, kAlt},             {Qt::Key_Escape, kEscape},
      {Qt::Key_Space, kSpace},         {Qt::Key_PageUp, kPageUp},
      {Qt::Key_PageDown, kPageDown},   {Qt::Key_End, kEnd},
      {Qt::Key_Home, kHome},           {Qt::Key_Left, kLeftArrow},
      {Qt::Key_Up, kUpArrow},          {Qt::Key_Right, kRightArrow},
      {Qt::Key_Down, kDownArrow},      {Qt::Key_Insert, kInsert},
      {Qt::Key_Delete, kDelete},
  };
  for (const auto& [qt, code] : kNamed) {
    if (qt == qtKey) return code;
  }
  return 0;
}

}  // namespace zelk::app
