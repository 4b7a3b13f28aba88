// What a click would do, drawn under the pointer: the rectangle being
// dragged, the brush where it would land, or the object held for placing.

#include <algorithm>
#include <cstdlib>

#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "level/level.h"
#include "level/level_object.h"
#include "level/object_kinds.h"
#include "screen/graphics.h"
#include "view/outlines.h"

namespace {

// A frame two pixels thick straddling the edge of (x, y, w, h).
void DragFrame(int x, int y, int w, int h) {
    DrawRect(float(x - 1), float(y - 1), float(w + 2), 2);
    DrawRect(float(x - 1), float(y - 1), 2, float(h + 2));
    DrawRect(float(x - 1), float(y + h - 1), float(w + 2), 2);
    DrawRect(float(x + w - 1), float(y - 1), 2, float(h + 2));
}

}  // namespace

void TJillLevelViewer::DrawTileSelectionPreview() {
    if (editobjs) return;
    const int p = int(kTileSize * mapZoom);
    int x = 0, y = 0;
    if (selArea == 1 && MouseOverMap()) {
        MapGetMouseTilePos(x, y);
        if (!IsValidTilePos(x, y)) return;
        MapViewport();
        DragFrame(mapX + (std::min(x, selStartX) - camX) * p, mapY + (std::min(y, selStartY) - camY) * p,
                  (std::abs(x - selStartX) + 1) * p, (std::abs(y - selStartY) + 1) * p);
        FullViewport();
    } else if (selArea == 2 && MouseOverTileset()) {
        TilesetGetMousePos(x, y);
        if (!IsValidTilesetPos(x, y)) return;
        TilesetViewport();
        DragFrame(tilesX + std::min(x, selStartX) * kTileSize, tilesY + (std::min(y, selStartY) - tilesCamY) * kTileSize,
                  (std::abs(x - selStartX) + 1) * kTileSize, (std::abs(y - selStartY) + 1) * kTileSize);
        FullViewport();
    } else if (selArea == 0 && MouseOverMap() && !MouseOverTileset() && shapeman && tileinfo) {
        MapGetMouseTilePos(x, y);
        if (!IsValidTilePos(x, y)) return;
        const int left = mapX + (x - camX) * p, top = mapY + (y - camY) * p;
        MapViewport();
        SetDrawScale(mapZoom, mapZoom);
        for (int j = 0; j < selH; ++j)
            for (int i = 0; i < selW; ++i) {
                const uint16_t tile = selTiles[size_t(i + j * selW)];
                // A brush taken from the map may hold a value that names no
                // tile; it shows nothing, as on the map.
                if ((tile & 0x3FF) >= TileCount) continue;
                const TImagePtr& attribute = tileinfo->tiles[tile & 0x3FF].attributeImg;
                if (drawtiles == 3 && tile < TileCount && attribute)
                    DrawImageAt(attribute, float(left + i * p), float(top + j * p));
                else
                    shapeman->DrawSh(tileinfo->GetShape(tile), left + i * p, top + j * p);
            }
        SetDrawScale(1, 1);
        const int w = selW * p, h = selH * p;
        DrawRect(float(left), float(top), float(w), 1);
        DrawRect(float(left), float(top), 1, float(h));
        DrawRect(float(left), float(top + h - 1), float(w), 1);
        DrawRect(float(left + w - 1), float(top), 1, float(h));
        FullViewport();
    }
}

void TJillLevelViewer::DrawObjectPreview() {
    if (!editobjs || !selObj || selLink || !MouseOverMap()) return;
    MapViewport();
    int px = 0, py = 0;
    MapGetObjectPos(selObj.get(), px, py);
    const int sx = int(mapX - (camX * kTileSize - px) * mapZoom), sy = int(mapY - (camY * kTileSize - py) * mapZoom);
    const int ox = AsSigned16(selObj->x), oy = AsSigned16(selObj->y);
    SetDrawScale(mapZoom, mapZoom);
    for (const TMyShape* s = selObj->myshape.get(); s; s = s->succ.get()) {
        const float x = sx + (s->x - ox) * mapZoom, y = sy + (s->y - oy) * mapZoom;
        if (s->image)
            DrawImageAt(s->image, x, y);
        else if (s->sh != 0 && shapeman)
            shapeman->DrawSh(s->sh, int(x), int(y));
    }
    SetDrawScale(1, 1);
    DrawOutline(sx, sy, int(selObj->xl * mapZoom), int(selObj->yl * mapZoom), mapZoom);
    FullViewport();
}
