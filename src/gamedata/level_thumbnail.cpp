#include "gamedata/level_thumbnail.h"

#include <cmath>

#include "gamedata/level_picture.h"
#include "gamedata/tile_info.h"
#include "image/bitmap_resize.h"
#include "level/level.h"

namespace {

// Plain colours: 0 black (tile 0), 255 white (no tile); between them 127
// muted hues once round the colour wheel, each light (odd entries) and dark.
constexpr uint8_t kNoTileEntry = 255;
constexpr int kHues = 127;

uint32_t PlainColour(int entry) {
    const double hue = double((entry - 1) / 2) / kHues * 6;
    const double value = entry % 2 ? 0.9 : 0.7, saturation = 0.6;
    const double f = hue - std::floor(hue);
    const double p = value * (1 - saturation), q = value * (1 - saturation * f);
    const double t = value * (1 - saturation * (1 - f));
    double r = value, g = t, b = p;
    switch (int(hue) % 6) {
        case 1: r = q, g = value, b = p; break;
        case 2: r = p, g = value, b = t; break;
        case 3: r = p, g = q, b = value; break;
        case 4: r = t, g = p, b = value; break;
        case 5: r = value, g = p, b = q; break;
        default: break;
    }
    const auto channel = [](double c) { return uint32_t(std::lround(c * 255)); };
    return 0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
}

TColorTablePtr PlainColours() {
    auto colours = std::make_shared<TColorTable>(256, 0xFF000000u);
    for (int entry = 1; entry < kNoTileEntry; ++entry) (*colours)[size_t(entry)] = PlainColour(entry);
    (*colours)[kNoTileEntry] = 0xFFFFFFFFu;
    return colours;
}

uint8_t PlainEntry(int tile) {
    if (tile == 0) return 0;
    if (tile >= TileCount) return kNoTileEntry;
    // The hue follows the number; odd and even tiles differ in lightness.
    return uint8_t(1 + 2 * ((tile - 1) * kHues / (TileCount - 1)) + tile % 2);
}

}  // namespace

TBitmapPtr PlainBoardPicture(const TLevel& level) {
    TBitmapPtr board = CreateBitmap(kBoardWidth, kBoardHeight, PlainColours(), 0);
    for (int y = 0; y < kBoardHeight; ++y)
        for (int x = 0; x < kBoardWidth; ++x)
            board->fPixels[size_t(y) * kBoardWidth + size_t(x)] = PlainEntry(level.Board(x, y));
    return board;
}

TBitmapPtr LevelThumbnail(const TLevel& level, const TShapeManager* shapes, const TTileInfo* tiles, int32_t maxWidth) {
    if (maxWidth < 2) return nullptr;
    const int32_t width = maxWidth - maxWidth % 2;
    const TBitmapPtr whole = shapes && tiles ? LevelToBitmap(level, shapes, tiles) : PlainBoardPicture(level);
    return whole ? ResizeBitmap(*whole, width, width / 2) : nullptr;
}
