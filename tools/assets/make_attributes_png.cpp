// make-attributes-png OUT: draws the tile attribute icon sheet and writes it
// as an 8-bit palette PNG on the game palette, index 255 transparent. The
// result is kept as assets/attributes.png and built into the program; run
// this again only when the icons change.

#include <cstdio>

#include "gamedata/attribute_sheet.h"
#include "gamedata/game_palette.h"
#include "image/png_save.h"

namespace {

constexpr int Cell = AttributeCellSize;

enum : uint8_t { WHITE = 15, BLUE = 9, BROWN = 24, RED = 27, GREEN = 51, YELLOW = 55 };

void Put(TBitmap& sheet, int cell, int x, int y, uint8_t colour) {
    sheet.fPixels[size_t(y) * sheet.fWidth + cell * Cell + x] = colour;
}

void Frame(TBitmap& sheet, int cell, int left, int top, int right, int bottom, uint8_t colour) {
    for (int x = left; x <= right; ++x) {
        Put(sheet, cell, x, top, colour);
        Put(sheet, cell, x, bottom, colour);
    }
    for (int y = top; y <= bottom; ++y) {
        Put(sheet, cell, left, y, colour);
        Put(sheet, cell, right, y, colour);
    }
}

// A white box with a red outline: the marks of the touch and update/draw cells.
void Mark(TBitmap& sheet, int cell, int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) Put(sheet, cell, x, y, WHITE);
    Frame(sheet, cell, left, top, right, bottom, RED);
}

TBitmapPtr DrawSheet() {
    TBitmapPtr sheet = CreateBitmap(6 * Cell, Cell, MakeGamePalette(), TransparentIndex);
    Frame(*sheet, 0, 0, 0, Cell - 1, Cell - 1, YELLOW);       // solid; its top row: stair
    Frame(*sheet, 1, 0, 0, Cell - 1, Cell - 1, BROWN);        // solid for Tiny
    Frame(*sheet, 2, 1, 1, Cell - 2, Cell - 2, BLUE);         // water
    for (int y = 0; y < Cell; ++y) {                          // vine
        uint8_t colour = y % 2 == 0 ? YELLOW : GREEN;
        Put(*sheet, 3, 7, y, colour);
        Put(*sheet, 3, 8, y, colour);
    }
    Mark(*sheet, 4, 5, 5, 10, 10);                            // touch
    Mark(*sheet, 5, 11, 1, 15, 6);                            // update
    Mark(*sheet, 5, 11, 9, 15, 14);                           // draw
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-attributes-png OUT\n");
        return 2;
    }
    if (!SavePng(DrawSheet(), argv[1], 1)) {
        std::fprintf(stderr, "make-attributes-png: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
