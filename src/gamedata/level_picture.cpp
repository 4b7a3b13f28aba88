#include "gamedata/level_picture.h"

#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "image/bitmap.h"
#include "level/level.h"

namespace {

constexpr uint16_t kOpaque = 256;        // Paste limit that copies every index
constexpr uint16_t kSeeThrough = 255;    // Paste limit that leaves index 255 out

void PasteWhole(TBitmap& target, const TBitmap* picture, int x, int y, uint16_t limit) {
    if (picture) target.Paste(picture, 0, 0, picture->fWidth, picture->fHeight, x, y, limit);
}

// A tile takes its cell only, whatever the size of the frame it names.
void PasteCell(TBitmap& target, const TBitmap* picture, int x, int y, uint16_t limit) {
    if (picture) target.Paste(picture, 0, 0, kTileSize, kTileSize, x, y, limit);
}

void DrawTiles(TBitmap& shot, const TLevel& level, const TShapeManager& shapes, const TTileInfo& tiles) {
    for (int ty = 0; ty < kBoardHeight; ++ty)
        for (int tx = 0; tx < kBoardWidth; ++tx) {
            uint16_t overlay = kNoOverlay;
            const uint16_t tile = level.GetTile(tx, ty, overlay);
            const int px = tx * kTileSize, py = ty * kTileSize;
            PasteCell(shot, TileFrame(shapes, tiles, tile), px, py, kOpaque);
            if (overlay == kNoOverlay) continue;
            // An overlay with bit 15 is the cell's own tile, drawn over its
            // neighbour's even when that one names no tile; otherwise it is a
            // shape number (the edges of the ledge tiles).
            const TBitmap* over =
                overlay & 0x8000 ? TileFrame(shapes, tiles, overlay & 0x7FFF) : shapes.FrameBitmap(overlay);
            PasteCell(shot, over, px, py, kSeeThrough);
        }
}

void DrawObjects(TBitmap& shot, const TLevel& level, const TShapeManager& shapes) {
    // Last to first, so that object 0 (the player) ends on top, as on the map.
    for (auto it = level.objs.rbegin(); it != level.objs.rend(); ++it) {
        if (!*it) continue;
        for (const TMyShape* s = (*it)->myshape.get(); s; s = s->succ.get())
            PasteWhole(shot, s->bitmap ? s->bitmap.get() : shapes.FrameBitmap(s->sh), s->x, s->y, kSeeThrough);
    }
}

}  // namespace

std::shared_ptr<TBitmap> LevelToBitmap(const TLevel& level, const TShapeManager* shapes, const TTileInfo* tiles) {
    // A copy of the palette, so that making index 0 opaque for the picture
    // leaves the game palette itself alone.
    auto palette = std::make_shared<TColorTable>(shapes ? *shapes->Palette : TColorTable(256, 0));
    if (!palette->empty()) (*palette)[0] |= 0xFF000000u;
    TBitmapPtr shot = CreateBitmap(kBoardWidth * kTileSize, kBoardHeight * kTileSize, palette, 0);
    if (!shot || !shapes) return shot;
    // The frames are read in place, never copied: a level pastes the same few
    // hundred of them thousands of times.
    if (tiles) DrawTiles(*shot, level, *shapes, *tiles);
    DrawObjects(*shot, level, *shapes);
    return shot;
}
