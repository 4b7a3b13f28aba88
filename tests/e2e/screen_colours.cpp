#include "e2e/screen_colours.h"

std::set<uint32_t> ColoursIn(const TPixmap& frame, int x, int y, int w, int h) {
    std::set<uint32_t> colours;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) colours.insert(ReadPixel(frame, i, j) & 0xFFFFFF);
    return colours;
}

std::set<uint32_t> InkIn(const TPixmap& frame, int x, int y, int w, int h) {
    std::set<uint32_t> colours = ColoursIn(frame, x, y, w, h);
    colours.erase(0);
    return colours;
}
