#pragma once
// Two small drawing routines the map, its previews and the dialogs share.

#include <string>

// A one-unit outline in the current colour. An object without a size (w and
// h both 0) gets the outline of one tile at zoom.
void DrawOutline(int x, int y, int w, int h, float zoom);
// text on a black box just wide enough for it, in the current colour.
void DrawTextOnBlack(const std::string& text, int x, int y);
