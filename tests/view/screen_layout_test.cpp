// The window's layout, the map camera and zoom, the side panel's scrolling and
// the conversions from a window point to what lies under it.

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "edit/screen_layout.h"
#include "level/level_object.h"
#include "level/object_hit_tests.h"
#include "level/object_kinds.h"
#include "support/test_host.h"

namespace {

TScreenLayout Layout(int width, int height) {
    TScreenLayout l;
    l.InitWindow(width, height);
    return l;
}

struct TExpectedLayout {
    int statusY, tilesH, tilesCamAmount, objCamAmount;
    int mapW, mapH, mapTilesW, mapTilesH, maxCamX, maxCamY;
};

void ExpectLayout(const TScreenLayout& l, const TExpectedLayout& e) {
    EXPECT_EQ(l.statusY, e.statusY);
    EXPECT_EQ(l.tilesX, 0);
    EXPECT_EQ(l.tilesY, 16);
    EXPECT_EQ(l.tilesW, 320);
    EXPECT_EQ(l.tilesH, e.tilesH);
    EXPECT_EQ(l.tilesCamW, 20);
    EXPECT_EQ(l.objCamW, 10);
    EXPECT_EQ(l.tilesCamAmount, e.tilesCamAmount);
    EXPECT_EQ(l.objCamAmount, e.objCamAmount);
    EXPECT_EQ(l.mapX, 320);
    EXPECT_EQ(l.mapY, 0);
    EXPECT_EQ(l.mapW, e.mapW);
    EXPECT_EQ(l.mapH, e.mapH);
    EXPECT_EQ(l.mapZoom, 1.0f);
    EXPECT_EQ(l.mapTilesW, e.mapTilesW);
    EXPECT_EQ(l.mapTilesH, e.mapTilesH);
    EXPECT_EQ(l.maxCamX, e.maxCamX);
    EXPECT_EQ(l.maxCamY, e.maxCamY);
    EXPECT_EQ(l.camX, 0);
    EXPECT_EQ(l.camY, 0);
}

// The region [left, right] x [top, bottom] (last pixels included): its
// corners are inside, the pixels just beyond each side are not.
void ExpectRegion(const std::function<bool(int, int)>& over, int left, int top, int right, int bottom) {
    EXPECT_TRUE(over(left, top));
    EXPECT_TRUE(over(right, bottom));
    EXPECT_FALSE(over(left - 1, top));
    EXPECT_FALSE(over(left, top - 1));
    EXPECT_FALSE(over(right + 1, bottom));
    EXPECT_FALSE(over(right, bottom + 1));
}

std::pair<int, int> TileAt(const TScreenLayout& l, int x, int y) {
    std::pair<int, int> t;
    l.MapGetMouseTilePos(x, y, t.first, t.second);
    return t;
}

std::pair<int, int> PixelAt(const TScreenLayout& l, int x, int y) {
    std::pair<int, int> p;
    l.MapGetMousePixelPos(x, y, p.first, p.second);
    return p;
}

std::pair<int, int> DropAt(const TScreenLayout& l, int x, int y, const TLevelObject* obj, bool alt = false) {
    std::pair<int, int> p;
    l.MapGetObjectPos(x, y, obj, alt, p.first, p.second);
    return p;
}

TEST(ScreenLayout, StartsUnzoomedAtTheLevelsCornerShowingTheTileset) {
    const TScreenLayout l;
    EXPECT_EQ(l.mapZoom, 1.0f);
    EXPECT_EQ(l.camX, 0);
    EXPECT_EQ(l.camY, 0);
    EXPECT_EQ(l.tilesCamY, 0);
    EXPECT_EQ(l.objCamY, 0);
    EXPECT_EQ(l.editobjs, 0);
}

TEST(ScreenLayout, WindowSizesGiveTheirRegions) {
    ExpectLayout(Layout(1280, 720), {704, 688, 860, 210, 960, 704, 60, 44, 68, 20});
    ExpectLayout(Layout(1024, 768), {752, 736, 920, 230, 704, 752, 44, 47, 84, 17});
    // Partial rows and tiles are dropped: 698 / 16 and 714 / 16 leave a rest.
    ExpectLayout(Layout(1280, 730), {714, 698, 860, 210, 960, 714, 60, 44, 68, 20});
}

TEST(ScreenLayout, AnOddTilesetWidthLosesAColumn) {
    TScreenLayout l = Layout(1280, 720);
    l.SetTilesetWidth(21);
    EXPECT_EQ(l.tilesCamW, 20);
    EXPECT_EQ(l.objCamW, 10);
    EXPECT_EQ(l.tilesW, 320);
    l.SetTilesetWidth(22);
    EXPECT_EQ(l.tilesCamW, 22);
    EXPECT_EQ(l.objCamW, 11);
    EXPECT_EQ(l.tilesW, 352);
    EXPECT_EQ(l.tilesCamAmount, 43 * 22);
    EXPECT_EQ(l.objCamAmount, 21 * 11);
}

void ExpectCamera(const TScreenLayout& l, int camX, int camY) {
    EXPECT_EQ(l.camX, camX);
    EXPECT_EQ(l.camY, camY);
}

// A resized window gets the regions of a window opened at that size, and
// keeps its zoom and, as far as the new limits allow, its camera.
TEST(ScreenLayout, AResizedWindowIsLaidOutAnewKeepingTheView) {
    TScreenLayout l = Layout(1280, 720);
    l.SetMapZoom(2.0f);
    l.camX = 90;
    l.camY = 40;
    l.ResizeWindow(1024, 768);
    TScreenLayout fresh = Layout(1024, 768);
    fresh.SetMapZoom(2.0f);
    EXPECT_EQ(l.mapW, fresh.mapW);
    EXPECT_EQ(l.mapH, fresh.mapH);
    EXPECT_EQ(l.statusY, fresh.statusY);
    EXPECT_EQ(l.tilesCamAmount, fresh.tilesCamAmount);
    EXPECT_EQ(l.mapZoom, 2.0f);
    EXPECT_EQ(l.maxCamX, fresh.maxCamX);
    ExpectCamera(l, 90, 40);
    // A larger window shows more of the level: the camera moves back to
    // the new limits, and where the whole level fits, to 0.
    l.ResizeWindow(3840, 2160);
    ExpectCamera(l, 128 - (3840 - 320) / 32, 0);
    l.SetMapZoom(0.5f);
    ExpectCamera(l, 0, 0);
}

// A drag moves the camera by the nearest whole number of tiles the pointer
// moved, against the pointer, within the camera's limits.
TEST(ScreenLayout, PanningFollowsThePointerInWholeTiles) {
    TScreenLayout l = Layout(1280, 720);
    l.PanCamera(10, 10, -7, 7);   // under half a tile: no move
    ExpectCamera(l, 10, 10);
    l.PanCamera(10, 10, -8, 8);   // half a tile rounds away from zero
    ExpectCamera(l, 11, 9);
    l.PanCamera(10, 10, 5000, -5000);
    ExpectCamera(l, 0, l.maxCamY);
    l.SetMapZoom(4.0f);           // 64 pixels a tile
    l.PanCamera(10, 10, -95, -97);
    ExpectCamera(l, 11, 12);
}

TEST(ScreenLayout, ZoomStepsAndTheCameraLimitsThatFollowThem) {
    enum TStep { In, Out, Reset };
    struct TExpected {
        TStep step;
        float zoom;
        int maxCamX, maxCamY, camX, camY;
    };
    // From zoom 3 with the camera at its far corner, on a 960 x 704 map view.
    const TExpected steps[] = {
        {Out, 2.0f, 98, 42, 98, 42},
        {Out, 1.0f, 68, 20, 68, 20},
        {Out, 0.5f, 8, -24, 8, 0},   // the level's height fits: shown from row 0
        {Out, 0.25f, -112, -112, 0, 0},
        {Out, 0.125f, -352, -288, 0, 0},
        {Out, 0.0625f, -832, -640, 0, 0},
        {Out, 0.0625f, -832, -640, 0, 0},
        {In, 0.125f, -352, -288, 0, 0},
        {In, 0.25f, -112, -112, 0, 0},
        {In, 0.5f, 8, -24, 0, 0},
        {In, 1.0f, 68, 20, 0, 0},
        {In, 2.0f, 98, 42, 0, 0},
        {In, 3.0f, 108, 50, 0, 0},
        {In, 4.0f, 113, 53, 0, 0},
        {Reset, 1.0f, 68, 20, 0, 0},
    };
    TScreenLayout l = Layout(1280, 720);
    l.SetMapZoom(3.0f);
    EXPECT_EQ(l.mapTilesW, 20);
    EXPECT_EQ(l.mapTilesH, 14);   // 704 / 48 = 14.67
    l.camX = 108, l.camY = 50;
    l.FixCam();
    ExpectCamera(l, 108, 50);
    for (const TExpected& e : steps) {
        if (e.step == In) l.ZoomIn();
        if (e.step == Out) l.ZoomOut();
        if (e.step == Reset) l.ResetZoom();
        EXPECT_EQ(l.mapZoom, e.zoom);
        EXPECT_EQ(l.maxCamX, e.maxCamX);
        EXPECT_EQ(l.maxCamY, e.maxCamY);
        ExpectCamera(l, e.camX, e.camY);
    }

    l.camX = -1, l.camY = -1;
    l.FixCam();
    ExpectCamera(l, 0, 0);
    l.camX = 69, l.camY = 21;
    l.FixCam();
    ExpectCamera(l, 68, 20);
}

TEST(ScreenLayout, RegionsAndButtonsEndOnTheirLastPixel) {
    TScreenLayout l = Layout(1280, 720);
    ExpectRegion([&](int x, int y) { return l.MouseOverMap(x, y); }, 320, 0, 1279, 703);
    ExpectRegion([&](int x, int y) { return l.MouseOverTileset(x, y); }, 0, 16, 319, 703);
    EXPECT_FALSE(l.MouseOverObjectList(0, 16));
    l.editobjs = 1;
    ExpectRegion([&](int x, int y) { return l.MouseOverObjectList(x, y); }, 0, 16, 319, 703);
    EXPECT_FALSE(l.MouseOverTileset(0, 16));

    ExpectRegion(TScreenLayout::MouseOverTilesButton, 0, 0, 55, 15);
    ExpectRegion(TScreenLayout::MouseOverObjectsButton, 56, 0, 127, 15);
    ExpectRegion(TScreenLayout::MouseOverInventoryButton, 128, 0, 263, 15);
    ExpectRegion([&](int x, int y) { return l.MouseOverUndoButton(x, y); }, 8, 704, 39, 719);
    ExpectRegion([&](int x, int y) { return l.MouseOverRedoButton(x, y); }, 48, 704, 79, 719);
    // They stay put when the panel is wider.
    l.SetTilesetWidth(40);
    EXPECT_TRUE(TScreenLayout::MouseOverInventoryButton(263, 0));
    EXPECT_FALSE(TScreenLayout::MouseOverInventoryButton(264, 0));
}

TEST(ScreenLayout, PointerToLevelTileAndPixelTruncatesTowardZero) {
    TScreenLayout l = Layout(1280, 720);
    l.camX = 3, l.camY = 2;
    EXPECT_EQ(TileAt(l, 320, 0), std::make_pair(3, 2));
    EXPECT_EQ(TileAt(l, 335, 15), std::make_pair(3, 2));
    EXPECT_EQ(TileAt(l, 336, 16), std::make_pair(4, 3));
    EXPECT_EQ(PixelAt(l, 325, 7), std::make_pair(53, 39));

    l.SetMapZoom(2.0f);
    EXPECT_EQ(TileAt(l, 351, 31), std::make_pair(3, 2));
    EXPECT_EQ(TileAt(l, 352, 32), std::make_pair(4, 3));
    EXPECT_EQ(PixelAt(l, 325, 7), std::make_pair(50, 35));

    l.SetMapZoom(0.5f);   // the camera's row is clamped to 0 here
    EXPECT_EQ(TileAt(l, 327, 7), std::make_pair(3, 0));
    EXPECT_EQ(TileAt(l, 328, 8), std::make_pair(4, 1));
    EXPECT_EQ(PixelAt(l, 325, 7), std::make_pair(58, 14));

    // Left of and above the view with the camera at the corner: a fraction
    // of a tile or pixel goes to 0, not to -1.
    l.camX = 0;
    l.SetMapZoom(2.0f);
    EXPECT_EQ(PixelAt(l, 319, -1), std::make_pair(0, 0));
    EXPECT_EQ(PixelAt(l, 318, -2), std::make_pair(-1, -1));
    l.SetMapZoom(1.0f);
    EXPECT_EQ(TileAt(l, 319, -1), std::make_pair(0, 0));
    EXPECT_EQ(TileAt(l, 303, -17), std::make_pair(-1, -1));

    ExpectRegion(TScreenLayout::IsValidTilePos, 0, 0, 127, 63);
}

TEST(ScreenLayout, DroppedObjectsSnapByWhereInTheTileThePointerIs) {
    const TScreenLayout l = Layout(1280, 720);
    const int tileX = 320 + 32, tileY = 48;   // level pixels (32, 48)
    TLevelObject small;
    small.xl = 10, small.yl = 10;
    TLevelObject tile;
    tile.xl = 16, tile.yl = 16;
    TLevelObject large;
    large.xl = 40, large.yl = 24;   // 8 and 8 over whole tiles

    EXPECT_EQ(DropAt(l, tileX + 5, tileY + 2, &small), std::make_pair(32, 48));
    EXPECT_EQ(DropAt(l, tileX + 6, tileY + 7, &small), std::make_pair(35, 51));
    EXPECT_EQ(DropAt(l, tileX + 9, tileY + 9, &small), std::make_pair(35, 51));
    EXPECT_EQ(DropAt(l, tileX + 10, tileY + 12, &small), std::make_pair(38, 54));
    EXPECT_EQ(DropAt(l, tileX + 15, tileY + 15, &small), std::make_pair(38, 54));
    EXPECT_EQ(DropAt(l, tileX + 7, tileY + 12, &tile), std::make_pair(32, 48));
    EXPECT_EQ(DropAt(l, tileX + 7, tileY + 12, &large), std::make_pair(36, 56));
    EXPECT_EQ(DropAt(l, tileX + 7, tileY + 12, nullptr), std::make_pair(32, 48));
    EXPECT_EQ(DropAt(l, tileX + 7, tileY + 12, &small, true), std::make_pair(39, 60));
    EXPECT_EQ(DropAt(l, tileX + 7, tileY + 12, nullptr, true), std::make_pair(39, 60));
}

TEST(ScreenLayout, TilesetEntriesUnderThePointer) {
    TScreenLayout l = Layout(1280, 400);
    l.tilesCamY = 7;
    int tx = 0, ty = 0;
    l.TilesetGetMousePos(319, 383, tx, ty);
    EXPECT_EQ(tx, 19);
    EXPECT_EQ(ty, 29);
    EXPECT_EQ(l.TilesetGetTileAt(tx, ty), 599);
    EXPECT_TRUE(l.IsValidTilesetPos(19, 29));
    EXPECT_FALSE(l.IsValidTilesetPos(0, 30));
    EXPECT_TRUE(l.IsValidTilesetPos(0, 0));
    EXPECT_FALSE(l.IsValidTilesetPos(-1, 0));
    // Above the panel, row -1/16 is truncated to the first row shown.
    l.TilesetGetMousePos(0, 15, tx, ty);
    EXPECT_EQ(ty, 7);
}

TEST(ScreenLayout, PaletteCellsUnderThePointerEndWithThePalette) {
    TScreenLayout l = Layout(1280, 720);
    l.editobjs = 1;
    EXPECT_EQ(l.ObjListIndexAt(0, 16, 25), 0);
    EXPECT_EQ(l.ObjListIndexAt(319, 47, 25), 9);
    EXPECT_EQ(l.ObjListIndexAt(0, 48, 25), 10);
    EXPECT_EQ(l.ObjListIndexAt(159, 80, 25), 24);
    EXPECT_EQ(l.ObjListIndexAt(160, 80, 25), -1);
    EXPECT_EQ(l.ObjListIndexAt(320, 16, 25), -1);
    l.objCamY = 2;
    EXPECT_EQ(l.ObjListIndexAt(31, 16, 25), 20);
    l.editobjs = 0;
    EXPECT_EQ(l.ObjListIndexAt(31, 16, 25), -1);
}

// One panel's scrolling: the wheel, one row up, one row down, and the first
// row shown.
struct TPanelScroll {
    std::function<void(int)> wheel;
    std::function<void()> up, down;
    int& row;
};

// Every way of scrolling keeps the first row shown within 0..lastRow.
void ExpectRowsWithin(const TPanelScroll& p, int lastRow) {
    p.row = 0;
    p.wheel(-lastRow);
    EXPECT_EQ(p.row, lastRow);
    p.wheel(-1);
    EXPECT_EQ(p.row, lastRow);
    p.down();
    EXPECT_EQ(p.row, lastRow);
    if (lastRow > 0) {
        p.row = lastRow - 1;
        p.down();
        EXPECT_EQ(p.row, lastRow);
    }
    p.wheel(lastRow);
    EXPECT_EQ(p.row, 0);
    p.wheel(1);
    EXPECT_EQ(p.row, 0);
    p.up();
    EXPECT_EQ(p.row, 0);
    p.row = 1;
    p.up();
    EXPECT_EQ(p.row, 0);
}

TEST(ScreenLayout, PanelScrollingStopsWhereTheLastEntryComesIntoView) {
    TScreenLayout l;
    const auto tileset = [&] {
        return TPanelScroll{[&](int wheel) { l.TilesetScrollWheel(wheel); }, [&] { l.TilesetRowUp(); },
                            [&] { l.TilesetRowDown(); }, l.tilesCamY};
    };
    const auto palette = [&](size_t count) {
        return TPanelScroll{[&, count](int wheel) { l.ObjListScrollWheel(wheel, count); },
                            [&] { l.ObjListRowUp(); }, [&, count] { l.ObjListRowDown(count); }, l.objCamY};
    };
    // 23 rows of 20 shown: the last of the 600 entries is in view from row 7.
    l.InitWindow(1280, 400);
    ASSERT_EQ(l.tilesCamAmount, 460);
    ExpectRowsWithin(tileset(), 7);
    // 860 shown: the whole tileset fits.
    l.InitWindow(1280, 720);
    ExpectRowsWithin(tileset(), 0);
    // 210 palette cells shown.
    ExpectRowsWithin(palette(250), 4);
    ExpectRowsWithin(palette(211), 1);
    ExpectRowsWithin(palette(210), 0);
    ExpectRowsWithin(palette(100), 0);
}

TEST(ScreenLayout, ViewportsClipToTheirRegions) {
    TTestHost host(1024, 768);
    const TScreenLayout l = Layout(ScreenWidth(), ScreenHeight());
    l.MapViewport();
    EXPECT_EQ(CurrentViewport(), (TViewport{320, 0, 704, 752}));
    l.TilesetViewport();
    EXPECT_EQ(CurrentViewport(), (TViewport{0, 16, 320, 736}));
    l.FullViewport();
    EXPECT_EQ(CurrentViewport(), (TViewport{0, 0, 1024, 768}));
}

TEST(ObjectHitTests, HitboxesAndTheStandInBoxOfObjectsWithoutASize) {
    TLevelObject o;
    o.x = 100, o.y = 40;
    ExpectRegion([&](int x, int y) { return InHitbox(x, y, o); }, 100, 40, 115, 55);
    EXPECT_FALSE(InHitbox(116, 40, o));

    o.xl = 20, o.yl = 10;
    ExpectRegion([&](int x, int y) { return InHitbox(x, y, o); }, 100, 40, 119, 49);
    EXPECT_FALSE(InHitbox(115, 55, o));   // a sized object gets no stand-in

    o.xl = 0;
    EXPECT_TRUE(InHitbox(115, 55, o));
    EXPECT_FALSE(InHitbox(116, 40, o));

    // Positions are signed: an object partly off the level's left edge.
    o.x = 0xFFF0, o.xl = 20;
    ExpectRegion([&](int x, int y) { return InHitbox(x, y, o); }, -16, 40, 3, 49);
}

TEST(ObjectHitTests, LinkedObjectsAreLinkableKindsWithOneLinkId) {
    TLevelObject pad, door, apple;
    pad.objkind = ObjKind::PAD, door.objkind = ObjKind::DOOR, apple.objkind = ObjKind::APPLE;
    pad.counter = door.counter = apple.counter = 5;
    EXPECT_TRUE(ObjectsLinked(&pad, &door));
    EXPECT_TRUE(ObjectsLinked(&pad, &pad));
    EXPECT_FALSE(ObjectsLinked(&pad, &apple));
    EXPECT_FALSE(ObjectsLinked(&apple, &pad));
    EXPECT_FALSE(ObjectsLinked(&apple, &apple));
    EXPECT_FALSE(ObjectsLinked(&pad, nullptr));
    EXPECT_FALSE(ObjectsLinked(nullptr, &pad));
    door.counter = 6;
    EXPECT_FALSE(ObjectsLinked(&pad, &door));
}

}  // namespace
