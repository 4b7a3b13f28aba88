#pragma once
// The fixed 256-colour palette shared by all four games. It is built into the
// program rather than read from the shape file: the games set these colours
// themselves, and every picture the editor composes indexes this one table.

#include "image/bitmap.h"

// Index 255 is the one fully transparent entry: pasting with limit 255 skips it
// and images made with alpha show through there.
constexpr uint8_t TransparentIndex = 255;

// A new table of the 256 game colours, 0xAARRGGBB.
TColorTablePtr MakeGamePalette();
