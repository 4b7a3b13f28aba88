// The editing screen as a person sees and moves around it: the map against
// pictures this test composes itself from the level and the game files, the
// panels, the status bar, and every key that changes the view.

#include <gtest/gtest.h>

#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "image/bitmap.h"
#include "level/level.h"
#include "level/level_file.h"
#include "screen/graphics.h"
#include "support/files.h"

namespace {

constexpr int kMapX = 320, kMapW = 960, kMapH = 704, kStatusY = 704;
const uint32_t kWhite = Rgb(255, 255, 255);

// Counts the map view's pixels that differ from the level picture seen with
// the camera at (0, 0): screen pixel (sx, sy) shows level pixel
// (sx / zoom + offset, sy / zoom + offset); pixels past the level are black.
// A cell whose value names no tile shows nothing on either; but the
// picture's ground is colour 0 and the screen's is black, so such cells are
// left out.
int MapMismatches(const TPixmap& frame, const TBitmap& picture, const TLevel& level, float zoom, int offset = 0) {
    auto unnamed = [&](int x, int y) {
        uint16_t overlay = 0;
        return (level.GetTile(x, y, overlay) & 0x3FF) >= 600;
    };
    int wrong = 0;
    for (int sy = 0; sy < kMapH; ++sy)
        for (int sx = 0; sx < kMapW; ++sx) {
            const int lx = int(sx / zoom) + offset, ly = int(sy / zoom) + offset;
            const bool inLevel = lx < picture.fWidth && ly < picture.fHeight;
            const uint32_t expected = inLevel ? PictureColour(picture, lx, ly) : 0;
            if (inLevel && unnamed(lx / 16, ly / 16)) continue;
            if ((ReadPixel(frame, kMapX + sx, sy) & 0xFFFFFF) != expected) ++wrong;
        }
    return wrong;
}

class EditingScreen : public TEditorSession {
protected:
    // The level's picture without its objects: the tile layer alone.
    TBitmapPtr TileLayerPicture() {
        TJillLevelViewer tilesOnly;
        tilesOnly.shapeman = viewer.shapeman;
        tilesOnly.tileinfo = viewer.tileinfo;
        tilesOnly.level = viewer.level->Clone();
        tilesOnly.level->objs.clear();
        tilesOnly.level->numobjs = 0;
        return tilesOnly.LevelToBitmap();
    }
    void Press(int key) {
        host.Then([this, key] { host.PressKey(key); });
    }
    void Settle() { host.WaitFrames(2); }
};

TEST_F(EditingScreen, TheMapShowsTheLevelAsComposedAtEveryZoom) {
    LoadFromMenu("showcase.jn1");
    // The pointer off the map, so that no brush preview covers it.
    host.Then([&] { host.MoveMouse(100, 600); });
    // Pictures without outlines: 3 -> 0 -> 1.
    Press('2');
    Press('2');
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.drawobjs, 1);
        EXPECT_EQ(MapMismatches(*host.Capture(), *viewer.LevelToBitmap(), *viewer.level, 1), 0);
    });
    // The tile layer alone, at 1, 2 and 1/16.
    Press('2');
    Press('2');
    Press('2');
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.drawobjs, 0);
        EXPECT_EQ(MapMismatches(*host.Capture(), *TileLayerPicture(), *viewer.level, 1), 0);
    });
    Press(VK_OEM_PLUS);
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 2);
        EXPECT_EQ(MapMismatches(*host.Capture(), *TileLayerPicture(), *viewer.level, 2), 0);
    });
    for (int i = 0; i < 6; ++i) Press(VK_OEM_MINUS);
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 1.0f / 16);
        // A tile is one screen pixel: one of its pixels, the same one in
        // every tile.
        const auto frame = host.Capture();
        const TBitmapPtr tiles = TileLayerPicture();
        int best = -1;
        for (int k = 0; k < 16 && best < 0; ++k)
            if (MapMismatches(*frame, *tiles, *viewer.level, 1.0f / 16, k) == 0) best = k;
        EXPECT_GE(best, 0) << "no tile pixel matches every cell at zoom 1/16";
        host.PressKey(VK_ESCAPE);
    });
    ClickMenuEntry(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

TEST_F(EditingScreen, PanelsTabsStatusBarAndMarks) {
    LoadFromMenu("showcase.jn1");
    Settle();
    host.Then([&] {
        const auto frame = host.Capture();
        // Tileset entry t at (16 (t mod 20), 16 + 16 (t div 20)): tile 45.
        const TBitmapPtr tile = viewer.shapeman->GetBitmap(viewer.tileinfo->GetShape(45));
        ASSERT_TRUE(tile);
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                if ((ReadPixel(*frame, 16 * 5 + x, 16 + 16 * 2 + y) & 0xFFFFFF) != PictureColour(*tile, x, y)) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
        // The separator, the status bar's line and the tabs.
        EXPECT_EQ(ColoursIn(*frame, 319, 16, 1, 688), std::set<uint32_t>{kWhite});
        // The hovered tile's picture stands at its right end.
        EXPECT_EQ(ColoursIn(*frame, 0, kStatusY, 1264, 1), std::set<uint32_t>{kWhite});
        EXPECT_EQ(ColoursIn(*frame, 0, 0, 56, 16), (std::set<uint32_t>{0, kWhite}));
        EXPECT_EQ(ColoursIn(*frame, 56, 0, 72, 16), (std::set<uint32_t>{Rgb(85, 85, 85), Rgb(170, 170, 170)}));
        EXPECT_TRUE(ShowsText(host, *frame, "INVENTORY", 136, 0, Rgb(85, 85, 85)));
        EXPECT_TRUE(ShowsText(host, *frame, "UNDO", 8, kStatusY, Rgb(128, 128, 128)));
        EXPECT_TRUE(ShowsText(host, *frame, "Zoom: 100.000000%", 88, kStatusY, kWhite));
        // The pointer over the player: its description on black at the
        // map's corner and the map cell in the status line.
        host.MoveMouse(kMapX + 24 + 4, 16 + 4);
    });
    Settle();
    host.Then([&] {
        const auto frame = host.Capture();
        const std::string info = viewer.ObjectToString(viewer.level->objs[0].get());
        const auto lines = viewer.SplitLine(info, kMapW);
        ASSERT_GE(lines.size(), 1u);
        EXPECT_LE(StringWidth(lines[0]), kMapW);
        EXPECT_TRUE(ShowsText(host, *frame, lines[0], kMapX, 0, kWhite));
        const uint16_t word = viewer.level->bd[1 * 64 + 1];
        const std::string status = "X=1 Y=1 tile=" + std::to_string(word) + " shape=$";
        EXPECT_TRUE(ShowsText(host, *frame, status, kMapX, kStatusY, kWhite));
        // The palette tab: a checkerboard of 85 and 119.
        host.Click(60, 8);
    });
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.editobjs, 1);
        const auto frame = host.Capture();
        EXPECT_EQ(ColoursIn(*frame, 56, 0, 72, 16), (std::set<uint32_t>{0, kWhite}));
        EXPECT_EQ(ReadPixel(*frame, 1, 17) & 0xFFFFFF, Rgb(85, 85, 85));
        EXPECT_EQ(ReadPixel(*frame, 33, 17) & 0xFFFFFF, Rgb(119, 119, 119));
        // Ten cells a row: the next row starts with the colour this one ended with.
        EXPECT_EQ(ReadPixel(*frame, 1, 49) & 0xFFFFFF, Rgb(119, 119, 119));
        // The held object's outline pulses red to white.
        viewer.selObj = viewer.level->objs[0];
        host.MoveMouse(kMapX + 500, 600);
    });
    Settle();
    host.Then([&] {
        const auto frame = host.Capture();
        const uint32_t corner = ReadPixel(*frame, kMapX + 24, 16) & 0xFFFFFF;
        EXPECT_EQ(corner >> 16, 255u);
        EXPECT_EQ(corner >> 8 & 255, corner & 255);
        EXPECT_EQ(viewer.flashing, 1);   // asks for the next pulse
        viewer.selObj = nullptr;
        host.PressKey(VK_ESCAPE);
    });
    // Behind the menu the editing screen is dimmed to half.
    Settle();
    host.Then([&] {
        const auto frame = host.Capture();
        const uint32_t separator = ReadPixel(*frame, 319, 40) & 0xFFFFFF;
        EXPECT_EQ(separator, Rgb(127, 127, 127));
        host.RequestClose();
    });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

