// The map's tile picture and the tileset panel's picture against drawing
// every cell by itself, pixel by pixel, on the sample game's busiest level.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "edit/jill_level_viewer.h"
#include "gamedata/attribute_sheet.h"
#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "level/level.h"
#include "level/level_file.h"
#include "sample_game/sample_game.h"
#include "screen/graphics.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "system/clock.h"
#include "view/tile_layer.h"

namespace {

constexpr float kZooms[] = {1.0f / 16, 1.0f / 4, 1.0f / 2, 1, 2, 3, 4};

// "" when the two frames agree inside the rectangle, else where they first differ.
std::string FirstDifference(const TPixmap& a, const TPixmap& b, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y) {
        const size_t row = size_t(y) * a.pitch + size_t(x0) * 4;
        if (std::memcmp(&a.pixels[row], &b.pixels[row], size_t(w) * 4) == 0) continue;
        for (int x = x0; x < x0 + w; ++x)
            if (ReadPixel(a, x, y) != ReadPixel(b, x, y)) return std::to_string(x) + "," + std::to_string(y);
    }
    return "";
}

class TileLayerTest : public ::testing::Test {
protected:
    TTestHost host;
    TLogCapture log;   // every illegal cell drawn cell by cell logs a block
    TTempDir dir;
    TJillLevelViewer viewer;

    void SetUp() override {
        RegisterAttributeSheet();
        SetDefaultImageFlags(IMAGE_MASKED);   // as the editor sets it before loading
        std::string error;
        ASSERT_TRUE(WriteSampleGame(dir.Path(), error)) << error;
        viewer.level = ReadLevel(dir.File(kSampleShowcaseLevel));
        ASSERT_NE(viewer.level, nullptr);
        viewer.InitGame(dir.Path() + "/", viewer.GameInfos[0]);
        ASSERT_NE(viewer.tileinfo, nullptr);
        viewer.InitWindow();
        TLevel& level = *viewer.level;
        // A ledge block with open and closed sides, a lone ledge piece, tiles
        // drawn over their left and upper neighbours (one over an illegal
        // value, one at the left edge), flag bits, and illegal values.
        for (int x = 3; x <= 6; ++x)
            for (int y = 2; y <= 4; ++y) level.SetTile(x, y, uint16_t(20 + (x + y) % 4));
        level.SetTile(9, 9, 22);
        level.SetTile(10, 9, 100);
        level.SetTile(11, 9, 101);
        level.SetTile(0, 12, 102);
        level.SetTile(12, 10, 103);
        level.SetTile(12, 11, 104);
        level.SetTile(13, 0, 105);
        level.SetTile(14, 14, 700);
        level.SetTile(15, 14, 101);
        level.SetTile(14, 15, 105);
        level.SetTile(16, 16, 0x4005);
        level.SetTile(17, 16, 0x8000 | 21);
        level.SetTile(18, 16, 0xC000 | 700);
        level.SetTile(19, 16, 1029);   // 14-bit number 1029 names tile 5; no attribute image
        level.SetTile(127, 63, 0x4000 | 23);
        level.SetTile(100, 60, 600);
    }

    TPixmapPtr DrawTiles(bool cellByCell) {
        Cls();
        viewer.MapViewport();
        SetDrawScale(viewer.mapZoom, viewer.mapZoom);
        if (cellByCell)
            DrawTileCells(*viewer.level, *viewer.shapeman, *viewer.tileinfo, viewer, viewer.drawtiles, viewer.drawwin);
        else
            viewer.DrawLevelTiles();
        EXPECT_EQ(DrawScaleX(), viewer.mapZoom);
        EXPECT_EQ(CurrentViewport(), (TViewport{viewer.mapX, viewer.mapY, viewer.mapW, viewer.mapH}));
        SetDrawScale(1, 1);
        viewer.FullViewport();
        return host.Capture();
    }

    // Both ways of drawing in the current mode at every zoom, with the camera
    // at the top-left, in the middle and at its largest; the picture must
    // really have been used.
    void ExpectSameInThisMode(const std::string& when) {
        for (float zoom : kZooms) {
            viewer.SetMapZoom(zoom);
            const int cams[][2] = {{0, 0}, {37, 13}, {viewer.maxCamX, viewer.maxCamY}};
            for (const auto& cam : cams) {
                viewer.camX = cam[0], viewer.camY = cam[1];
                viewer.FixCam();
                auto expected = DrawTiles(true);
                auto actual = DrawTiles(false);
                ASSERT_TRUE(viewer.tileLayer);
                ASSERT_TRUE(viewer.tileLayer->Update(*viewer.level, viewer.shapeman, viewer.tileinfo,
                                                     viewer.drawtiles, viewer.drawwin));
                ASSERT_EQ(FirstDifference(*actual, *expected, viewer.mapX, viewer.mapY, viewer.mapW, viewer.mapH), "")
                    << when << ": mode " << int(viewer.drawtiles) << " drawwin " << int(viewer.drawwin) << " zoom "
                    << zoom << " camera " << viewer.camX << "," << viewer.camY;
            }
        }
    }

