// make-icon SIZE OUT: draws Tarn's application icon, SIZE x SIZE pixels, and
// writes it as a palette PNG with a transparent surround. The build draws
// every size the desktop asks for, so no picture is kept in the sources.
//
// The picture: a mountain tarn on a rounded tile, two snowy peaks over a
// lake, with the tile grid of a level map laid faintly over the sky. Every
// shape is given in units of the icon's side, so all sizes show the same.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/png_save.h"

namespace {

enum TIconColour : uint8_t { CLEAR, SKY_HIGH, SKY_LOW, GRID, ROCK, ROCK_SHADE, SNOW, WATER, WATER_LIGHT, GRASS, FRAME };

TColorTablePtr IconPalette() {
    auto palette = std::make_shared<TColorTable>(256, 0xFF000000u);
    (*palette)[CLEAR] = 0x00000000u;
    (*palette)[SKY_HIGH] = 0xFF3A6FC4u;
    (*palette)[SKY_LOW] = 0xFF8EC3F0u;
    (*palette)[GRID] = 0xFF6FA4E0u;
    (*palette)[ROCK] = 0xFF7A6F66u;
    (*palette)[ROCK_SHADE] = 0xFF574D46u;
    (*palette)[SNOW] = 0xFFF4F7FAu;
    (*palette)[WATER] = 0xFF1F5F9Eu;
    (*palette)[WATER_LIGHT] = 0xFF5FA8E0u;
    (*palette)[GRASS] = 0xFF3E8E3Au;
    (*palette)[FRAME] = 0xFF1C2A3Au;
    return palette;
}

// Inside a rounded square of side 1 whose corners have radius r.
bool InRoundedSquare(double x, double y, double r) {
    const double cx = std::fmax(r - x, std::fmax(x - (1 - r), 0.0));
    const double cy = std::fmax(r - y, std::fmax(y - (1 - r), 0.0));
    return cx * cx + cy * cy <= r * r;
}

// Height of a peak at x: its summit at (top x, top y), its flanks falling
// with slope.
double PeakTop(double x, double summitX, double summitY, double slope) {
    return summitY + std::fabs(x - summitX) * slope;
}

uint8_t ColourAt(double x, double y, double pixel) {
    if (!InRoundedSquare(x, y, 0.18)) return CLEAR;
    if (!InRoundedSquare((x - pixel * 2) / (1 - pixel * 4), (y - pixel * 2) / (1 - pixel * 4), 0.16)) return FRAME;

    const double lakeTop = 0.68;
    if (y >= lakeTop) {
        // The lake, an ellipse in the grass, with two bright ripples.
        const double ex = (x - 0.5) / 0.40, ey = (y - 0.80) / 0.13;
        if (ex * ex + ey * ey > 1) return GRASS;
        for (double ripple : {0.76, 0.84})
            if (std::fabs(y - ripple) < std::fmax(pixel, 0.012) && std::fabs(x - 0.5) < 0.18) return WATER_LIGHT;
        return WATER;
    }
    const double left = PeakTop(x, 0.36, 0.20, 1.25), right = PeakTop(x, 0.68, 0.32, 1.1);
    if (y >= left || y >= right) {
        const bool leftPeak = y >= left && (y < right || left <= right);
        const double summitY = leftPeak ? 0.20 : 0.32;
        if (y < summitY + 0.12) return SNOW;
        // The flank away from the light is in shade.
        const bool shaded = leftPeak ? x > 0.36 : x > 0.68;
        return shaded ? ROCK_SHADE : ROCK;
    }
    // The sky, with the tile grid of a map over it.
    const double cell = 1.0 / 8, line = std::fmax(pixel, 0.008);
    if (std::fmod(x, cell) < line || std::fmod(y, cell) < line) return GRID;
    return y < 0.35 ? SKY_HIGH : SKY_LOW;
}

TBitmapPtr DrawIcon(int size) {
    TBitmapPtr icon = CreateBitmap(size, size, IconPalette(), CLEAR);
    const double pixel = 1.0 / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            icon->fPixels[size_t(y) * size_t(size) + size_t(x)] = ColourAt((x + 0.5) * pixel, (y + 0.5) * pixel, pixel);
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: make-icon SIZE OUT (SIZE from 16 to 1024)\n");
        return 2;
    }
    if (!SavePng(DrawIcon(size), argv[2], 1)) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
