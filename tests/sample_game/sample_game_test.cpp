// The sample game: the same bytes on every run, and files that the editor's
// own loaders read back with every table, tile, level and object in place.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "gamedata/shape_manager.h"
#include "gamedata/tile_info.h"
#include "level/level_file.h"
#include "level/object_kinds.h"
#include "sample_game/sample_game.h"
#include "sample_game/sample_tiles.h"
#include "support/temp_dir.h"

namespace {

const std::vector<TSampleFile>& Files() {
    static const std::vector<TSampleFile> files = BuildSampleGame();
    return files;
}

const TSampleFile& FileNamed(const std::string& name) {
    for (const TSampleFile& f : Files())
        if (f.name == name) return f;
    throw std::runtime_error("no sample file " + name);
}

TShapeManagerPtr LoadShapes(const std::string& name) {
    auto shapes = std::make_shared<TShapeManager>();
    shapes->Init(std::make_shared<TMemoryStream>(FileNamed(name).bytes));
    return shapes;
}

TEST(SampleGame, SameBytesOnEveryRun) {
    const std::vector<TSampleFile> again = BuildSampleGame();
    ASSERT_EQ(again.size(), Files().size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].name, Files()[i].name);
        EXPECT_TRUE(again[i].bytes == Files()[i].bytes) << again[i].name;
    }
}

TEST(SampleGame, HasEveryGameFileAndALevelPerExtension) {
    std::set<std::string> names;
    for (const TSampleFile& f : Files()) names.insert(f.name);
    for (const char* name : {"jill1.sha", "jill2.sha", "jill3.sha", "onesimus.sha", "jill.dma", "onesimus.dma"})
        EXPECT_TRUE(names.count(name)) << name;
    for (const char* ext : {".jn1", ".jn2", ".jn3", ".one"}) {
        bool found = false;
        for (const std::string& n : names) found |= n.size() > 4 && n.substr(n.size() - 4) == ext;
        EXPECT_TRUE(found) << ext;
    }
}

TEST(SampleGame, WritesIntoANewFolderAndReportsAFolderItCannotMake) {
    TTempDir temp;
    std::string error;
    ASSERT_TRUE(WriteSampleGame(temp.File("a/b"), error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(temp.File("a/b/jill1.sha"), bytes));
    EXPECT_EQ(bytes, FileNamed("jill1.sha").bytes);

    std::ofstream(temp.File("plain")) << "x";
    EXPECT_FALSE(WriteSampleGame(temp.File("plain/sub"), error));
    EXPECT_FALSE(error.empty());
}

TEST(SampleGame, ShapeFilesUseEveryLoaderPath) {
    for (const char* name : {"jill1.sha", "jill2.sha", "jill3.sha", "onesimus.sha"}) {
        SCOPED_TRACE(name);
        auto shapes = LoadShapes(name);
        // 8-bit table with the 64 x 12 palette picture.
        ASSERT_NE(shapes->shapes[0], nullptr);
        auto strip = shapes->GetBitmap(0x0000);
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->fWidth, 64);
        EXPECT_EQ(strip->fHeight, 12);
        // Fonts without a colour map, tiles with a 4-bit map, the 1-bit unlisted look.
        EXPECT_EQ(shapes->shapes[1]->flags & 1, 1);
        EXPECT_EQ(shapes->shapes[4]->flags & 1, 1);
        EXPECT_NE(shapes->GetBitmap(0x4700), nullptr);
        // Colour 0 kept opaque in table 3: the stored bitmap itself comes back.
        EXPECT_EQ(shapes->shapes[3]->flags & 4, 4);
        EXPECT_EQ(shapes->GetBitmap(0x310), shapes->GetBitmap(0x310));
        EXPECT_NE(shapes->shapes[100], nullptr);
    }
}

TEST(SampleGame, EveryTileHasAPictureThroughTheTileInfo) {
    auto shapes = LoadShapes("jill1.sha");
    for (const char* info : {"jill.dma", "onesimus.dma"}) {
        SCOPED_TRACE(info);
        TTileInfo tiles;
        tiles.Init(std::make_shared<TMemoryStream>(FileNamed(info).bytes), shapes);
        int listed = 0;
        for (int t = 0; t < 600; ++t) {
            ASSERT_NE(shapes->GetBitmap(tiles.GetShape(uint16_t(t))), nullptr) << t;
            if (!SampleTileListed(t)) {
                EXPECT_EQ(tiles.GetShape(uint16_t(t)), 0x4700);
                EXPECT_EQ(tiles.GetFlags(uint16_t(t)), 0x4006);
                continue;
            }
            ++listed;
            EXPECT_EQ(tiles.GetShape(uint16_t(t)), SampleTileShape(t)) << t;
            EXPECT_EQ(tiles.GetFlags(uint16_t(t)), SampleTileFlags(t)) << t;
            EXPECT_EQ(tiles.GetName(uint16_t(t)).empty(), t % 50 == 49) << t;
        }
        EXPECT_GT(listed, 500);
        EXPECT_LT(listed, 600);
    }
}