TEST_F(EditingScreen, KeysAndWheelMoveTheViewWithinItsLimits) {
    // A window low enough that the tileset does not fit its panel.
    WriteFileText(work.File("tarn.ini"), "[graphics]\nheight=400\n");
    LoadFromMenu("showcase.jn1");
    host.Then([&] {
        EXPECT_EQ(viewer.mapW, kMapW);
        EXPECT_EQ(viewer.maxCamX, 68);
        EXPECT_EQ(viewer.maxCamY, 40);
        EXPECT_EQ(viewer.tilesCamAmount, 460);
        host.KeyDown(VK_RIGHT);
    });
    // One step at the press, none for 400 ms, then one a pass.
    host.WaitMs(300);
    host.Then([&] { EXPECT_EQ(viewer.camX, 1); });
    host.WaitMs(300);
    host.Then([&] {
        EXPECT_GT(viewer.camX, 5);
        EXPECT_LT(viewer.camX, 20);
    });
    host.WaitMs(2000);
    host.Then([&] {
        EXPECT_EQ(viewer.camX, 68);   // clamped
        host.KeyUp(VK_RIGHT);
        host.PressKey(VK_F12);        // redraw only when asked
    });
    host.Then([&] {
        EXPECT_EQ(viewer.fullrefresh, 0);
        host.KeyDown(VK_DOWN);
    });
    host.WaitMs(1500);
    host.Then([&] {
        EXPECT_EQ(viewer.camY, 40);   // repeats though nothing else redraws
        host.KeyUp(VK_DOWN);
        host.PressKey(VK_F12);
        // Zoom: one step per pass however far the wheel turns, and the
        // panel does not scroll with it.
        host.KeyDown(VK_LCONTROL);
        host.Wheel(3);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 2);
        EXPECT_EQ(viewer.tilesCamY, 0);
        EXPECT_EQ(viewer.camX, 68);
        EXPECT_EQ(viewer.camY, 40);
        host.Wheel(-1);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 1);
        host.Wheel(-1);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 0.5f);
        EXPECT_EQ(viewer.camX, 8);    // the camera follows the new limits
        EXPECT_EQ(viewer.camY, 16);
        host.PressKey('0');
    });
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 1);
        host.KeyUp(VK_LCONTROL);
        host.PressKey('0');   // without Ctrl nothing
        host.Wheel(-2);       // the tileset scrolls
    });
    host.Then([&] {
        EXPECT_EQ(viewer.mapZoom, 1);
        EXPECT_EQ(viewer.tilesCamY, 2);
        host.Wheel(-50);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.tilesCamY, 7);   // the last row shows entry 599
        host.PressKey(VK_NEXT);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.tilesCamY, 7);
        host.PressKey(VK_PRIOR);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.tilesCamY, 6);
        host.Wheel(50);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.tilesCamY, 0);
        // F marks the tile under the pointer in the tileset while held.
        host.MoveMouse(kMapX + 40, 40);
        host.KeyDown('F');
    });
    host.Then([&] {
        EXPECT_EQ(viewer.findtile, viewer.level->Board(viewer.camX + 2, viewer.camY + 2));
        host.KeyUp('F');
    });
    host.Then([&] {
        EXPECT_EQ(viewer.findtile, -1);
        // Display modes and the object palette.
        host.PressKey('1');
        host.PressKey('3');
        host.PressKey(VK_TAB);
    });
    host.Then([&] {
        EXPECT_EQ(viewer.drawtiles, 2);
        EXPECT_EQ(viewer.drawwin, 1);
        EXPECT_EQ(viewer.editobjs, 1);
        host.Wheel(-1);   // the palette: 69 objects, 110 cells visible
    });
    host.Then([&] {
        EXPECT_EQ(viewer.objCamY, 0);
        host.Click(20, 8);   // the "TILES" tab
    });
    host.Then([&] {
        EXPECT_EQ(viewer.editobjs, 0);
        // Ctrl+S saves under the level's own file.
        viewer.level->SetTile(0, 0, 0xC005);
        viewer.levelchanged = 1;
        host.KeyDown(VK_LCONTROL);
    });
    Press('S');
    host.Then([&] { host.KeyUp(VK_LCONTROL); });
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    // Closing with unsaved changes asks first; Cancel keeps editing.
    host.ExpectProceed(-1);
    host.Then([&] {
        viewer.levelchanged = 1;
        host.RequestClose();
    });
    host.ExpectProceed(0);
    host.Then([&] { host.RequestClose(); });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    const TLevelPtr saved = ReadLevel(game + "showcase.jn1");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->bd[0], 0xC005);
    EXPECT_EQ(host.Requesters().size(), 3u);
}

