// Placing, moving, copying and deleting objects in the editing screen as a
// person does it, through the palette and the context menus, and the
// palette kept across a restart.

#include <gtest/gtest.h>

#include "e2e/editor_session.h"
#include "level/level.h"
#include "level/level_file.h"
#include "support/files.h"

namespace {

constexpr int kDoor = 24;

// Map cell (tx, ty) at zoom 1 with the camera at (0, 0), and palette cell i.
int CellX(int tx) { return 320 + 16 * tx + 8; }
int CellY(int ty) { return 16 * ty + 8; }
int PaletteX(int i) { return 32 * (i % 10) + 16; }
int PaletteY(int i) { return 16 + 32 * (i / 10) + 16; }

class ObjectEditing : public TEditorSession {
protected:
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    void RightClick(int x, int y) {
        Step([=, this] { host.Click(x, y, 2); });
    }
    void LeftClick(int x, int y) {
        Step([=, this] { host.Click(x, y, 1); });
    }
    void Key(int key) {
        Step([=, this] { host.PressKey(key); });
    }
    size_t Objects() const { return viewer.level->objs.size(); }
};

TEST_F(ObjectEditing, PlaceMoveCopyDeleteAndKeepInThePalette) {
    const std::string path = game + "showcase.jn1";
    size_t start = 0;
    LoadFromMenu("showcase.jn1");
    Step([&] {
        start = Objects();
        host.PressKey(VK_TAB);
    });
    // "Select" from the palette, then placed with Shift: a fresh copy stays
    // in hand; placed again without Shift it stays held, and moves.
    RightClick(PaletteX(kDoor), PaletteY(kDoor));
    Key('S');
    Step([&] {
        ASSERT_TRUE(viewer.selObj);
        EXPECT_EQ(viewer.selObj->objkind, kDoor);
        EXPECT_FALSE(viewer.level->ContainsObject(viewer.selObj.get()));
        host.KeyDown(VK_LSHIFT);
    });
    LeftClick(CellX(40), CellY(20));
    Step([&] {
        host.KeyUp(VK_LSHIFT);
        EXPECT_EQ(Objects(), start + 1);
        ASSERT_TRUE(viewer.selObj);
        EXPECT_FALSE(viewer.level->ContainsObject(viewer.selObj.get()));
    });
    LeftClick(CellX(44), CellY(20));
    LeftClick(CellX(44), CellY(20));   // the same place: nothing to do
    LeftClick(CellX(46), CellY(22));
    Step([&] {
        EXPECT_EQ(Objects(), start + 2);
        EXPECT_EQ(viewer.undoList->size(), 3u);
        EXPECT_TRUE(viewer.level->ContainsObject(viewer.selObj.get()));
        EXPECT_EQ(viewer.selObj->x, 46 * 16);
        EXPECT_EQ(viewer.selObj->y, 22 * 16 + 4);   // a 24-high door centred on its row
    });
    // "Copy" of the first door, added by the next click.
    RightClick(CellX(40), CellY(20));
    Key('C');
    LeftClick(CellX(50), CellY(20));
    Step([&] {
        EXPECT_EQ(Objects(), start + 3);
        EXPECT_EQ(viewer.level->objs[start]->x, 40 * 16);   // the first stays where it was
    });
    // "Delete", and Ctrl+Z brings it back.
    RightClick(CellX(50), CellY(20));
    Key('D');
    Step([&] {
        EXPECT_EQ(Objects(), start + 2);
        host.KeyDown(VK_LCONTROL);
    });
    Key('Z');
    Step([&] {
        host.KeyUp(VK_LCONTROL);
        EXPECT_EQ(Objects(), start + 3);
    });
    // "Add To Palette": a door as the palette has it adds nothing; the
    // level's second player (statecount 200) is added once, at (0, 0).
    RightClick(CellX(40), CellY(20));
    Key('A');
    RightClick(320 + 60, 40);
    Key('A');
    RightClick(320 + 60, 40);
    Key('A');
    Step([&] {
        EXPECT_EQ(viewer.objects.size(), 70u);
        EXPECT_EQ(viewer.objects.back()->objkind, 0);
        EXPECT_EQ(viewer.objects.back()->statecount, 200);
        EXPECT_EQ(viewer.objects.back()->x, 0);
        host.KeyDown(VK_LCONTROL);
    });
    Key('S');
    Step([&] { host.KeyUp(VK_LCONTROL); });
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    Step([&] { host.RequestClose(); });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    // The file holds the three doors last, as they were placed.
    const std::vector<uint8_t> file = ReadFileBytes(path);
    ASSERT_GE(file.size(), 16386 + 31 * (start + 3));
    EXPECT_EQ(file[16384] | file[16385] << 8, int(start + 3));
    for (size_t i = start; i < start + 3; ++i) EXPECT_EQ(file[16386 + 31 * i], kDoor) << i;
    const TLevelPtr saved = ReadLevel(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->objs[start + 1]->x, 46 * 16);
    EXPECT_EQ(saved->objs[start + 2]->x, 50 * 16);

    // The palette entry is still there after a restart.
    TJillLevelViewer again;
    host.Then([&] { host.RequestClose(); });
    host.Run([&] { again.MainMenu(); }, 1000);
    ASSERT_EQ(again.objects.size(), 70u);
    EXPECT_EQ(again.objects.back()->statecount, 200);
}

}  // namespace
