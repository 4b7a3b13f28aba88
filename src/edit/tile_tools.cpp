// The brush: picked up by a right-drag on the map or the tileset, stamped
// with a left press, or repeated as a pattern by the flood fill.

#include <cstdlib>
#include <utility>

#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "screen/input.h"

namespace {

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
    ForEachStrokeAnchor(*this, [&](int x, int y) { changes = changes || StampChangesBoard(*level, x, y, Brush()); });
    return changes;
}

void TJillLevelViewer::RecordStroke() {
    if (strokeRecorded) return;
    MakeUndoState();
    strokeRecorded = 1;
}

void TJillLevelViewer::PlaceTiles() {
    if (!level) return;
    ForEachStrokeAnchor(*this, [&](int x, int y) { StampBrush(document, x, y, Brush()); });
    strokeLastX = PointerX();
    strokeLastY = PointerY();
    strokeHasLast = 1;
}

void TJillLevelViewer::FloodFill() {
    if (!level || !MouseOverMap()) return;
    int x0 = 0, y0 = 0;
    MapGetMouseTilePos(x0, y0);
    FillWithBrush(document, x0, y0, Brush());
}
