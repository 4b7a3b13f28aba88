#pragma once
// Reading back what a frame shows, for the end-to-end tests.

#include <cstdint>
#include <set>

#include "platform/pixmap.h"

// The colours (0xRRGGBB) found in a rectangle of the frame.
std::set<uint32_t> ColoursIn(const TPixmap& frame, int x, int y, int w, int h);
// The same, without black: what text or pictures drew on a black ground.
std::set<uint32_t> InkIn(const TPixmap& frame, int x, int y, int w, int h);

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
