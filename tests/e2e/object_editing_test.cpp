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
    // Ctrl+S, then the window's close box; runs the whole session.
    void SaveAndClose() {
        Step([this] { host.KeyDown(VK_LCONTROL); });
        Key('S');
        Step([this] { host.KeyUp(VK_LCONTROL); });
        host.WaitUntil([this] { return viewer.levelchanged == 0; });
        Step([this] { host.RequestClose(); });
        EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    }
    // Loads the level, notes its number of objects in start and takes a door
    // in hand with the palette's "Select".
    void HoldDoorFromPalette(const std::string& levelName, size_t& start) {
        LoadFromMenu(levelName);
        Step([&start, this] {
            start = Objects();
            host.PressKey(VK_TAB);
        });
        RightClick(PaletteX(kDoor), PaletteY(kDoor));
        Key('S');
    }
};

TEST_F(ObjectEditing, PlaceMoveCopyDeleteAndKeepInThePalette) {
    const std::string path = game + "showcase.jn1";
    size_t start = 0;
    // "Select" from the palette, then placed with Shift: a fresh copy stays
    // in hand; placed again without Shift it stays held, and moves.
    HoldDoorFromPalette("showcase.jn1", start);
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
    });
    SaveAndClose();

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

TEST_F(ObjectEditing, ClicksBeyondTheLevelLeaveTheObjectInHand) {
    const std::string path = game + "showcase.jn1";
    // The file keeps an object below the level's bottom edge.
    {
        const TLevelPtr level = ReadLevel(path);
        ASSERT_TRUE(level && level->objs.size() > 1);
        level->objs[1]->y = 1296;
        ASSERT_TRUE(level->WriteToFile(path));
    }
    size_t start = 0;
    HoldDoorFromPalette("showcase.jn1", start);
    Key(VK_SUBTRACT);
    Key(VK_SUBTRACT);
    // At zoom 1/4 a screen pixel is four level pixels: x 832 is level pixel
    // 2048 and y 256 level pixel 1024, the black area beyond the level.
    LeftClick(832, 100);
    LeftClick(400, 256);
    Step([&] {
        EXPECT_EQ(viewer.mapZoom, 0.25f);
        EXPECT_EQ(Objects(), start);
        ASSERT_TRUE(viewer.selObj);
        EXPECT_FALSE(viewer.level->ContainsObject(viewer.selObj.get()));
        EXPECT_EQ(viewer.undoList->size(), 0u);
    });
    // Level pixel (2044, 1020), in the last tile: placed there, its far
    // edges on the tile's, so the 24-high door still ends below the level.
    LeftClick(831, 255);
    Step([&] {
        ASSERT_EQ(Objects(), start + 1);
        ASSERT_TRUE(viewer.level->ContainsObject(viewer.selObj.get()));
        EXPECT_EQ(viewer.selObj->x, 2032 + ((16 - viewer.selObj->xl) & 15));
        EXPECT_EQ(viewer.selObj->y, 1008 + 8);
        EXPECT_EQ(viewer.undoList->size(), 1u);
    });
    // Held and in the level now: a click beyond either edge does not move it.
    LeftClick(832, 255);
    LeftClick(831, 256);
    LeftClick(900, 324);
    Step([&] {
        EXPECT_EQ(viewer.selObj->y, 1008 + 8);
        EXPECT_EQ(viewer.undoList->size(), 1u);
        host.KeyDown(VK_LCONTROL);
    });
    // At zoom 1 with the camera at the far corner the map's last pixel is
    // the level's last, (2047, 1023), and with Alt the door goes exactly
    // there; with the camera at the start its first is (0, 0). The pixel
    // before that lies under the palette.
    Key('0');
    Step([&] {
        host.KeyUp(VK_LCONTROL);
        host.KeyDown(VK_LMENU);
        viewer.camX = viewer.maxCamX;
        viewer.camY = viewer.maxCamY;
    });
    LeftClick(1279, 703);
    Step([&] {
        EXPECT_EQ(viewer.mapZoom, 1.0f);
        EXPECT_EQ(viewer.selObj->x, 2047);
        EXPECT_EQ(viewer.selObj->y, 1023);
        viewer.camX = viewer.camY = 0;
    });
    LeftClick(320, 0);
    LeftClick(319, 100);
    Step([&] {
        host.KeyUp(VK_LMENU);
        EXPECT_EQ(viewer.selObj->x, 0);
        EXPECT_EQ(viewer.selObj->y, 0);
        EXPECT_EQ(viewer.undoList->size(), 3u);
    });
    SaveAndClose();

    // The object below the level kept its place.
    const TLevelPtr saved = ReadLevel(path);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->objs.size(), start + 1);
    EXPECT_EQ(saved->objs[1]->y, 1296);
    EXPECT_EQ(saved->objs[start]->objkind, kDoor);
    EXPECT_EQ(saved->objs[start]->x, 0);
}

}  // namespace
