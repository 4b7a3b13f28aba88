// The brush: picked up by a right-drag on the map or the tileset, stamped
// with a left press, or repeated as a pattern by the flood fill.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "edit/int_queue.h"
#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "screen/input.h"

namespace {

// value reduced into 0 .. size - 1, never negative.
int Wrap(int value, int size) {
    const int r = value % size;
    return r < 0 ? r + size : r;
}

// Bresenham's line: visit(x, y) for every cell from (x0, y0) to (x1, y1),
// both ends included, each step to one of the eight neighbours.
template <class Visit>
void ForEachLineCell(int x0, int y0, int x1, int y1, Visit&& visit) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        visit(x0, y0);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * err;
        if (twice >= dy) {
            err += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// The cells this pass of the stroke anchors the brush on: the line from the
// pointer's tile at the stroke's previous pass to its tile now, or just the
// tile now on the stroke's first pass. The line runs through tiles beyond the
// map view too, but only the tiles the view shows are painted: a pointer
// that leaves the view paints up to its edge, and one that comes back starts
// again at the edge where it enters, never across what it passed off the map
// or behind the side panel.
template <class Visit>
void ForEachStrokeAnchor(const TJillLevelViewer& viewer, Visit&& visit) {
    int x1 = 0, y1 = 0;
    viewer.MapGetTileAt(PointerX(), PointerY(), x1, y1);
    int x0 = x1, y0 = y1;
    if (viewer.strokeHasLast) viewer.MapGetTileAt(viewer.strokeLastX, viewer.strokeLastY, x0, y0);
    ForEachLineCell(x0, y0, x1, y1, [&](int x, int y) {
        if (viewer.IsVisibleTilePos(x, y)) visit(x, y);
    });
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

void TJillLevelViewer::BeginStroke() {
    strokeHasLast = 0;
    strokeRecorded = 0;
    pickStartX = pickStartY = -1;
    if (!MouseOverTileset()) return;
    int x = 0, y = 0;
    TilesetGetMousePos(x, y);
    if (!IsValidTilesetPos(x, y)) return;
    pickStartX = x;
    pickStartY = y;
}

void TJillLevelViewer::EndStroke() {
    if (!StrokeBeganOnTileset()) return;
    int x = 0, y = 0;
    if (MouseOverTileset()) TilesetGetMousePos(x, y);
    if (MouseOverTileset() && x == pickStartX && y == pickStartY) {
        // The right-drag's own ending, over that one entry.
        selArea = 2;
        selStartX = x;
        selStartY = y;
        EndSelection();
    }
    pickStartX = pickStartY = -1;
}

bool TJillLevelViewer::PlaceTilesChangesBoard() const {
    if (!level) return false;
    bool changes = false;
    ForEachStrokeAnchor(*this, [&](int x, int y) {
        for (int j = 0; j < selH; ++j)
            for (int i = 0; i < selW; ++i) {
                const int cx = x + i, cy = y + j;
                // The whole word counts: painting over a flagged cell clears its flags.
                if (IsValidTilePos(cx, cy) && level->bd[size_t(cx) * kBoardHeight + size_t(cy)] != selTiles[size_t(i + j * selW)])
                    changes = true;
            }
    });
    return changes;
}

void TJillLevelViewer::RecordStroke() {
    if (strokeRecorded) return;
    MakeUndoState();
    strokeRecorded = 1;
}

void TJillLevelViewer::PlaceTiles() {
    if (!level) return;
    ForEachStrokeAnchor(*this, [&](int x, int y) {
        // SetTile drops the cells that fall off the board.
        for (int j = 0; j < selH; ++j)
            for (int i = 0; i < selW; ++i) level->SetTile(x + i, y + j, selTiles[size_t(i + j * selW)]);
        levelchanged = 1;
    });
    strokeLastX = PointerX();
    strokeLastY = PointerY();
    strokeHasLast = 1;
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
