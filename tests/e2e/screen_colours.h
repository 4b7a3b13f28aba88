#pragma once
// Reading back what a frame shows, for the end-to-end tests.

#include <cstdint>
#include <set>

#include <string>

#include "image/pixmap.h"

class TBitmap;
class TTestHost;

// The colours (0xRRGGBB) found in a rectangle of the frame.
std::set<uint32_t> ColoursIn(const TPixmap& frame, int x, int y, int w, int h);
// The same, without black: what text or pictures drew on a black ground.
std::set<uint32_t> InkIn(const TPixmap& frame, int x, int y, int w, int h);

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// The colour a picture's pixel shows on the screen: its palette colour, and
// black for the see-through index 255, which a picture keeps where a tile
// has it and the screen leaves on the black ground.
uint32_t PictureColour(const TBitmap& picture, int x, int y);

// Whether the frame shows text in colour at (x, y) exactly as the built-in
// font draws it there: drawn again on a cleared frame and compared (the top
// row, where the status bar's line runs, is left out). Clears the window.
bool ShowsText(TTestHost& host, const TPixmap& frame, const std::string& text, int x, int y, uint32_t colour);
