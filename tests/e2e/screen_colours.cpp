#include "e2e/screen_colours.h"

#include "image/bitmap.h"
#include "screen/graphics.h"
#include "support/test_host.h"

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

uint32_t PictureColour(const TBitmap& picture, int x, int y) {
    const uint8_t index = picture.fPixels[size_t(y) * size_t(picture.fWidth) + size_t(x)];
    return index == 255 ? 0 : (*picture.fColorTable)[index] & 0xFFFFFF;
}

bool ShowsText(TTestHost& host, const TPixmap& frame, const std::string& text, int x, int y, uint32_t colour) {
    Cls();
    SetColor(int(colour >> 16), int(colour >> 8 & 255), int(colour & 255));
    DrawString(text, float(x), float(y));
    SetColor(255, 255, 255);
    const auto alone = host.Capture();
    // The top row is left out: the status bar's line runs along it.
    for (int j = y + 1; j < y + 16; ++j)
        for (int i = x; i < x + StringWidth(text); ++i)
            if (((ReadPixel(*alone, i, j) & 0xFFFFFF) == colour) != ((ReadPixel(frame, i, j) & 0xFFFFFF) == colour))
                return false;
    return true;
}
