#include "gamedata/game_palette.h"

namespace {

constexpr uint32_t Opaque = 0xFF000000u;

// The 16 classic EGA colours, as the games' VGA DAC values scale them.
constexpr uint32_t BaseColors[16] = {
    0x000000, 0x0000A2, 0x00A200, 0x00A2A2, 0xA20000, 0xA200A2, 0xA25100, 0xA2A2A2,
    0x515151, 0x5151F7, 0x51F751, 0x51F7F7, 0xF75151, 0xF751F7, 0xF7F751, 0xF7F7F7,
};

constexpr uint32_t GreyRamp[8] = {
    0x181818, 0x343434, 0x696969, 0x7D7D7D, 0x8E8E8E, 0xB6B6B6, 0xCBCBCB, 0xDFDFDF,
};

constexpr uint32_t CubeBlue[6] = {0x00, 0x2C, 0x61, 0x8E, 0xC3, 0xF7};
constexpr uint32_t CubeGreen[7] = {0x00, 0x24, 0x51, 0x79, 0xA2, 0xCB, 0xF7};
constexpr uint32_t CubeRed[6] = {0x00, 0x2C, 0x61, 0x8E, 0xC3, 0xF7};

// The games left these corners of the cube out (mostly near-duplicates of the
// base colours) so that the whole palette fits in 256 entries.
bool LeftOutOfCube(uint32_t red, uint32_t green, uint32_t blue) {
    if (blue == 0x00 && green == 0x00) return true;
    if (blue == 0x00 && green == 0x24 && (red == 0x00 || red == 0x2C)) return true;
    return (green == 0xCB || green == 0xF7) && red == 0x00;
}

}  // namespace

TColorTablePtr MakeGamePalette() {
    auto palette = std::make_shared<TColorTable>();
    palette->reserve(256);
    for (uint32_t colour : BaseColors) palette->push_back(Opaque | colour);
    for (uint32_t colour : GreyRamp) palette->push_back(Opaque | colour);
    for (uint32_t blue : CubeBlue)
        for (uint32_t green : CubeGreen)
            for (uint32_t red : CubeRed)
                if (!LeftOutOfCube(red, green, blue))
                    palette->push_back(Opaque | red << 16 | green << 8 | blue);
    (*palette)[TransparentIndex] &= 0x00FFFFFFu;
    return palette;
}
