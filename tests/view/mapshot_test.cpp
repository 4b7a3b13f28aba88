// The mapshot of small hand-made levels, checked pixel by pixel.

#include <gtest/gtest.h>

#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "level/object_kinds.h"
#include "sample_game/sample_art.h"
#include "view/mini_game.h"

namespace {

// Tile table 17: 0 plain 3; 1 plain 4 with a colour-0 corner; 2 a single dot
// of 5 on clear (the overlay tile). Table 0x2A frame 5: a top edge of 6.
// Table 9 (apples): frame 0 plain 7; frame 1 plain 8 with a clear corner.
TSampleShapeTables MapshotTables() {
    TSampleShapeTables t;
    t[17].frames = {Plain(16, 16, 3), Plain(16, 16, 4), Plain(16, 16, 0)};
    t[17].frames[1].Set(0, 0, 0);
    t[17].frames[2].Set(8, 8, 5);
    t[0x2A].frames = {Plain(1, 1, 0), Plain(1, 1, 0), Plain(1, 1, 0), Plain(1, 1, 0), Plain(1, 1, 0),
                      Plain(16, 16, 0)};
    t[0x2A].frames[5].Fill(0, 0, 16, 1, 6);
    t[9].frames = {Plain(4, 4, 7), Plain(4, 4, 8)};
    t[9].frames[1].Set(0, 0, 0);
    AddSampleFonts(t);
    return t;
}

class MapshotTest : public ::testing::Test {
protected:
    TMiniGame game{MapshotTables(), {{0, 0x1100}, {1, 0x1101}, {21, 0x1101}, {100, 0x1102}}};
    TJillLevelViewer viewer;

    void SetUp() override {
        viewer.shapeman = game.shapes;
        viewer.tileinfo = game.tiles;
        viewer.level = std::make_shared<TLevel>();
    }

    TLevelObjectPtr Add(uint8_t kind, int x, int y, int counter = 0) {
        auto o = std::make_shared<TLevelObject>();
        o->objkind = kind;
        o->x = uint16_t(x), o->y = uint16_t(y), o->counter = uint16_t(counter);
        viewer.level->objs.push_back(o);
        viewer.level->numobjs = uint16_t(viewer.level->objs.size());
        return o;
    }
};

TEST_F(MapshotTest, NoLevelGivesNoPicture) {
    viewer.level.reset();
    EXPECT_EQ(viewer.LevelToBitmap(), nullptr);
}

TEST_F(MapshotTest, WholeBoardOnACopyOfThePalette) {
    auto shot = viewer.LevelToBitmap();
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->fWidth, 2048);
    EXPECT_EQ(shot->fHeight, 1024);
    EXPECT_NE(shot->fColorTable, game.shapes->Palette);
    EXPECT_EQ(shot->Color(0) >> 24, 0xFFu);
    for (int i = 1; i < 256; ++i) ASSERT_EQ(shot->Color(uint8_t(i)), (*game.shapes->Palette)[size_t(i)]);
    // Tile 0 everywhere.
    EXPECT_EQ(shot->Pixel(0, 0), 3);
    EXPECT_EQ(shot->Pixel(2047, 1023), 3);
}

TEST_F(MapshotTest, TilesReplaceWhatIsBelowOverlaysLieOnTop) {
    viewer.level->SetTile(2, 3, 1);
    viewer.level->SetTile(4, 5, 1);
    viewer.level->SetTile(5, 5, 100);           // drawn over its left neighbour
    viewer.level->SetTile(10, 10, 21);          // a lone ledge: all four edges open
    viewer.level->SetTile(12, 12, 0xC001);      // flag bits do not change the tile
    auto shot = viewer.LevelToBitmap();
    // A tile pastes every index, its see-through corner included.
    EXPECT_EQ(shot->Pixel(32, 48), 255);
    EXPECT_EQ(shot->Pixel(33, 48), 4);
    EXPECT_EQ(shot->Pixel(80, 80), 255);
    EXPECT_EQ(shot->Pixel(81, 80), 4);
    EXPECT_EQ(shot->Pixel(88, 88), 5);
    EXPECT_EQ(shot->Pixel(87, 88), 4);
    for (int x = 160; x < 176; ++x) EXPECT_EQ(shot->Pixel(x, 160), 6);
    EXPECT_EQ(shot->Pixel(161, 161), 4);
    EXPECT_EQ(shot->Pixel(193, 193), 4);
}

