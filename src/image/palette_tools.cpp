#include "image/palette_tools.h"

#include <cstdlib>

namespace {

int ChannelDistance(uint32_t a, uint32_t b, int shift) {
    return std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
}

int RgbDistance(uint32_t a, uint32_t b) {
    return ChannelDistance(a, b, 0) + ChannelDistance(a, b, 8) + ChannelDistance(a, b, 16);
}

// The first entry strictly closer than `best` wins, so among equal entries the
// lowest index is kept. An exact match cannot be beaten, so the search may end there.
template <typename Distance>
uint8_t SearchPalette(uint32_t colour, const TColorTable& palette, int best, Distance distance) {
    uint8_t found = 0;
    size_t count = palette.size() < 256 ? palette.size() : 256;
    for (size_t i = 0; i < count; ++i) {
        int d = distance(colour, palette[i]);
        if (d < best) {
            best = d;
            found = uint8_t(i);
            if (d == 0) break;
        }
    }
    return found;
}

}  // namespace

uint8_t NearestPaletteIndex(uint32_t colour, const TColorTable& palette) {
    return SearchPalette(colour, palette, 1000, RgbDistance);
}

uint8_t NearestPaletteIndexWithAlpha(uint32_t colour, const TColorTable& palette) {
    return SearchPalette(colour, palette, 1000, [](uint32_t a, uint32_t b) {
        return RgbDistance(a, b) + ChannelDistance(a, b, 24);
    });
}

uint8_t NearestPaletteIndexAlphaFirst(uint32_t colour, const TColorTable& palette) {
    // Colour differences sum to at most 765, so weighting alpha by 1024 makes any
    // alpha difference outweigh them; 0x3FFFF lies above every possible distance.
    return SearchPalette(colour, palette, 0x3FFFF, [](uint32_t a, uint32_t b) {
        return RgbDistance(a, b) + 1024 * ChannelDistance(a, b, 24);
    });
}
