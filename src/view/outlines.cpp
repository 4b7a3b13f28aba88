#include "view/outlines.h"

#include "level/level.h"
#include "screen/graphics.h"

void DrawOutline(int x, int y, int w, int h, float zoom) {
    if (w == 0 && h == 0) w = h = static_cast<int>(kTileSize * zoom);
    DrawRect(float(x), float(y), float(w), 1);
    DrawRect(float(x), float(y), 1, float(h));
    DrawRect(float(x), float(y + h - 1), float(w), 1);
    DrawRect(float(x + w - 1), float(y), 1, float(h));
}

void DrawTextOnBlack(const std::string& text, int x, int y) {
    const TColor ink = CurrentColor();
    SetColor(0, 0, 0);
    DrawRect(float(x), float(y), float(StringWidth(text) + 2), float(StringHeight(text)));
    SetColor(ink);
    DrawString(text, float(x), float(y));
}