TEST_F(MapshotTest, CellsThatNameNoTileStayEmpty) {
    viewer.level->SetTile(7, 7, 700);
    viewer.level->SetTile(8, 7, 1023);
    viewer.level->SetTile(9, 7, 1024 + 1);      // low 10 bits name tile 1
    auto shot = viewer.LevelToBitmap();
    ASSERT_NE(shot, nullptr);
    for (int y = 112; y < 128; ++y)
        for (int x = 112; x < 144; ++x) ASSERT_EQ(shot->Pixel(x, y), 0) << x << "," << y;
    EXPECT_EQ(shot->Pixel(145, 112), 4);
    EXPECT_EQ(shot->Pixel(160, 112), 3);
}

TEST_F(MapshotTest, AnOverlayTileStillLiesOnANeighbourThatNamesNoTile) {
    viewer.level->SetTile(4, 5, 700);
    viewer.level->SetTile(5, 5, 100);
    auto shot = viewer.LevelToBitmap();
    EXPECT_EQ(shot->Pixel(80, 80), 0);
    EXPECT_EQ(shot->Pixel(88, 88), 5);
}

TEST_F(MapshotTest, FirstObjectEndsOnTop) {
    Add(ObjKind::APPLE, 300, 300, 0);   // plain 7
    Add(ObjKind::APPLE, 302, 302, 2);   // plain 8, clear top-left corner
    for (auto& o : viewer.level->objs) o->InitShape();
    auto shot = viewer.LevelToBitmap();
    EXPECT_EQ(shot->Pixel(300, 300), 7);
    EXPECT_EQ(shot->Pixel(303, 303), 7);
    EXPECT_EQ(shot->Pixel(304, 304), 8);
    EXPECT_EQ(shot->Pixel(305, 302), 8);
    EXPECT_EQ(shot->Pixel(306, 306), 3);
}

TEST_F(MapshotTest, ObjectsAreClippedAtTheEdges) {
    Add(ObjKind::APPLE, 2046, 1022);
    Add(ObjKind::APPLE, -2, -3);
    for (auto& o : viewer.level->objs) o->InitShape();
    auto shot = viewer.LevelToBitmap();
    EXPECT_EQ(shot->Pixel(2045, 1022), 3);
    EXPECT_EQ(shot->Pixel(2046, 1022), 7);
    EXPECT_EQ(shot->Pixel(2047, 1023), 7);
    EXPECT_EQ(shot->Pixel(0, 0), 7);
    EXPECT_EQ(shot->Pixel(2, 0), 3);
    EXPECT_EQ(shot->Pixel(1, 1), 3);
}

TEST_F(MapshotTest, TextLabelsAreDrawnFromTheirOwnBitmap) {
    auto text = Add(ObjKind::TEXT8, 400, 400);
    text->insideStr = "10";
    text->xd = 2;
    text->yd = 9;
    viewer.GenerateImage(text);
    auto label = game.shapes->GetTextBitmap("10", 1, 2, 9);
    ASSERT_NE(label, nullptr);
    auto shot = viewer.LevelToBitmap();
    for (int y = 0; y < label->fHeight; ++y)
        for (int x = 0; x < label->fWidth; ++x) {
            const uint8_t p = label->Pixel(x, y);
            ASSERT_EQ(shot->Pixel(400 + x, 400 + y), p == 255 ? 3 : p) << x << "," << y;
        }
}

TEST_F(MapshotTest, WithoutGameDataOnlyTheBackgroundRemains) {
    viewer.shapeman.reset();
    viewer.tileinfo.reset();
    Add(ObjKind::APPLE, 0, 0)->InitShape();
    auto shot = viewer.LevelToBitmap();
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->Pixel(0, 0), 0);
    EXPECT_EQ(shot->Pixel(1000, 500), 0);
}

}  // namespace
