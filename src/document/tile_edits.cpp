#include "document/tile_edits.h"

#include <array>

#include "document/int_queue.h"
#include "document/level_document.h"
#include "level/level.h"

namespace {

// value reduced into 0 .. size - 1, never negative.
int Wrap(int value, int size) {
    const int r = value % size;
    return r < 0 ? r + size : r;
}

}  // namespace

bool StampChangesBoard(const TLevel& level, int tx, int ty, const TBrush& brush) {
    for (int j = 0; j < brush.h; ++j)
        for (int i = 0; i < brush.w; ++i) {
            const int x = tx + i, y = ty + j;
            // The whole word counts: painting over a flagged cell clears its flags.
            if (IsOnBoard(x, y) && level.bd[size_t(x) * kBoardHeight + size_t(y)] != brush.At(i, j)) return true;
        }
    return false;
}

void StampBrush(TLevelDocument& document, int tx, int ty, const TBrush& brush) {
    if (!document.level) return;
    // SetTile drops the cells that fall off the board.
    for (int j = 0; j < brush.h; ++j)
        for (int i = 0; i < brush.w; ++i) document.level->SetTile(tx + i, ty + j, brush.At(i, j));
    document.levelchanged = 1;
}

void FillWithBrush(TLevelDocument& document, int tx, int ty, const TBrush& brush) {
    TLevel* level = document.level.get();
    if (!level || !IsOnBoard(tx, ty)) return;
    const uint16_t target = level->Board(tx, ty);
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
    visited[size_t(tx + kBoardWidth * ty)] = 1;
    queue.Insert(tx + kBoardWidth * ty);
    while (!queue.IsEmpty()) {
        const int p = queue.Remove();
        const int x = p % kBoardWidth, y = p / kBoardWidth;
        level->SetTile(x, y, brush.At(Wrap(x - tx, brush.w), Wrap(y - ty, brush.h)));
        if (x > 0) visit(p - 1);
        if (x < kBoardWidth - 1) visit(p + 1);
        if (y > 0) visit(p - kBoardWidth);
        if (y < kBoardHeight - 1) visit(p + kBoardWidth);
    }
    document.levelchanged = 1;
}