// With a redraw on every pass, the screen at rest is drawn but not shown again.
TEST_F(EditingScreen, AtRestNoFrameIsPresentedAgain) {
    LoadFromMenu("showcase.jn1");
    host.Then([&] { host.MoveMouse(700, 300); });
    host.WaitFrames(5);
    uint64_t shown = 0;
    const int passes = 120;
    int framesBefore = 0;
    host.Then([&] {
        EXPECT_EQ(viewer.fullrefresh, 1);
        shown = PresentedFrames();
        framesBefore = host.Frames();
    });
    host.WaitFrames(passes);
    host.Then([&] {
        EXPECT_GE(host.Frames() - framesBefore, passes) << "every pass drew";
        EXPECT_EQ(PresentedFrames(), shown);
        host.PressKey(VK_RIGHT);
    });
    host.WaitFrames(2);
    host.Then([&] {
        EXPECT_EQ(PresentedFrames(), shown + 1) << "a scrolled map is shown once";
        host.RequestClose();
    });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
}

// The gestures of today's tile-map editors: a left click on the tileset picks
// a tile, a middle drag pans, and the window takes any size.
TEST_F(EditingScreen, PickWithAClickPanWithTheMiddleButtonAndResize) {
    LoadFromMenu("showcase.jn1");
    Settle();
    // Tileset entry (3, 2) is tile 43; (4, 2) is tile 44.
    const int entryX = 3 * 16 + 8, entryY = 16 + 2 * 16 + 8;
    std::vector<uint16_t> board;
    host.Then([&] {
        board.assign(viewer.level->bd.begin(), viewer.level->bd.end());
        host.Click(entryX, entryY);
    });
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.selW, 1);
        EXPECT_EQ(viewer.selH, 1);
        EXPECT_EQ(viewer.selTiles, std::vector<uint16_t>{43});
        // Pressed on one entry and let go on another: no pick.
        host.MoveMouse(entryX + 16, entryY);
        host.ButtonDown(1);
    });
    Settle();
    host.Then([&] {
        host.MoveMouse(entryX, entryY);
        host.ButtonUp(1);
    });
    Settle();
    host.Then([&] { host.MoveMouse(entryX + 16, entryY), host.ButtonDown(1); });
    Settle();
    // A press on the tileset dragged over the map paints nothing.
    host.Then([&] { host.MoveMouse(kMapX + 100, 100); });
    Settle();
    host.Then([&] { host.MoveMouse(kMapX + 200, 120); });
    Settle();
    host.Then([&] {
        host.ButtonUp(1);
        EXPECT_EQ(viewer.selTiles, std::vector<uint16_t>{43});
        EXPECT_TRUE(std::equal(board.begin(), board.end(), viewer.level->bd.begin()));
        EXPECT_EQ(viewer.levelchanged, 0);
        // A click on the map paints the picked tile.
        host.Click(kMapX + 16 * 10 + 8, 16 * 10 + 8);
    });
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.level->Board(10, 10), 43);
        // A middle drag moves the level with the pointer, tile by tile;
        // a left click while it lasts does nothing.
        host.MoveMouse(700, 300);
        host.ButtonDown(3);
    });
    Settle();
    host.Then([&] { host.MoveMouse(700 - 64 - 7, 300 - 32 + 7); });
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.camX, 4);
        EXPECT_EQ(viewer.camY, 2);
        board.assign(viewer.level->bd.begin(), viewer.level->bd.end());
        host.Click(600, 200);
        host.MoveMouse(700 + 5000, 300 + 5000);   // far past the level's corner: clamped
    });
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.camX, 0);
        EXPECT_EQ(viewer.camY, 0);
        EXPECT_TRUE(std::equal(board.begin(), board.end(), viewer.level->bd.begin()));
        host.MoveMouse(700 - 64, 300 - 64);
        host.ButtonUp(3);
    });
    Settle();
    host.Then([&] {
        EXPECT_EQ(viewer.panning, 0);
        EXPECT_EQ(viewer.camX, 4);
        EXPECT_EQ(viewer.camY, 4);
        host.MoveMouse(100, 600);   // off the map, so that no brush preview covers it
        host.PressKey('2');          // pictures without outlines: 3 -> 0 -> 1
        host.PressKey('2');
    });
    Settle();
    TPixmapPtr before;
    host.Then([&] { before = host.Capture(); });
    // The window made larger and smaller: each time the regions of a window
    // of that size, and the map showing the level from the same camera.
    struct TSize {
        int width, height;
    };
    for (const TSize size : {TSize{1600, 900}, TSize{800, 600}}) {
        host.Then([&, size] { host.ResizeWindow(size.width, size.height); });
        host.WaitFrames(2);
        host.Then([&, size] {
            ASSERT_EQ(ScreenWidth(), size.width);
            ASSERT_EQ(ScreenHeight(), size.height);
            const int statusY = size.height - 16, mapW = size.width - kMapX;
            EXPECT_EQ(viewer.statusY, statusY);
            EXPECT_EQ(viewer.mapW, mapW);
            EXPECT_EQ(viewer.mapH, statusY);
            EXPECT_EQ(viewer.camX, 4);
            EXPECT_EQ(viewer.camY, 4);
            const auto frame = host.Capture();
            ASSERT_EQ(frame->width, size.width);
            EXPECT_EQ(ColoursIn(*frame, 319, 16, 1, statusY - 16), std::set<uint32_t>{kWhite});
            EXPECT_EQ(ColoursIn(*frame, 0, statusY, size.width - 16, 1), std::set<uint32_t>{kWhite});
            EXPECT_TRUE(ShowsText(host, *frame, "Zoom: 100.000000%", 88, statusY, kWhite));
            // The map from the same camera: what both sizes show of it is the same.
            int wrong = 0;
            for (int sy = 0; sy < std::min(statusY, kMapH); ++sy)
                for (int sx = 0; sx < std::min(mapW, kMapW); ++sx)
                    if (ReadPixel(*frame, kMapX + sx, sy) != ReadPixel(*before, kMapX + sx, sy)) ++wrong;
            EXPECT_EQ(wrong, 0) << size.width << " x " << size.height;
            // What only the larger window shows is drawn too.
            if (mapW > kMapW) {
                EXPECT_GT(InkIn(*frame, kMapX + kMapW, 0, mapW - kMapW, statusY).size(), 1u);
            }
        });
    }
    // Smaller than 640 x 480 is held at that size; 640 x 480 itself is taken.
    host.Then([&] { host.ResizeWindow(639, 479); });
    host.WaitFrames(2);
    host.Then([&] {
        EXPECT_EQ(ScreenWidth(), 640);
        EXPECT_EQ(ScreenHeight(), 480);
        EXPECT_EQ(viewer.statusY, 464);
        host.ResizeWindow(800, 600);
    });
    host.WaitFrames(2);
    host.ExpectProceed(0);   // the painted cell is not saved
    host.Then([&] { host.RequestClose(); });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    const std::string settings = ReadFileText(work.File("tarn.ini"));
    EXPECT_NE(settings.find("WIDTH       = 800\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("HEIGHT      = 600\r\n"), std::string::npos) << settings;
}

}  // namespace
