// The tileset panel: the game's 600 tiles, tilesCamW to a row, from row
// tilesCamY on, drawn from one picture of them all that is remade only when
// the game data, the row width or the attribute display change.

#include <algorithm>
#include <memory>
#include <optional>

#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "level/level.h"
#include "screen/graphics.h"
#include "system/clock.h"
#include "view/tile_layer.h"

class TTilesetPicture {
public:
    // True when the picture shows exactly what drawing every entry shows:
    // not while some entry's picture is larger or smaller than its cell.
    bool Update(const std::shared_ptr<TShapeManager>& shapeManager, const std::shared_ptr<TTileInfo>& tileInfo,
                int perRow, bool attributes) {
        if (cells && SameAs(shapeManager, tileInfo) && perRow == columns && attributes == withAttributes)
            return whole;
        shapes = shapeManager, tiles = tileInfo, columns = perRow, withAttributes = attributes;
        cells.emplace(columns, (TileCount + columns - 1) / columns);
        whole = true;
        for (int t = 0; t < TileCount; ++t) {
            const TImage* attributeImage = attributes ? tileInfo->tiles[size_t(t)].attributeImg.get() : nullptr;
            whole &= cells->PaintCell(t % columns, t / columns,
                                      attributeImage ? attributeImage
                                                     : TileShapeImage(*shapeManager, *tileInfo, uint16_t(t)));
        }
        return whole;
    }

    const TImage& Picture() const { return cells->Picture(); }

private:
    bool SameAs(const std::shared_ptr<TShapeManager>& shapeManager, const std::shared_ptr<TTileInfo>& tileInfo) const {
        return !shapes.owner_before(shapeManager) && !shapeManager.owner_before(shapes) && !shapes.expired() &&
               !tiles.owner_before(tileInfo) && !tileInfo.owner_before(tiles) && !tiles.expired();
    }

    std::optional<TCellPicture> cells;
    std::weak_ptr<TShapeManager> shapes;
    std::weak_ptr<TTileInfo> tiles;
    int columns = 0;
    bool withAttributes = false;
    bool whole = false;
};

namespace {

// One entry as the panel draws it when it cannot use the picture.
void DrawTilesetEntry(const TShapeManager& shapes, const TTileInfo& tiles, int t, bool attributes, int x, int y) {
    const TImagePtr& attributeImage = tiles.tiles[size_t(t)].attributeImg;
    if (attributes && attributeImage) DrawImageAt(attributeImage, float(x), float(y));
    else shapes.DrawSh(tiles.GetShape(uint16_t(t)), x, y);
}

// A one-pixel 16 x 16 outline in a blue-to-white pulse.
void DrawFoundTileMark(int x, int y) {
    const TColor color = CurrentColor();
    const int c = int(TickCount() & 255);
    SetColor(c, c, 255);
    DrawRect(float(x), float(y), 1, kTileSize);
    DrawRect(float(x), float(y), kTileSize, 1);
    DrawRect(float(x), float(y + kTileSize - 1), kTileSize, 1);
    DrawRect(float(x + kTileSize - 1), float(y), 1, kTileSize);
    SetColor(color);
}

}  // namespace

void TJillLevelViewer::DrawTileset() {
    TilesetViewport();
    const float scaleX = DrawScaleX(), scaleY = DrawScaleY();
    SetDrawScale(1, 1);
    const bool attributes = drawtiles == 3;
    bool pictured = false;
    if (shapeman && tileinfo && tilesCamW > 0) {
        if (!tilesetPicture) tilesetPicture = std::make_shared<TTilesetPicture>();
        pictured = tilesetPicture->Update(shapeman, tileinfo, tilesCamW, attributes);
    }
    // The first row is always drawn, the others while their top lies within
    // tilesH, so only full rows are shown.
    if (pictured) {
        const int rows = 1 + std::max(0, (tilesH - tilesY) / kTileSize);
        DrawImageRect(tilesetPicture->Picture(), 0, tilesCamY * kTileSize, tilesCamW * kTileSize, rows * kTileSize,
                      float(tilesX), float(tilesY));
    }
    int t = tilesCamY * tilesCamW, x = tilesX, y = tilesY, column = 0;
    while (t >= 0 && t < TileCount) {
        if (!pictured && shapeman && tileinfo) DrawTilesetEntry(*shapeman, *tileinfo, t, attributes, x, y);
        if (t == findtile) DrawFoundTileMark(x, y);
        x += kTileSize;
        if (++column >= tilesCamW) {
            x = tilesX, y += kTileSize, column = 0;
            if (y > tilesH) break;
        }
        ++t;
    }
    SetDrawScale(scaleX, scaleY);
    FullViewport();
}
