#pragma once
// The brush's edits of the board, in tiles: stamping it with its top-left
// cell on a tile, and repeating it as a pattern over the area a fill reaches.

#include <cstdint>
#include <span>

class TLevel;
class TLevelDocument;

// A rectangle of w x h tile values, row by row: cell (i, j) is tiles[i + j * w].
struct TBrush {
    std::span<const uint16_t> tiles;
    int w = 1, h = 1;

    uint16_t At(int i, int j) const { return tiles[size_t(i + j * w)]; }
};

// True when stamping brush at tile (tx, ty) would change a cell of the board.
bool StampChangesBoard(const TLevel& level, int tx, int ty, const TBrush& brush);
// Stamps brush with its top-left cell on tile (tx, ty); cells that fall off
// the board are dropped.
void StampBrush(TLevelDocument& document, int tx, int ty, const TBrush& brush);
// Fills the 4-connected area of cells equal to tile (tx, ty) with brush
// repeated as a pattern, its top-left cell on (tx, ty). Nothing off the board.
void FillWithBrush(TLevelDocument& document, int tx, int ty, const TBrush& brush);
