// Painting a level as a person does: brushes picked up with the right
// button, strokes and fills with the left, what a click would do shown
// before it, and every stroke undone and redone.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "level/level.h"
#include "level/level_file.h"
#include "screen/graphics.h"
#include "support/files.h"

namespace {

using TBoard = std::array<uint16_t, kBoardWidth * kBoardHeight>;

// Screen positions at zoom 1 with the camera at (0, 0).
int CellX(int tx) { return 320 + 16 * tx + 8; }
int CellY(int ty) { return 16 * ty + 8; }
int EntryX(int t) { return 16 * (t % 20) + 8; }
int EntryY(int t) { return 16 + 16 * (t / 20) + 8; }

uint16_t Cell(const TBoard& board, int x, int y) { return board[size_t(x) * kBoardHeight + size_t(y)]; }

// Zoom 1/4 with the camera at (0, 0): four screen pixels a tile.
int QuarterX(int tx) { return 320 + 4 * tx + 2; }
int QuarterY(int ty) { return 4 * ty + 2; }

using TCells = std::vector<std::pair<int, int>>;

// The cells that differ between two boards, column by column.
TCells ChangedCells(const TBoard& before, const TBoard& after) {
    TCells changed;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (Cell(before, x, y) != Cell(after, x, y)) changed.emplace_back(x, y);
    return changed;
}

// The cells a stroke changed are the line from (x0, y0) to (x1, y1), which
// runs further across than down: one cell in every column from x0 to x1,
// each on the line to within a cell, nothing else.
void ExpectLine(const TBoard& before, const TBoard& after, int x0, int y0, int x1, int y1) {
    const TCells changed = ChangedCells(before, after);
    EXPECT_EQ(changed.size(), size_t(x1 - x0 + 1));
    std::vector<int> perColumn(kBoardWidth, 0);
    for (const auto& [x, y] : changed) {
        ASSERT_TRUE(x >= x0 && x <= x1) << x << "," << y;
        ++perColumn[size_t(x)];
        const double onLine = y0 + double(y1 - y0) * (x - x0) / (x1 - x0);
        EXPECT_LE(std::abs(y - onLine), 1.0) << x << "," << y;
    }
    for (int x = x0; x <= x1; ++x) EXPECT_EQ(perColumn[size_t(x)], 1) << "column " << x;
}

// The level file as saved: the original bytes with the board as given.
std::vector<uint8_t> WithBoard(std::vector<uint8_t> file, const TBoard& board) {
    for (size_t k = 0; k < board.size(); ++k) {
        file[2 * k] = uint8_t(board[k] & 0xFF);
        file[2 * k + 1] = uint8_t(board[k] >> 8);
    }
    return file;
}

class TileEditing : public TEditorSession {
protected:
    // One step each: the program reads each pass's input apart.
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    void Drag(int button, int fromX, int fromY, int toX, int toY) {
        Step([=, this] {
            host.MoveMouse(fromX, fromY);
            host.ButtonDown(button);
        });
        Step([=, this] { host.MoveMouse(toX, toY); });
        Step([=, this] { host.ButtonUp(button); });
    }
    void CtrlKey(int key) {
        Step([this] { host.KeyDown(VK_LCONTROL); });
        Step([this, key] { host.PressKey(key); });
        Step([this] { host.KeyUp(VK_LCONTROL); });
    }
    // A left drag from one window point to another at step pixels a pass
    // along the longer axis: fast, as a hand moves, so the pointer skips
    // cells between passes.
    void FastDrag(int fromX, int fromY, int toX, int toY, int step) {
        const int passes = std::max(1, (std::max(std::abs(toX - fromX), std::abs(toY - fromY)) + step - 1) / step);
        Step([=, this] {
            host.MoveMouse(fromX, fromY);
            host.ButtonDown(1);
        });
        for (int k = 1; k <= passes; ++k)
            Step([=, this] {
                host.MoveMouse(fromX + (toX - fromX) * k / passes, fromY + (toY - fromY) * k / passes);
            });
        Step([this] { host.ButtonUp(1); });
    }
    TBoard Board() const { return viewer.level->bd; }
    size_t Undos() const { return viewer.undoList->size(); }
    size_t Redos() const { return viewer.redoList->size(); }
};

TEST_F(TileEditing, BrushesStrokesUndoAndRedoAreSavedExactly) {
    const std::string path = game + "showcase.jn1";
    const std::vector<uint8_t> original = ReadFileBytes(path);
    TBoard before{}, painted{};
    LoadFromMenu("showcase.jn1");
    // A brush from the tileset, dragged from bottom-right to top-left.
    Drag(2, EntryX(67), EntryY(67), EntryX(45), EntryY(45));
    Step([&] {
        EXPECT_EQ(viewer.selW, 3);
        EXPECT_EQ(viewer.selH, 2);
        EXPECT_EQ(viewer.selTiles, (std::vector<uint16_t>{45, 46, 47, 65, 66, 67}));
        before = Board();
        // The brush under the pointer before any click: its cells and a frame.
        host.MoveMouse(CellX(5), CellY(5));
    });
    host.WaitFrames(2);
    Step([&] {
        const auto frame = host.Capture();
        EXPECT_EQ(ReadPixel(*frame, 320 + 80, 80) & 0xFFFFFF, Rgb(255, 255, 255));
        EXPECT_EQ(ReadPixel(*frame, 320 + 80 + 47, 80 + 31) & 0xFFFFFF, Rgb(255, 255, 255));
        EXPECT_TRUE(ShowsText(host, *frame, "UNDO", 8, 704, Rgb(128, 128, 128)));
        host.ButtonDown(1);
    });
    // A stroke over several cells is one undo state.
    Step([&] { host.MoveMouse(CellX(9), CellY(5)); });
    Step([&] {
        // The camera at the board's far corner: the brush is clipped there.
        viewer.camX = viewer.maxCamX;
        viewer.camY = viewer.maxCamY;
        host.MoveMouse(CellX(126 - viewer.camX), CellY(62 - viewer.camY));
    });
    Step([&] {
        host.ButtonUp(1);
        viewer.camX = viewer.camY = 0;
    });
    Step([&] {
        EXPECT_EQ(Undos(), 1u);
        EXPECT_EQ(viewer.levelchanged, 1);
        const TBoard now = Board();
        EXPECT_EQ(Cell(now, 5, 5), 45);
        EXPECT_EQ(Cell(now, 11, 6), 67);
        EXPECT_EQ(Cell(now, 127, 63), 66);
        EXPECT_EQ(Cell(now, 126, 62), 45);
        painted = now;
    });
    host.WaitFrames(2);
    Step([&] { EXPECT_TRUE(ShowsText(host, *host.Capture(), "UNDO", 8, 704, Rgb(255, 255, 255))); });
    CtrlKey('Z');
    Step([&] {
        EXPECT_EQ(Board(), before);
        EXPECT_EQ(Undos(), 0u);
        EXPECT_EQ(Redos(), 1u);
    });
    CtrlKey('Y');
    Step([&] { EXPECT_EQ(Board(), painted); });
    CtrlKey('S');
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] {
        EXPECT_EQ(ReadFileBytes(path), WithBoard(original, painted));
        // A new stroke empties the redo list.
        viewer.Undo();
        host.MoveMouse(CellX(20), CellY(20));
        host.ButtonDown(1);
    });
    Step([&] { host.ButtonUp(1); });
    Step([&] {
        EXPECT_EQ(Undos(), 1u);
        EXPECT_EQ(Redos(), 0u);
        // A brush from the map keeps the tile numbers without the flags.
        viewer.level->SetTile(30, 30, 0xC005);
    });
    Drag(2, CellX(30), CellY(30), CellX(31), CellY(30));
    Step([&] {
        EXPECT_EQ(viewer.selTiles, (std::vector<uint16_t>{5, viewer.level->Board(31, 30)}));
        // A drag that ends over the other area keeps the brush, and so does
        // one that both buttons cancel.
        host.MoveMouse(CellX(2), CellY(2));
        host.ButtonDown(2);
    });
    Step([&] { host.MoveMouse(EntryX(3), EntryY(3)); });
    host.WaitFrames(1);
    Step([&] { host.ButtonUp(2); });
    Step([&] {
        EXPECT_EQ(viewer.selW, 2);
        host.MoveMouse(CellX(2), CellY(2));
        host.ButtonDown(2);
    });
    Step([&] { host.MoveMouse(CellX(4), CellY(3)); });
    host.WaitFrames(2);
    Step([&] {
        // The rectangle being dragged: a frame two pixels thick on its edge.
        const auto frame = host.Capture();
        EXPECT_EQ(ReadPixel(*frame, 320 + 32 - 1, 32 - 1) & 0xFFFFFF, Rgb(255, 255, 255));
        EXPECT_EQ(ReadPixel(*frame, 320 + 32 + 48, 32 + 32) & 0xFFFFFF, Rgb(255, 255, 255));
        host.ButtonDown(1);
    });
    Step([&] {
        host.ButtonUp(1);
        host.ButtonUp(2);
    });
    std::vector<uint16_t> brush;
    Step([&] {
        EXPECT_EQ(viewer.selW, 2);
        EXPECT_EQ(viewer.selH, 1);
        EXPECT_EQ(viewer.selArea, 0);
        // On the tileset too, whichever button goes down or is let go first:
        // neither the rectangle nor the entry under the left button is picked.
        brush = viewer.selTiles;
        host.MoveMouse(EntryX(3), EntryY(3));
        host.ButtonDown(2);
    });
    Step([&] { host.MoveMouse(EntryX(24), EntryY(24)); });
    Step([&] { host.ButtonDown(1); });
    Step([&] { host.ButtonUp(1); });
    Step([&] { host.ButtonUp(2); });
    Step([&] {
        EXPECT_EQ(viewer.selTiles, brush);
        host.ButtonDown(1);
    });
    Step([&] { host.ButtonDown(2); });
    Step([&] { host.ButtonUp(2); });
    Step([&] { host.ButtonUp(1); });
    Step([&] {
        EXPECT_EQ(viewer.selTiles, brush);
        host.PressKey(VK_ESCAPE);
    });
    host.ExpectProceed(0);   // quit without saving the last changes
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

