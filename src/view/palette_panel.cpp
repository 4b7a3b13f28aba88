// The object palette in the side panel: a checkerboard of 32 x 32 cells,
// each object centred in its cell.

#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "level/level_object.h"
#include "screen/graphics.h"

namespace {

constexpr int kCell = 32;

void DrawPaletteObject(const TLevelObject& obj, const TShapeManager* shapes, int x, int y) {
    SetColor(255, 255, 255);
    if (!obj.myshape) {
        DrawString(std::to_string(obj.objkind), float(x + 8), float(y + 8));
        return;
    }
    const int cx = obj.xl <= kCell ? x + (kCell - obj.xl) / 2 : x;
    const int cy = obj.yl <= kCell ? y + (kCell - obj.yl) / 2 : y;
    for (const TMyShape* s = obj.myshape.get(); s; s = s->succ.get()) {
        if (s->image)
            DrawImageAt(s->image, float(cx + s->x), float(cy + s->y));
        else if (shapes)
            shapes->DrawSh(s->sh, cx + s->x, cy + s->y);
    }
}

}  // namespace

void TJillLevelViewer::DrawObjectList() {
    TilesetViewport();
    int grey = 85;
    int x = tilesX, y = tilesY;
    for (size_t i = size_t(objCamY) * size_t(objCamW); i < objects.size(); ++i) {
        // An empty slot keeps its place and its turn of colour.
        if (const TLevelObject* obj = objects[i].get()) {
            SetColor(grey, grey, grey);
            SetViewport(x, y, kCell, y + kCell > statusY ? statusY - y : kCell);
            DrawRect(float(x), float(y), kCell, kCell);
            DrawPaletteObject(*obj, shapeman.get(), x, y);
        }
        x += kCell;
        grey ^= 0x22;
        if (x >= tilesX + tilesW) {
            y += kCell;
            if (y >= statusY) break;
            x = tilesX;
            // Each row starts with the colour the row before ended with.
            grey ^= 0x22;
        }
    }
    SetColor(255, 255, 255);
    FullViewport();
}
