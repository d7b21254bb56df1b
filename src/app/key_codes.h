// Qt key numbers as the key codes the program's key handler reads.
#pragma once

namespace zelk::app {

// The Windows virtual-key code of a Qt key: arrows 37-40, letters 65-90,
// digits 48-57 and the common named keys; 0 for a key with no such code.
int VirtualKeyCode(int qtKey);

}  // namespace zelk::app
