// Qt key numbers as the key codes the program's key handler reads.
#pragma once

#include <Qt>

namespace zelk::app {

// The Windows virtual-key code of a Qt key: arrows 37-40, letters 65-90,
// digits 48-57 and the common named keys; 0 for a key with no such code.
int VirtualKeyCode(int qtKey);

// The keys held with a key or a click, as the page reads them: Shift and
// Ctrl (form::key::kShiftHeld, kCtrlHeld). Shift or Ctrl released is not
// held with itself, as some platforms report it.
int HeldKeys(Qt::KeyboardModifiers modifiers, int qtKey = 0);

}  // namespace zelk::app
