#include <fstream>

#include <gtest/gtest.h>

#include "gamedata/attribute_sheet.h"
#include "gamedata/tile_flags.h"
#include "gamedata/tile_info.h"
#include "support/log_capture.h"

namespace {

std::vector<uint8_t> Record(uint16_t tile, uint16_t shape, uint16_t flags, const std::string& name) {
    std::vector<uint8_t> bytes = {uint8_t(tile), uint8_t(tile >> 8), uint8_t(shape), uint8_t(shape >> 8),
                                  uint8_t(flags), uint8_t(flags >> 8), uint8_t(name.size())};
    for (char c : name) bytes.push_back(uint8_t(c));
    return bytes;
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> bytes;
    for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

class TileInfo : public ::testing::Test {
protected:
    TLogCapture log;
    TTileInfo info;

    static void SetUpTestSuite() { RegisterAttributeSheet(); }

    void Load(const std::vector<uint8_t>& bytes) { info.Init(std::make_shared<TMemoryStream>(bytes), nullptr); }

    void ExpectDefault(int number) {
        EXPECT_EQ(info.tiles[number].sh, 0x4700);
        EXPECT_EQ(info.tiles[number].flags, 0x4006);
        EXPECT_EQ(info.tiles[number].na, "");
    }
};

TEST_F(TileInfo, RecordsSetShapeNameAndFlagsWithBits1_2And14Inverted) {
    Load(Concat({Record(0, 0x0105, 0x4006, "GRASS"), Record(599, 0x0203, 0x0000, "WALL"),
                 Record(7, 0x0300, 0x2001, "")}));
    EXPECT_EQ(info.tiles[0].sh, 0x0105);
    EXPECT_EQ(info.tiles[0].flags, 0x0000);
    EXPECT_EQ(info.tiles[0].na, "GRASS");
    EXPECT_EQ(info.tiles[599].flags, 0x4006);
    EXPECT_EQ(info.tiles[599].na, "WALL");
    EXPECT_EQ(info.tiles[7].flags, 0x6007);
    ExpectDefault(1);
    EXPECT_TRUE(log.HasLine(" info for 3 tile(s) loaded."));
}

TEST_F(TileInfo, ATileListedTwiceTogglesItsFlagsBackAndKeepsANameWhenTheSecondIsEmpty) {
    Load(Concat({Record(5, 0x0101, 0x0001, "VINE"), Record(5, 0x0102, 0x0001, "")}));
    EXPECT_EQ(info.tiles[5].flags, 0x4006);
    EXPECT_EQ(info.tiles[5].sh, 0x0102);
    EXPECT_EQ(info.tiles[5].na, "VINE");
    EXPECT_TRUE(log.HasLine(" info for 2 tile(s) loaded."));
}

TEST_F(TileInfo, AnOutOfRangeRecordIsLoggedAndSkippedWhole) {
    Load(Concat({Record(600, 0x0101, 0x0001, "BAD"), Record(1023, 0, 0, ""), Record(3, 0x0202, 0, "OK")}));
    EXPECT_TRUE(log.HasBlock("ERROR: tile number out of range: 600"));
    EXPECT_TRUE(log.HasBlock("ERROR: tile number out of range: 1023"));
    EXPECT_EQ(info.tiles[3].sh, 0x0202);
    EXPECT_EQ(info.tiles[3].na, "OK");
    EXPECT_TRUE(log.HasLine(" info for 1 tile(s) loaded."));
}

TEST_F(TileInfo, ARecordCutShortIsNotApplied) {
    std::vector<uint8_t> bytes = Concat({Record(1, 0x0101, 0, "ONE"), Record(2, 0x0202, 0, "TWO")});
    bytes.pop_back();
    Load(bytes);
    EXPECT_TRUE(log.HasBlock("ERROR: the tile info file ends inside a record"));
    EXPECT_EQ(info.tiles[1].na, "ONE");
    ExpectDefault(2);
    EXPECT_TRUE(log.HasLine(" info for 1 tile(s) loaded."));

    Load({0x01});
    EXPECT_TRUE(log.HasLine(" info for 0 tile(s) loaded."));
}

TEST_F(TileInfo, AnEmptyFileGivesDefaultTilesWithPictures) {
    Load(Concat({Record(4, 0x0101, 0x0001, "X")}));
    Load({});   // a second Init starts from fresh tiles
    EXPECT_TRUE(log.HasLine(" info for 0 tile(s) loaded."));
    for (int n = 0; n < TileCount; ++n) {
        ExpectDefault(n);
        ASSERT_NE(info.tiles[n].attributeImg, nullptr);
    }
}

TEST_F(TileInfo, LogsEveryStepOfALoad) {
    TTempDir dir;
    info.Init(dir.File("missing.dma"), nullptr);
    EXPECT_EQ(log.Section("TileInfo :: loading info file ...", 6),
              (std::vector<std::string>{"", "TileInfo :: loading info file ...", " url = " + dir.File("missing.dma"),
                                        " initializing tiles ... OK", " opening file ... ERROR",
                                        " generating attribute bitmaps ... done.", "TileInfo :: info file loaded."}));
    EXPECT_NE(info.tiles[0].attributeImg, nullptr);
}

TEST_F(TileInfo, AFileEndsCleanlyAfterItsLastRecord) {
    TTempDir dir;
    std::vector<uint8_t> bytes = Concat({Record(1, 0x0101, 0, "ONE"), Record(2, 0x0202, 0, "")});
    std::ofstream(dir.File("jill.dma"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    info.Init(dir.File("jill.dma"), nullptr);
    EXPECT_EQ(log.Section(" opening file ... OK", 2),
              (std::vector<std::string>{" initializing tiles ... OK", " opening file ... OK",
                                        " info for 2 tile(s) loaded."}));
    EXPECT_EQ(log.CountBlocks(), 0);
}

TEST_F(TileInfo, LookupsUseTheLow10Bits) {
    Load(Concat({Record(517, 0x0A0B, 0x0010, "ROCK")}));
    EXPECT_EQ(info.GetShape(0x0A05), 0x0A0B);
    EXPECT_EQ(info.GetFlags(0xC205), 0x4016);
    EXPECT_EQ(info.GetName(0x0205), "ROCK");
    EXPECT_EQ(info.GetShape(0x0400), 0x4700);   // tile 0
}

TEST_F(TileInfo, LookupsPast599FailAndLog) {
    try {
        info.GetShape(600);
        FAIL() << "no error";
    } catch (const TIllegalTileValue& error) {
        EXPECT_STREQ(error.what(), "illegal tile value!");
    }
    EXPECT_THROW(info.GetFlags(0x03FF), TIllegalTileValue);
    EXPECT_THROW(info.GetName(0xFE58), TIllegalTileValue);   // low bits 600
    EXPECT_TRUE(log.HasBlock("Exception in TTileInfo.GetShape() :: illegal tile value 600 (should be 0..599)"));
    EXPECT_TRUE(log.HasLine("Exception in TTileInfo.GetFlags() :: illegal tile value 1023 (should be 0..599)"));
    EXPECT_FALSE(log.HasBlock("Exception in TTileInfo.GetFlags() :: illegal tile value 1023 (should be 0..599)"));
    EXPECT_TRUE(log.HasLine("Exception in TTileInfo.GetName() :: illegal tile value 600 (should be 0..599)"));
}

TEST_F(TileInfo, TheShapeLookupOfThePicturesSaysNoneInsteadOfRaisingAndLogsTheSame) {
    Load(Concat({Record(517, 0x0A0B, 0x0010, "ROCK")}));
    EXPECT_EQ(info.FindShape(0x0A05), 0x0A0B);
    EXPECT_EQ(info.FindShape(599), 0x4700);
    EXPECT_EQ(log.CountBlocks(), 0);
    EXPECT_EQ(info.FindShape(0xFE58), std::nullopt);   // low bits 600
    EXPECT_TRUE(log.HasBlock("Exception in TTileInfo.GetShape() :: illegal tile value 600 (should be 0..599)"));
}

TEST(TileFlagNames, NamesTheSetBitsInOrder) {
    EXPECT_EQ(TileFlagNames(0x0003), "PLAYERTHRU,NOTSTAIR");
    EXPECT_EQ(TileFlagNames(0x8000), "");
    EXPECT_EQ(TileFlagNames(0), "");
    EXPECT_EQ(TileFlagNames(0x6200), "TINYTHRU,WATER,NOTWATER");
    EXPECT_EQ(TileFlagNames(0xFFFF),
              "PLAYERTHRU,NOTSTAIR,NOTVINE,TOUCH,DRAW,UPDATE,INSIDE,FRONT,TRIGGER,TINYTHRU,ALWAYS,"
              "KILLABLE,FIREBALL,WATER,NOTWATER");
}

}  // namespace
