#include "base/log.h"
#include "gamedata/attribute_sheet.h"
#include "gamedata/game_palette.h"
#include "gamedata/tile_flags.h"
#include "gamedata/tile_info.h"

namespace {

// One icon of the sheet, pasted when its flag bit is in the given state.
struct TFlagIcon {
    uint16_t bit;
    bool whenSet;
    int sx, sy, w, h;   // part of the sheet
    int dy;             // target row in the tile
};

constexpr int Cell = AttributeCellSize;
constexpr int Half = AttributeCellSize / 2;

// Later icons are drawn over earlier ones, so the order is part of the look.
constexpr TFlagIcon FlagIcons[] = {
    {TILE_TINYTHRU, false, 1 * Cell, 0, Cell, Cell, 0},
    {TILE_WATER, true, 2 * Cell, 0, Cell, Cell, 0},
    {TILE_PLAYERTHRU, false, 0 * Cell, 0, Cell, Cell, 0},
    {TILE_NOTSTAIR, false, 0 * Cell, 0, Cell, 1, 0},   // the top row of the solid frame
    {TILE_NOTVINE, false, 3 * Cell, 0, Cell, Cell, 0},
    {TILE_TOUCH, true, 4 * Cell, 0, Cell, Cell, 0},
    {TILE_DRAW, true, 5 * Cell, Half, Cell, Half, Half},
    {TILE_UPDATE, true, 5 * Cell, 0, Cell, Half, 0},
};

// Flags the icons do not show; they are noted in the log so that unusual
// tiles can be found.
struct TUnshownFlag {
    uint16_t bit;
    const char* name;
};

constexpr TUnshownFlag UnshownFlags[] = {
    {TILE_INSIDE, "inside"},     {TILE_FRONT, "front"},       {TILE_TRIGGER, "trigger"},
    {TILE_ALWAYS, "always"},     {TILE_KILLABLE, "killable"}, {TILE_FIREBALL, "fireball"},
    {TILE_UNNAMED, "0x8000"},
};

}  // namespace

void TTile::GenerateAttributeImage(const TBitmapPtr& sheet, const TShapeManagerPtr& shapeman) {
    if (!sheet) return;
    TBitmapPtr bitmap = CreateBitmap(Cell, Cell, sheet->fColorTable, TransparentIndex);
    // The picture goes in opaque: its colour 0 is already the transparent index
    // unless its table keeps colour 0.
    if (shapeman) bitmap->Paste(shapeman->GetBitmap(sh), 0, 0, Cell, Cell, 0, 0, 256);

    for (const TFlagIcon& icon : FlagIcons) {
        if (((flags & icon.bit) != 0) == icon.whenSet)
            bitmap->Paste(sheet, icon.sx, icon.sy, icon.w, icon.h, 0, icon.dy, TransparentIndex);
    }
    for (const TUnshownFlag& unshown : UnshownFlags) {
        if (flags & unshown.bit)
            LogBlock(std::string("GenerateAttributeImage() :: Unhandled flag bit: ") + unshown.name);
    }
    attributeImg = bitmap->ToImage(1);
}
