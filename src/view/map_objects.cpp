// The map view: its two layers, and the marks and text for the objects the
// pointer is on.

#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "screen/graphics.h"
#include "system/clock.h"
#include "view/object_hit_tests.h"
#include "view/outlines.h"

namespace {

// Screen position of a level pixel, before truncation.
float ScreenX(const TScreenLayout& view, int lx) { return view.mapX + (lx - float(kTileSize) * view.camX) * view.mapZoom; }
float ScreenY(const TScreenLayout& view, int ly) { return view.mapY + (ly - float(kTileSize) * view.camY) * view.mapZoom; }

void OutlineObject(const TScreenLayout& view, const TLevelObject& obj) {
    DrawOutline(int(ScreenX(view, AsSigned16(obj.x))), int(ScreenY(view, AsSigned16(obj.y))),
                int(obj.xl * view.mapZoom), int(obj.yl * view.mapZoom), view.mapZoom);
}

}  // namespace

void TJillLevelViewer::DrawLevel() {
    MapViewport();
    SetDrawScale(mapZoom, mapZoom);
    DrawLevelTiles();
    DrawLevelObjects();
    SetDrawScale(1, 1);
    FullViewport();
}

void TJillLevelViewer::DrawLevelObjects() {
    if (!drawobjs || !level) return;
    // Last to first: object 0, the player, ends on top of everything.
    for (auto it = level->objs.rbegin(); it != level->objs.rend(); ++it) {
        const TLevelObject* obj = it->get();
        if (!obj) continue;
        if (drawobjs & 1)
            for (const TMyShape* s = obj->myshape.get(); s; s = s->succ.get()) {
                const float sx = ScreenX(*this, s->x), sy = ScreenY(*this, s->y);
                if (s->image)
                    DrawImageAt(s->image, sx, sy);
                else if (s->sh != 0 && shapeman)
                    shapeman->DrawSh(s->sh, int(sx), int(sy));
            }
        if (drawobjs & 2) {
            if (obj == selObj.get()) {
                const int t = TickCount() & 255;
                SetColor(255, t, t);
                flashing = 1;
            }
            // One screen pixel wide at every zoom.
            SetDrawScale(1, 1);
            OutlineObject(*this, *obj);
            SetDrawScale(mapZoom, mapZoom);
            SetColor(255, 255, 255);
        }
    }
}

void TJillLevelViewer::DrawLevelObjectInfo() {
    // Over the panels the pointer's level pixel lies off the visible map; the
    // text would describe objects nobody is pointing at.
    if (!drawobjs || !level || !MouseOverMap()) return;
    SetDrawScale(1, 1);
    int px = 0, py = 0;
    MapGetMousePixelPos(px, py);
    int offset = 0;
    for (const TLevelObjectPtr& obj : level->objs) {
        if (!obj || !InHitbox(px, py, *obj)) continue;
        // The texts of overlapping objects stack down from the corner.
        for (const std::string& line : SplitLine(ObjectToString(obj.get()), mapW)) {
            DrawTextOnBlack(line, mapX, mapY + offset);
            offset += 16;
        }
        HighlightLinkedObjects(obj.get());
    }
}

void TJillLevelViewer::HighlightLinkedObjects(const TLevelObject* obj) {
    const int t = TickCount() & 255;
    SetColor(t, t, 255);
    if (obj && level && IsLinkableKind(obj->objkind))
        for (const TLevelObjectPtr& other : level->objs)
            if (other && ObjectsLinked(obj, other.get())) {
                OutlineObject(*this, *other);
                flashing = 1;
            }
    SetColor(255, 255, 255);
}
