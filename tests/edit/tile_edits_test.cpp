#include <gtest/gtest.h>

#include <vector>

#include "document/level_document.h"
#include "document/tile_edits.h"
#include "level/level.h"

namespace {

TEST(TileEdits, StampingAndFillingSpeakInTilesAndStayOnTheBoard) {
    TLevelDocument document;
    document.New();
    TLevel& level = *document.level;
    const std::vector<uint16_t> nine = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const TBrush square{nine, 3, 3};

    EXPECT_TRUE(StampChangesBoard(level, 126, 62, square));
    StampBrush(document, 126, 62, square);
    EXPECT_EQ(document.levelchanged, 1);
    EXPECT_EQ(level.Board(126, 62), 1);
    EXPECT_EQ(level.Board(127, 63), 5) << "the brush is clipped at the right and bottom edges";
    EXPECT_FALSE(StampChangesBoard(level, 126, 62, square)) << "the same stamp again changes nothing";

    // A wall of tile 9 around columns 0-19, rows 0-9, open nowhere.
    for (int x = 0; x <= 20; ++x) level.SetTile(x, 10, 9);
    for (int y = 0; y <= 10; ++y) level.SetTile(20, y, 9);
    level.SetTile(21, 11, 0);
    const std::vector<uint16_t> checker = {7, 8, 8, 7};
    FillWithBrush(document, 10, 5, TBrush{checker, 2, 2});
    EXPECT_EQ(level.Board(10, 5), 7) << "the brush's top-left cell falls on the clicked tile";
    EXPECT_EQ(level.Board(11, 5), 8);
    EXPECT_EQ(level.Board(9, 4), 7) << "the pattern repeats to the left and up as well";
    EXPECT_EQ(level.Board(0, 0), 8) << "the fill reaches the board's top-left corner";
    EXPECT_EQ(level.Board(21, 9), 0) << "the wall blocks the fill";
    EXPECT_EQ(level.Board(20, 5), 9);
    EXPECT_EQ(level.Board(21, 11), 0) << "a cell touching only at a corner is not reached";

    // From the bottom-right corner the rest of the board outside the wall
    // fills, the stamp's cells left alone.
    const std::vector<uint16_t> three = {3};
    FillWithBrush(document, 127, 0, TBrush{three, 1, 1});
    EXPECT_EQ(level.Board(0, 63), 3);
    EXPECT_EQ(level.Board(127, 63), 5);
    EXPECT_EQ(level.Board(10, 5), 7);

    // Off the board nothing happens, not even a change mark.
    document.levelchanged = 0;
    FillWithBrush(document, 128, 0, TBrush{three, 1, 1});
    FillWithBrush(document, 0, -1, TBrush{three, 1, 1});
    EXPECT_EQ(document.levelchanged, 0);
}

TEST(TileEdits, EachEditIsUndoneAndRedoneWholeAndANewEditForgetsTheRedo) {
    TLevelDocument document;
    document.New();
    const std::vector<uint16_t> one = {1}, two = {2};
    EXPECT_FALSE(document.CanUndo());

    document.MakeUndoState();
    StampBrush(document, 5, 5, TBrush{one, 1, 1});
    StampBrush(document, 6, 5, TBrush{one, 1, 1});
    document.MakeUndoState();
    FillWithBrush(document, 0, 0, TBrush{two, 1, 1});
    EXPECT_EQ(document.undoList->size(), 2u);

    document.levelchanged = 0;
    document.Undo();
    EXPECT_EQ(document.levelchanged, 1) << "a restored state counts as a change";
    EXPECT_EQ(document.level->Board(0, 0), 0);
    document.Undo();
    EXPECT_EQ(document.level->Board(5, 5), 0) << "the whole stroke is one step";
    EXPECT_FALSE(document.CanUndo());
    document.Undo();
    EXPECT_EQ(document.redoList->size(), 2u) << "undo with nothing to undo changes nothing";

    document.Redo();
    EXPECT_EQ(document.level->Board(6, 5), 1);
    document.MakeUndoState();
    StampBrush(document, 0, 0, TBrush{two, 1, 1});
    EXPECT_FALSE(document.CanRedo()) << "a new edit discards what was undone";
    document.Redo();
    EXPECT_EQ(document.level->Board(0, 0), 2);
}

}  // namespace
