// The layout as the editor asks it: for the open window and the pointer
// where it is now.

#include "edit/jill_level_viewer.h"
#include "level/level_object.h"
#include "screen/graphics.h"
#include "screen/input.h"

void TJillLevelViewer::InitWindow() { TScreenLayout::InitWindow(ScreenWidth(), ScreenHeight()); }

void TJillLevelViewer::ResizeWindow() {
    TScreenLayout::ResizeWindow(ScreenWidth(), ScreenHeight());
    // The panels keep their first row where the new height allows it.
    TilesetScrollWheel(0);
    ObjListScrollWheel(0, objects.size());
}

bool TJillLevelViewer::MouseOverMap() const { return MouseOverMap(PointerX(), PointerY()); }
bool TJillLevelViewer::MouseOverTileset() const { return MouseOverTileset(PointerX(), PointerY()); }
bool TJillLevelViewer::MouseOverObjectList() const { return MouseOverObjectList(PointerX(), PointerY()); }

void TJillLevelViewer::MapGetMouseTilePos(int& tx, int& ty) const { MapGetMouseTilePos(PointerX(), PointerY(), tx, ty); }

void TJillLevelViewer::MapGetMousePixelPos(int& px, int& py) const {
    MapGetMousePixelPos(PointerX(), PointerY(), px, py);
}

void TJillLevelViewer::MapGetObjectPos(const TLevelObject* obj, int& px, int& py) const {
    const bool alt = KeyIsDown(VK_LMENU) || KeyIsDown(VK_RMENU);
    MapGetObjectPos(PointerX(), PointerY(), obj, alt, px, py);
}

void TJillLevelViewer::TilesetGetMousePos(int& tx, int& ty) const { TilesetGetMousePos(PointerX(), PointerY(), tx, ty); }

std::shared_ptr<TLevelObject> TJillLevelViewer::ObjListGetObjAt(int x, int y) const {
    const int index = ObjListIndexAt(x, y, objects.size());
    return index < 0 ? nullptr : objects[size_t(index)];
}
