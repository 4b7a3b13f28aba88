#pragma once
// Translation between SDL's physical key positions and the Windows
// virtual-key codes the rest of the program polls (input.h).

#include <SDL_scancode.h>

// 0 for keys without a code.
int VirtualKeyFromScancode(SDL_Scancode scancode);
// The first scancode that gives the code; SDL_SCANCODE_UNKNOWN when none does.
SDL_Scancode ScancodeFromVirtualKey(int key);
