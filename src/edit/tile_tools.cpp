// The brush: picked up by a right-drag on the map or the tileset, stamped
// with a left press, or repeated as a pattern by the flood fill.

#include <algorithm>
#include <array>
#include <utility>

#include "edit/int_queue.h"
#include "edit/jill_level_viewer.h"
#include "level/level.h"

namespace {

// value reduced into 0 .. size - 1, never negative.
int Wrap(int value, int size) {
    const int r = value % size;
    return r < 0 ? r + size : r;
}

}  // namespace

void TJillLevelViewer::StartSelection() {
    int x = 0, y = 0;
    if (MouseOverTileset()) {
        TilesetGetMousePos(x, y);
        if (!IsValidTilesetPos(x, y)) return CancelSelection();
        selArea = 2;
    } else if (MouseOverMap()) {
        MapGetMouseTilePos(x, y);
        if (!IsValidTilePos(x, y)) return CancelSelection();
        selArea = 1;
    } else {
        return CancelSelection();
    }
    selStartX = x;
    selStartY = y;
}

void TJillLevelViewer::EndSelection() {
    int x = 0, y = 0;
    bool fromTileset = false, fromMap = false;
    if (MouseOverTileset() && selArea == 2) {
        TilesetGetMousePos(x, y);
        fromTileset = IsValidTilesetPos(x, y);
    } else if (MouseOverMap() && selArea == 1 && level) {
        MapGetMouseTilePos(x, y);
        fromMap = IsValidTilePos(x, y);
    }
    // A drag released over the other area, or off anything, keeps the brush.
    if (fromTileset || fromMap) {
        if (x < selStartX) std::swap(x, selStartX);
        if (y < selStartY) std::swap(y, selStartY);
        selW = x + 1 - selStartX;
        selH = y + 1 - selStartY;
        selTiles.assign(size_t(selW) * size_t(selH), 0);
        for (int j = 0; j < selH; ++j)
            for (int i = 0; i < selW; ++i)
                selTiles[size_t(i + j * selW)] =
                    fromTileset ? uint16_t(TilesetGetTileAt(selStartX + i, selStartY + j))
                                : level->Board(selStartX + i, selStartY + j);
    }
    CancelSelection();
}

void TJillLevelViewer::PlaceTiles() {
    if (!level || !MouseOverMap()) return;
    int x = 0, y = 0;
    MapGetMouseTilePos(x, y);
    if (!IsValidTilePos(x, y)) return;
    // SetTile drops the cells that fall off the board.
    for (int j = 0; j < selH; ++j)
        for (int i = 0; i < selW; ++i) level->SetTile(x + i, y + j, selTiles[size_t(i + j * selW)]);
    levelchanged = 1;
}

void TJillLevelViewer::FloodFill() {
    if (!level || !MouseOverMap()) return;
    int x0 = 0, y0 = 0;
    MapGetMouseTilePos(x0, y0);
    if (!IsValidTilePos(x0, y0)) return;
    const uint16_t target = level->Board(x0, y0);
    // Every cell is marked when it is queued and painted only later, so a
    // fill with the very tile it replaces still ends after one pass.
    std::array<uint8_t, kBoardWidth * kBoardHeight> visited{};
    TIntQueue queue(visited.size());
    auto visit = [&](int p) {
        const int x = p % kBoardWidth, y = p / kBoardWidth;
        if (visited[size_t(p)] || level->Board(x, y) != target) return;
        visited[size_t(p)] = 1;
        queue.Insert(p);
    };
    visited[size_t(x0 + kBoardWidth * y0)] = 1;
    queue.Insert(x0 + kBoardWidth * y0);
    while (!queue.IsEmpty()) {
        const int p = queue.Remove();
        const int x = p % kBoardWidth, y = p / kBoardWidth;
        level->SetTile(x, y, selTiles[size_t(Wrap(x - x0, selW) + Wrap(y - y0, selH) * selW)]);
        if (x > 0) visit(p - 1);
        if (x < kBoardWidth - 1) visit(p + 1);
        if (y > 0) visit(p - kBoardWidth);
        if (y < kBoardHeight - 1) visit(p + kBoardWidth);
    }
    levelchanged = 1;
}