TEST_F(TileEditing, FastStrokesPaintTheirWholeLineAndEachUndoesAlone) {
    LoadFromMenu("tiles.jn2");
    TBoard start{}, zoomedIn{}, lines{}, outAndBack{};
    Step([&] {
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) viewer.level->SetTile(x, y, 7);
        start = Board();
    });
    Drag(2, EntryX(45), EntryY(45), EntryX(45), EntryY(45));   // a one-cell brush
    // 40 pixels a pass: two and a half cells at zoom 1.
    FastDrag(CellX(4), CellY(10), CellX(58), CellY(31), 40);
    Step([&] {
        ExpectLine(start, Board(), 4, 10, 58, 31);
        EXPECT_EQ(Undos(), 1u);
        zoomedIn = Board();
        host.PressKey(VK_SUBTRACT);
    });
    Step([&] { host.PressKey(VK_SUBTRACT); });
    // Ten cells a pass at zoom 1/4.
    FastDrag(QuarterX(2), QuarterY(40), QuarterX(120), QuarterY(62), 40);
    Step([&] {
        EXPECT_EQ(viewer.mapZoom, 0.25f);
        ExpectLine(zoomedIn, Board(), 2, 40, 120, 62);
        EXPECT_EQ(Undos(), 2u);
        lines = Board();
    });
    CtrlKey('0');
    // Out of the view over the side panel, down and back in: painted up to
    // the view's edge and again from where the pointer enters, but neither
    // behind the panel nor across the way it went outside.
    Step([&] {
        EXPECT_EQ(viewer.mapZoom, 1.0f);
        viewer.camX = 10;
        host.MoveMouse(CellX(5), CellY(33));
        host.ButtonDown(1);
    });
    Step([&] { host.MoveMouse(100, CellY(33)); });
    Step([&] { host.MoveMouse(100, CellY(38)); });
    Step([&] { host.MoveMouse(CellX(3), CellY(38)); });
    Step([&] { host.ButtonUp(1); });
    Step([&] {
        viewer.camX = 0;
        outAndBack = Board();
        EXPECT_EQ(ChangedCells(lines, outAndBack), (TCells{{10, 33}, {10, 38}, {11, 33}, {11, 38}, {12, 33}, {12, 38},
                                                           {13, 33}, {13, 38}, {14, 33}, {15, 33}}));
        EXPECT_EQ(Undos(), 3u);
        // A press that begins on the tileset and is dragged onto the map
        // paints from the view's edge, under an undo state of its own.
        host.MoveMouse(EntryX(3), CellY(35));
        host.ButtonDown(1);
    });
    Step([&] { host.MoveMouse(CellX(8), CellY(35)); });
    Step([&] { host.ButtonUp(1); });
    Step([&] {
        EXPECT_EQ(ChangedCells(outAndBack, Board()),
                  (TCells{{0, 35}, {1, 35}, {2, 35}, {3, 35}, {4, 35}, {5, 35}, {6, 35}, {7, 35}, {8, 35}}));
        EXPECT_EQ(Undos(), 4u);
    });
    // Ctrl+Z takes back that stroke alone, and then the one before.
    CtrlKey('Z');
    Step([&] {
        EXPECT_EQ(Board(), outAndBack);
        EXPECT_EQ(Undos(), 3u);
    });
    CtrlKey('Z');
    Step([&] {
        EXPECT_EQ(Board(), lines);
        EXPECT_EQ(Redos(), 2u);
        // A stroke over a cell that holds the brush already changes nothing
        // and takes no undo state, so the redo list stays.
        host.MoveMouse(CellX(4), CellY(10));
        host.ButtonDown(1);
    });
    Step([&] { host.ButtonUp(1); });
    Step([&] { host.Click(EntryX(7), EntryY(7)); });   // nor does a click on the tileset
    Step([&] {
        EXPECT_EQ(Board(), lines);
        EXPECT_EQ(Undos(), 2u);
        EXPECT_EQ(Redos(), 2u);
        // A new stroke's first pass paints its own cell only, not a line
        // from where the stroke before ended.
        host.MoveMouse(CellX(50), CellY(36));
        host.ButtonDown(1);
    });
    Step([&] { host.ButtonUp(1); });
    Step([&] {
        EXPECT_EQ(ChangedCells(lines, Board()), (TCells{{50, 36}}));
        EXPECT_EQ(Undos(), 3u);
        EXPECT_EQ(Redos(), 0u);
        host.PressKey(VK_ESCAPE);
    });
    host.ExpectProceed(0);   // quit without saving
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