TEST(SampleGame, FontsHaveLettersDigitsAndPunctuation) {
    auto shapes = LoadShapes("jill2.sha");
    const std::string text = "AZaz09.,!?:-()";
    for (int font : {1, 2}) {
        // Each character its own picture: a missing glyph would repeat the
        // stand-in box.
        std::set<std::vector<uint8_t>> pictures;
        for (char c : text) {
            auto label = shapes->GetTextBitmap(std::string(1, c), font, 7, 0xFFFF);
            ASSERT_NE(label, nullptr);
            pictures.insert(label->fPixels);
        }
        EXPECT_EQ(pictures.size(), text.size()) << "font " << font;
    }
    auto digits = shapes->GetTextBitmap("0123456789", 4, 1, 0xFFFF);
    ASSERT_NE(digits, nullptr);
    for (int d = 0; d < 10; ++d) {
        int ink = 0;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 4; ++x) ink += digits->Pixel(d * 4 + x, y) == 9;
        EXPECT_GT(ink, 3) << d;
    }
}

TEST(SampleGame, InventoryIconsExist) {
    auto shapes = LoadShapes("jill3.sha");
    for (int item = 0; InventoryIconFrame(item) != 0; ++item)
        EXPECT_NE(shapes->GetBitmap(uint16_t(0x0E00 + InventoryIconFrame(item))), nullptr) << item;
}

class SampleLevels : public ::testing::Test {
protected:
    TTempDir temp;
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(WriteSampleGame(temp.Path(), error)) << error;
    }
    TLevelPtr Read(const std::string& name) { return ReadLevel(temp.File(name)); }
};

TEST_F(SampleLevels, EveryLevelReadsWithAPlayerFirst) {
    for (const char* name : {"showcase.jn1", "tiles.jn2", "castle.jn3", "desert.one"}) {
        SCOPED_TRACE(name);
        auto level = Read(name);
        ASSERT_NE(level, nullptr);
        ASSERT_FALSE(level->objs.empty());
        EXPECT_TRUE(IsPlayerKind(level->objs[0]->objkind));
        EXPECT_LE(level->objs.size(), size_t(kMaxSupportedObjs));
    }
}

TEST_F(SampleLevels, ShowcaseHoldsEveryKindInSeveralStates) {
    auto level = Read(kSampleShowcaseLevel);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->objs[0]->objkind, ObjKind::PLAYER);
    std::map<int, std::set<uint16_t>> framesByKind;
    auto shapes = LoadShapes("jill1.sha");
    for (const TLevelObjectPtr& o : level->objs) {
        o->InitShape();
        for (const TMyShape* s = o->myshape.get(); s; s = s->succ.get()) {
            framesByKind[o->objkind].insert(s->sh);
            EXPECT_NE(shapes->GetBitmap(s->sh), nullptr)
                << ObjKindName(o->objkind) << " shape " << std::hex << s->sh;
        }
        framesByKind.try_emplace(o->objkind);
    }
    // Kinds with a single look, or drawn as an outline or a label only.
    const std::set<int> oneLook = {ObjKind::KNIFE,  ObjKind::CLOUD,     ObjKind::FALLDOOR, ObjKind::STALAG,
                                   ObjKind::SEAROCK, ObjKind::EPIC,     ObjKind::ELEV,     ObjKind::KILLME,
                                   ObjKind::MACROTRIG, ObjKind::CHECKPT, ObjKind::PAD,     ObjKind::DOOR,
                                   ObjKind::BRIDGER, ObjKind::TXTMSG,   ObjKind::JILLSPIDER, ObjKind::TEXT6,
                                   ObjKind::TEXT8,  ObjKind::SCORE};
    for (int kind = 0; kind <= kMaxSupportedObjKind; ++kind) {
        ASSERT_TRUE(framesByKind.count(kind)) << ObjKindName(uint8_t(kind));
        if (!oneLook.count(kind)) {
            EXPECT_GE(framesByKind[kind].size(), 2u) << ObjKindName(uint8_t(kind));
        }
    }
    EXPECT_GE(framesByKind[ObjKind::PLAYER].size(), 10u);
    std::set<uint8_t> textKinds;
    for (const TLevelObjectPtr& o : level->objs)
        if (!o->insideStr.empty()) textKinds.insert(o->objkind);
    for (uint8_t kind : {ObjKind::TEXT6, ObjKind::TEXT8, ObjKind::TXTMSG}) EXPECT_TRUE(textKinds.count(kind));
}

TEST_F(SampleLevels, ShowcaseHasLinksAndEveryLedgeAndOverlayCase) {
    auto level = Read(kSampleShowcaseLevel);
    ASSERT_NE(level, nullptr);
    std::map<uint16_t, int> linkSizes;
    for (const TLevelObjectPtr& o : level->objs)
        if (IsLinkableKind(o->objkind)) ++linkSizes[o->counter];
    int groups = 0;
    for (auto [id, size] : linkSizes) groups += size > 1;
    EXPECT_GE(groups, 2);

    std::set<uint16_t> ledgeOverlays;
    std::set<std::pair<uint16_t, bool>> overlayTiles;   // (tile, at the board edge)
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            const uint16_t t = level->Board(x, y);
            uint16_t overlay = 0;
            level->GetTile(x, y, overlay);
            if (t >= 20 && t <= 23) ledgeOverlays.insert(overlay);
            if (t >= 100 && t <= 102) overlayTiles.insert({t, x == 0});
            if (t >= 103 && t <= 105) overlayTiles.insert({t, y == 0});
        }
    EXPECT_EQ(ledgeOverlays, (std::set<uint16_t>{0x2A01, 0x2A02, 0x2A03, 0x2A04, 0x2A05, kNoOverlay}));
    for (uint16_t t = 100; t <= 105; ++t) {
        EXPECT_TRUE(overlayTiles.count({t, true})) << t;
        EXPECT_TRUE(overlayTiles.count({t, false})) << t;
    }
}

}  // namespace
