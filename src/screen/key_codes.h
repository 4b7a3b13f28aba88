#pragma once
// Translation between SDL's keys and the Windows virtual-key codes the rest of
// the program polls (input.h), made as Windows makes them, so that a shortcut
// sits on the key that carries its letter on any keyboard.

#include <SDL_keycode.h>
#include <SDL_scancode.h>

// The code of a key in the active layout, from its position (scancode) and
// the character the layout gives it (SDL's key code):
// - a key that types a Latin letter has that letter's code, 'A'-'Z';
// - a punctuation key has the VK_OEM_* code of its character, the shifted
//   and unshifted characters of a US key alike ("+" and "=" are VK_OEM_PLUS);
// - the digit row is '0'-'9' by position, also where it types symbols;
// - keys without a character (arrows, function keys, modifiers, keypad,
//   Enter, Escape, Tab, Backspace, ...) and keys whose character is none of
//   the above (another alphabet, a dead key) have the code of their position.
// 0 for keys without a code.
int VirtualKeyFromKey(SDL_Scancode scancode, SDL_Keycode keycode);
// The code of the key at that position on a US keyboard; 0 when it has none.
int VirtualKeyFromScancode(SDL_Scancode scancode);
// The first position that has the code on a US keyboard; SDL_SCANCODE_UNKNOWN when none does.
SDL_Scancode ScancodeFromVirtualKey(int key);