    void ExpectSameAsCellByCell(const std::string& when) {
        for (int mode = 1; mode <= 3; ++mode)
            for (int marks = 0; marks <= 1; ++marks) {
                viewer.drawtiles = uint8_t(mode), viewer.drawwin = uint8_t(marks);
                ExpectSameInThisMode(when);
            }
    }
};

TEST_F(TileLayerTest, PictureShowsWhatDrawingEveryCellShows) {
    // Zoom 3 leaves a partial row at the bottom that the clip cuts.
    viewer.SetMapZoom(3);
    ASSERT_NE(viewer.mapH % 48, 0);
    ExpectSameAsCellByCell("first drawing");
}

TEST_F(TileLayerTest, EditsUndoAndNewGameDataNeverLeaveAStaleCell) {
    const auto original = viewer.level->Clone();
    // Each mode's picture is made first and then only brought up to date.
    for (int mode = 1; mode <= 3; ++mode)
        for (int marks = 0; marks <= 1; ++marks) {
            viewer.drawtiles = uint8_t(mode), viewer.drawwin = uint8_t(marks);
            viewer.level = original->Clone();
            ExpectSameInThisMode("before the edits");
            TLevel& level = *viewer.level;
            level.SetTile(5, 3, 1);       // opens the sides of its ledge neighbours
            level.SetTile(9, 9, 7);       // the tile under the 100 to its right
            level.SetTile(12, 10, 700);   // the tile under the 104 below it
            level.SetTile(14, 14, 3);     // an illegal value made legal
            level.SetTile(40, 40, 0x4000 | 2);
            level.SetTile(0, 0, 21);
            ExpectSameInThisMode("after SetTile");
            // Undo puts back another level object, of the board before the edits.
            auto before = original->Clone();
            before->SetTile(127, 0, 0x8000 | 104);
            viewer.level = before;
            ExpectSameInThisMode("after swapping the level");
        }
    // A newly bound game replaces the pictures as a whole.
    viewer.InitGame(dir.Path() + "/", viewer.GameInfos[0]);
    ExpectSameInThisMode("after binding the game again");
}

TEST_F(TileLayerTest, TilesetPanelShowsFullRowsOfItsEntries) {
    // The panel drawn entry by entry, each entry where DrawTileset lays it out.
    const auto entryByEntry = [&] {
        Cls();
        viewer.TilesetViewport();
        int t = viewer.tilesCamY * viewer.tilesCamW, x = viewer.tilesX, y = viewer.tilesY, column = 0;
        for (; t < TileCount; ++t) {
            const TImagePtr& attributes = viewer.tileinfo->tiles[size_t(t)].attributeImg;
            if (viewer.drawtiles == 3 && attributes) DrawImageAt(attributes, float(x), float(y));
            else viewer.shapeman->DrawSh(viewer.tileinfo->GetShape(uint16_t(t)), x, y);
            x += 16;
            if (++column < viewer.tilesCamW) continue;
            x = viewer.tilesX, y += 16, column = 0;
            if (y > viewer.tilesH) break;
        }
        viewer.FullViewport();
        return host.Capture();
    };
    for (int mode = 0; mode <= 3; ++mode)
        for (int row : {0, 7, 29}) {
            viewer.drawtiles = uint8_t(mode);
            viewer.tilesCamY = row;
            auto expected = entryByEntry();
            Cls();
            viewer.DrawTileset();
            EXPECT_EQ(CurrentViewport(), (TViewport{0, 0, ScreenWidth(), ScreenHeight()}));
            auto actual = host.Capture();
            EXPECT_EQ(FirstDifference(*actual, *expected, 0, 0, ScreenWidth(), ScreenHeight()), "")
                << "mode " << mode << " row " << row;
        }
    // The found tile pulses in a one-pixel outline over its entry.
    viewer.tilesCamY = 0;
    viewer.findtile = 21;
    Cls();
    viewer.DrawTileset();
    const int c = TickCount() & 255;
    const uint32_t pulse = 0xFF000000u | uint32_t(c) << 16 | uint32_t(c) << 8 | 255u;
    EXPECT_EQ(host.PixelAt(16, 32), pulse);
    EXPECT_EQ(host.PixelAt(31, 47), pulse);
    EXPECT_NE(host.PixelAt(24, 40), pulse);
    EXPECT_EQ(CurrentColor(), (TColor{255, 255, 255}));
}

}  // namespace
