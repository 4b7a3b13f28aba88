#include "edit/screen_layout.h"

#include <cmath>

#include "gamedata/tile_info.h"
#include "level/level.h"
#include "level/level_object.h"
#include "screen/graphics.h"

namespace {

constexpr int kPaletteCellSize = 32;
constexpr int kTextRow = 16;
constexpr int kDefaultTilesetWidth = 20;

// Half-open on the right and bottom, like every region of the window.
bool Inside(int x, int y, int left, int top, int width, int height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

// The buttons are given by their first and last pixels.
bool InsideSpan(int x, int y, int left, int right, int top, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

// One axis of a dropped object: a point near the middle of a tile centres the
// object on it, one in the tile's far third aligns the object's far edge with
// the tile's, anything else (and a drop without an object) its near edge.
// Only the size modulo a tile matters, so a large object lines up the same way.
int SnapAxis(int p, bool hasObject, int size) {
    const int inTile = p & (kTileSize - 1);
    const int tileStart = p & ~(kTileSize - 1);
    const int slack = (kTileSize - size) & (kTileSize - 1);
    if (hasObject && inTile >= 6 && inTile <= 9) return tileStart + slack / 2;
    if (hasObject && inTile >= 10) return tileStart + slack;
    return tileStart;
}

// The first row shown, after a wheel turn, for a panel of count entries in
// rows of perRow of which visible fit at once.
void ScrollRows(int& row, int wheel, int perRow, int visible, int count) {
    row -= wheel;
    if (row * perRow + visible > count) row = (count - visible + perRow - 1) / perRow;
    if (row < 0) row = 0;
}

void RowUp(int& row) {
    if (row > 0) --row;
}

void RowDown(int& row, int perRow, int visible, int count) {
    if (row * perRow + visible < count) ++row;
}

}  // namespace

void TScreenLayout::InitWindow(int width, int height) {
    LayOut(width, height);
    SetMapZoom(1.0f);
}

void TScreenLayout::ResizeWindow(int width, int height) {
    LayOut(width, height);
    SetMapZoom(mapZoom);
}

void TScreenLayout::LayOut(int width, int height) {
    statusY = height - kTextRow;
    tilesX = 0;
    tilesY = kTextRow;
    SetTilesetWidth(kDefaultTilesetWidth);
    mapX = tilesX + tilesW;
    mapY = 0;
    mapW = width - mapX;
    mapH = statusY - mapY;
}

void TScreenLayout::SetTilesetWidth(int w) {
    objCamW = w / 2;
    tilesCamW = 2 * objCamW;
    tilesW = kTileSize * tilesCamW;
    tilesH = statusY - tilesY;
    tilesCamAmount = (tilesH / kTileSize) * tilesCamW;
    objCamAmount = (tilesH / kPaletteCellSize) * objCamW;
}

void TScreenLayout::SetMapZoom(float z) {
    mapZoom = z;
    mapTilesW = static_cast<int>(mapW / (z * kTileSize));
    mapTilesH = static_cast<int>(mapH / (z * kTileSize));
    maxCamX = kBoardWidth - mapTilesW;
    maxCamY = kBoardHeight - mapTilesH;
    FixCam();
}

void TScreenLayout::FixCam() {
    if (camX > maxCamX) camX = maxCamX;
    if (camY > maxCamY) camY = maxCamY;
    if (camX < 0) camX = 0;
    if (camY < 0) camY = 0;
}

void TScreenLayout::ZoomIn() {
    SetMapZoom(mapZoom < 1.0f ? mapZoom * 2.0f : mapZoom + 1.0f);
}

void TScreenLayout::ZoomOut() {
    if (mapZoom > 1.0f)
        SetMapZoom(mapZoom - 1.0f);
    else if (mapZoom * kTileSize >= 2.0f)
        SetMapZoom(mapZoom / 2.0f);
}

void TScreenLayout::PanCamera(int startCamX, int startCamY, int dx, int dy) {
    const float tileOnScreen = mapZoom * kTileSize;
    camX = startCamX - static_cast<int>(std::lround(dx / tileOnScreen));
    camY = startCamY - static_cast<int>(std::lround(dy / tileOnScreen));
    FixCam();
}

void TScreenLayout::ResetZoom() {
    SetMapZoom(1.0f);
}

bool TScreenLayout::MouseOverMap(int x, int y) const {
    return Inside(x, y, mapX, mapY, mapW, mapH);
}

bool TScreenLayout::MouseOverTileset(int x, int y) const {
    return editobjs == 0 && Inside(x, y, tilesX, tilesY, tilesW, tilesH);
}

bool TScreenLayout::MouseOverObjectList(int x, int y) const {
    return editobjs == 1 && Inside(x, y, tilesX, tilesY, tilesW, tilesH);
}

// The conversions run in single precision and truncate toward zero, so a
// point just left of or above the view still lands on tile 0.
void TScreenLayout::MapGetMouseTilePos(int x, int y, int& tx, int& ty) const {
    const float tileOnScreen = mapZoom * kTileSize;
    tx = static_cast<int>((x - mapX) / tileOnScreen + camX);
    ty = static_cast<int>((y - mapY) / tileOnScreen + camY);
}

void TScreenLayout::MapGetMousePixelPos(int x, int y, int& px, int& py) const {
    px = static_cast<int>((x - mapX) / mapZoom + kTileSize * camX);
    py = static_cast<int>((y - mapY) / mapZoom + kTileSize * camY);
}

void TScreenLayout::MapGetObjectPos(int x, int y, const TLevelObject* obj, bool alt, int& px, int& py) const {
    MapGetMousePixelPos(x, y, px, py);
    if (alt) return;
    px = SnapAxis(px, obj != nullptr, obj ? obj->xl : 0);
    py = SnapAxis(py, obj != nullptr, obj ? obj->yl : 0);
}

bool TScreenLayout::IsValidTilePos(int x, int y) { return IsOnBoard(x, y); }

bool TScreenLayout::IsValidPixelPos(int px, int py) {
    return px >= 0 && px < kBoardWidth * kTileSize && py >= 0 && py < kBoardHeight * kTileSize;
}

void TScreenLayout::MapGetTileAt(int x, int y, int& tx, int& ty) const {
    const float tileOnScreen = mapZoom * kTileSize;
    tx = static_cast<int>(std::floor((x - mapX) / tileOnScreen + camX));
    ty = static_cast<int>(std::floor((y - mapY) / tileOnScreen + camY));
}

bool TScreenLayout::IsVisibleTilePos(int tx, int ty) const {
    int lastX = 0, lastY = 0;
    MapGetTileAt(mapX + mapW - 1, mapY + mapH - 1, lastX, lastY);
    return IsValidTilePos(tx, ty) && tx >= camX && tx <= lastX && ty >= camY && ty <= lastY;
}

void TScreenLayout::TilesetGetMousePos(int x, int y, int& tx, int& ty) const {
    tx = (x - tilesX) / kTileSize;
    ty = (y - tilesY) / kTileSize + tilesCamY;
}

int TScreenLayout::TilesetGetTileAt(int tx, int ty) const {
    return tx + ty * tilesCamW;
}

bool TScreenLayout::IsValidTilesetPos(int tx, int ty) const {
    const int entry = TilesetGetTileAt(tx, ty);
    return entry >= 0 && entry < TileCount;
}

int TScreenLayout::ObjListIndexAt(int x, int y, size_t count) const {
    if (!MouseOverObjectList(x, y)) return -1;
    const int i = (x - tilesX) / kPaletteCellSize + ((y - tilesY) / kPaletteCellSize + objCamY) * objCamW;
    return i >= 0 && static_cast<size_t>(i) < count ? i : -1;
}

void TScreenLayout::TilesetScrollWheel(int wheel) {
    ScrollRows(tilesCamY, wheel, tilesCamW, tilesCamAmount, TileCount);
}

void TScreenLayout::TilesetRowUp() {
    RowUp(tilesCamY);
}

void TScreenLayout::TilesetRowDown() {
    RowDown(tilesCamY, tilesCamW, tilesCamAmount, TileCount);
}

void TScreenLayout::ObjListScrollWheel(int wheel, size_t count) {
    ScrollRows(objCamY, wheel, objCamW, objCamAmount, static_cast<int>(count));
}

void TScreenLayout::ObjListRowUp() {
    RowUp(objCamY);
}

void TScreenLayout::ObjListRowDown(size_t count) {
    RowDown(objCamY, objCamW, objCamAmount, static_cast<int>(count));
}

void TScreenLayout::FullViewport() const {
    SetViewport(0, 0, ScreenWidth(), ScreenHeight());
}

void TScreenLayout::MapViewport() const {
    SetViewport(mapX, mapY, mapW, mapH);
}

void TScreenLayout::TilesetViewport() const {
    SetViewport(tilesX, tilesY, tilesW, tilesH);
}

bool TScreenLayout::MouseOverTilesButton(int x, int y) {
    return InsideSpan(x, y, 0, 55, 0, 15);
}

bool TScreenLayout::MouseOverObjectsButton(int x, int y) {
    return InsideSpan(x, y, 56, 127, 0, 15);
}

bool TScreenLayout::MouseOverInventoryButton(int x, int y) {
    return InsideSpan(x, y, 128, 263, 0, 15);
}

bool TScreenLayout::MouseOverUndoButton(int x, int y) const {
    return InsideSpan(x, y, 8, 39, statusY, statusY + 15);
}

bool TScreenLayout::MouseOverRedoButton(int x, int y) const {
    return InsideSpan(x, y, 48, 79, statusY, statusY + 15);
}