TEST_F(TileEditing, FillsRepeatTheBrushWithinTheRegionAndHeldCtrlZRepeats) {
    LoadFromMenu("tiles.jn2");
    TBoard before{};
    Step([&] {
        // A board of 7 with a region of 0: a 3 x 3 block, and a cell that
        // touches it only at a corner.
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) viewer.level->SetTile(x, y, 7);
        for (int x = 10; x < 13; ++x)
            for (int y = 10; y < 13; ++y) viewer.level->SetTile(x, y, 0);
        viewer.level->SetTile(13, 13, 0);
        before = Board();
    });
    Drag(2, EntryX(45), EntryY(45), EntryX(66), EntryY(66));   // a 2 x 2 brush
    Step([&] { host.KeyDown(VK_LSHIFT); });
    Step([&] {
        host.MoveMouse(CellX(10), CellY(10));
        host.ButtonDown(1);
    });
    host.WaitFrames(3);   // held: still one fill
    Step([&] {
        host.ButtonUp(1);
        host.KeyUp(VK_LSHIFT);
    });
    Step([&] {
        const TBoard now = Board();
        EXPECT_EQ(Undos(), 1u);
        const uint16_t pattern[2][2] = {{45, 65}, {46, 66}};   // [column offset][row offset]
        for (int x = 10; x < 13; ++x)
            for (int y = 10; y < 13; ++y) EXPECT_EQ(Cell(now, x, y), pattern[(x - 10) % 2][(y - 10) % 2]);
        EXPECT_EQ(Cell(now, 13, 13), 0);   // not across the corner
        EXPECT_EQ(Cell(now, 9, 10), 7);
        // The rest of the board, filled from (20, 20): up to all four edges.
        host.MoveMouse(CellX(20), CellY(20));
        host.KeyDown(VK_LSHIFT);
    });
    Step([&] { host.ButtonDown(1); });
    Step([&] {
        host.ButtonUp(1);
        host.KeyUp(VK_LSHIFT);
    });
    Step([&] {
        const TBoard now = Board();
        EXPECT_EQ(Undos(), 2u);
        // Anchored on an even column and row, like the first fill.
        const uint16_t pattern[2][2] = {{45, 65}, {46, 66}};
        for (int x = 0; x < kBoardWidth; ++x) {
            EXPECT_EQ(Cell(now, x, 0), pattern[x % 2][0]) << x;
            EXPECT_EQ(Cell(now, x, kBoardHeight - 1), pattern[x % 2][1]) << x;
        }
        for (int y = 0; y < kBoardHeight; ++y) {
            EXPECT_EQ(Cell(now, 0, y), pattern[0][y % 2]) << y;
            EXPECT_EQ(Cell(now, kBoardWidth - 1, y), pattern[1][y % 2]) << y;
        }
        EXPECT_EQ(Cell(now, 13, 13), 0);   // a region of its own
        // Four more fills, then Ctrl+Z held: one step at the press, then one
        // a pass once 400 ms have gone by.
        for (int i = 0; i < 4; ++i) {
            viewer.MakeUndoState();
            viewer.FloodFill();
        }
        EXPECT_EQ(Undos(), 6u);
        host.KeyDown(VK_LCONTROL);
    });
    Step([&] { host.KeyDown('Z'); });
    host.WaitMs(300);
    Step([&] { EXPECT_EQ(Undos(), 5u); });
    host.WaitMs(200);
    Step([&] {
        EXPECT_EQ(Undos(), 0u);
        EXPECT_EQ(Board(), before);
        host.KeyUp('Z');
        host.KeyUp(VK_LCONTROL);
        // Undo keeps a held object of the level in hand as its equal in the
        // restored level, and leaves link mode.
        viewer.MakeUndoState();
        viewer.selObj = viewer.level->objs[0];
        viewer.selLink = 1;
    });
    CtrlKey('Z');
    Step([&] {
        EXPECT_TRUE(viewer.selObj);
        EXPECT_EQ(viewer.selObj, viewer.level->objs[0]);
        EXPECT_EQ(viewer.selLink, 0);
        host.PressKey(VK_ESCAPE);
    });
    host.ExpectProceed(0);   // quit without saving the last changes
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

}  // namespace
