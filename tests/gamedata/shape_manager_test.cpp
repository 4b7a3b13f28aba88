#include <fstream>

#include <gtest/gtest.h>

#include "gamedata/game_palette.h"
#include "gamedata/shape_manager.h"
#include "support/log_capture.h"
#include "support/shape_file_builder.h"

namespace {

TShapeManagerPtr LoadShapes(const std::vector<uint8_t>& bytes) {
    auto shapes = std::make_shared<TShapeManager>();
    shapes->Init(std::make_shared<TMemoryStream>(bytes));
    return shapes;
}

TTestFrame Frame(int width, int height, std::vector<uint8_t> pixels = {}) {
    return TTestFrame{width, height, std::move(pixels)};
}

std::vector<uint8_t> Pixels(const TBitmapPtr& bitmap) { return bitmap ? bitmap->fPixels : std::vector<uint8_t>{}; }

TEST(GamePalette, MatchesTheGamesColours) {
    TColorTablePtr palette = MakeGamePalette();
    ASSERT_EQ(palette->size(), 256u);
    const std::pair<int, uint32_t> expected[] = {
        {0, 0xFF000000}, {6, 0xFFA25100}, {9, 0xFF5151F7}, {15, 0xFFF7F7F7}, {16, 0xFF181818},
        {23, 0xFFDFDFDF}, {24, 0xFF612400}, {27, 0xFFF72400}, {28, 0xFF005100}, {55, 0xFFF7F700},
        {56, 0xFF00002C}, {254, 0xFFC3F7F7}, {255, 0x00F7F7F7},
    };
    for (auto [index, colour] : expected) EXPECT_EQ((*palette)[index], colour) << "index " << index;
    for (int i = 0; i < 255; ++i) EXPECT_EQ((*palette)[i] >> 24, 0xFFu) << "index " << i;
}

TEST(ShapeManager, ColourMapOfADepth4TableGivesPaletteIndices) {
    TLogCapture log;
    TTestTable table{3, 4, 0, {0, 40, 41}, {Frame(2, 2, {0, 1, 2, 15})}};
    table.colorMap.resize(16, 0);
    table.colorMap[15] = 200;
    // A second table after it shows that reading went on at the right place.
    TTestTable after{4, 8, 0, {}, {Frame(1, 1, {77})}};
    // Colour numbers a small map does not cover become index 0.
    TTestTable small{2, 1, 0, {30, 31}, {Frame(3, 1, {0, 1, 2})}};
    TShapeManagerPtr shapes = LoadShapes(BuildShapeFile({table, after, small}));

    EXPECT_EQ(shapes->shapes[2]->bitmaps[0]->fPixels, (std::vector<uint8_t>{30, 31, 0}));
    ASSERT_NE(shapes->shapes[3], nullptr);
    EXPECT_EQ(shapes->shapes[3]->numshapes, 1);
    EXPECT_EQ(shapes->shapes[3]->bitmaps[0]->fPixels, (std::vector<uint8_t>{0, 40, 41, 200}));
    // Handed out with colour 0 turned transparent.
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0300)), (std::vector<uint8_t>{255, 40, 41, 200}));
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0400)), (std::vector<uint8_t>{77}));
    EXPECT_TRUE(log.HasLine(" bitmaps for 3 sprite(s) loaded."));
}

TEST(ShapeManager, FlagBit0ReadsNoColourMapAndKeepsColourNumbers) {
    TTestTable table{3, 4, 1, {}, {Frame(2, 1, {5, 15})}};
    TTestTable after{4, 8, 0, {}, {Frame(1, 1, {77})}};
    TShapeManagerPtr shapes = LoadShapes(BuildShapeFile({table, after}));
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0300)), (std::vector<uint8_t>{5, 15}));
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0400)), (std::vector<uint8_t>{77}));
}

TEST(ShapeManager, FlagBit2KeepsColour0AndHandsOutTheStoredBitmap) {
    TTestTable opaque{5, 8, 4, {}, {Frame(2, 1, {0, 9})}};
    TTestTable clear{6, 8, 0, {}, {Frame(2, 1, {0, 9})}};
    TShapeManagerPtr shapes = LoadShapes(BuildShapeFile({opaque, clear}));

    TBitmapPtr first = shapes->GetBitmap(0x0500);
    EXPECT_EQ(first, shapes->GetBitmap(0x0500));
    EXPECT_EQ(first, shapes->shapes[5]->bitmaps[0]);
    EXPECT_EQ(Pixels(first), (std::vector<uint8_t>{0, 9}));

    TBitmapPtr copy = shapes->GetBitmap(0x0600);
    EXPECT_NE(copy, shapes->GetBitmap(0x0600));
    EXPECT_NE(copy, shapes->shapes[6]->bitmaps[0]);
    EXPECT_EQ(Pixels(copy), (std::vector<uint8_t>{255, 9}));
    EXPECT_EQ(shapes->shapes[6]->bitmaps[0]->fPixels, (std::vector<uint8_t>{0, 9}));
    // The copy brings its own colour table; the stored frames share the palette.
    EXPECT_NE(copy->fColorTable, shapes->Palette);
    EXPECT_EQ(shapes->shapes[6]->bitmaps[0]->fColorTable, shapes->Palette);

    // Read in place, the frame is the one kept at load, whichever flag: the
    // same object on every call, the same pixels as the copy, the palette
    // shared, and untouched by a change to a copy.
    EXPECT_EQ(shapes->FrameBitmap(0x0500), first.get());
    const TBitmap* shared = shapes->FrameBitmap(0x0600);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared, shapes->FrameBitmap(0xC600));
    EXPECT_NE(shared, shapes->shapes[6]->bitmaps[0].get());
    EXPECT_EQ(shared->fColorTable, shapes->Palette);
    copy->fPixels[1] = 3;
    EXPECT_EQ(shared->fPixels, (std::vector<uint8_t>{255, 9}));
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0600)), shared->fPixels);
    EXPECT_EQ(shapes->FrameBitmap(0x0601), nullptr);   // past the table's frames
    EXPECT_EQ(shapes->FrameBitmap(0x0700), nullptr);   // absent table

    // The images agree: colour 0 see-through only without flag 4.
    TImagePtr opaqueImage = shapes->GetImage(0x0500);
    TImagePtr clearImage = shapes->GetImage(0x0600);
    ASSERT_NE(opaqueImage, nullptr);
    ASSERT_NE(clearImage, nullptr);
    EXPECT_EQ(opaqueImage->Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(clearImage->Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(clearImage->Pixel(1, 0), 0xFF5151F7u);
}

TEST(ShapeManager, ShapeNumbersIgnoreTheTopTwoBits) {
    TTestTable table7{7, 8, 0, {}, {}};
    for (int f = 0; f < 6; ++f) table7.frames.push_back(Frame(1, 1, {uint8_t(100 + f)}));
    TTestTable table63{63, 8, 0, {}, {Frame(1, 1, {63})}};
    TTestTable table0{0, 8, 0, {}, {Frame(1, 1, {1}), Frame(1, 1, {2})}};
    TTestTable high{100, 8, 0, {}, {Frame(1, 1, {5})}};
    TShapeManagerPtr shapes = LoadShapes(BuildShapeFile({table7, table63, table0, high}));

    EXPECT_EQ(Pixels(shapes->GetBitmap(0x4705)), (std::vector<uint8_t>{105}));
    EXPECT_EQ(shapes->GetImage(0x4705), shapes->GetImage(0xC705));
    EXPECT_NE(shapes->GetImage(0x4705), nullptr);
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x7F00)), (std::vector<uint8_t>{63}));
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0001)), (std::vector<uint8_t>{2}));
    EXPECT_EQ(shapes->GetBitmap(0x0706), nullptr);   // past the table's frames
    EXPECT_EQ(shapes->GetImage(0x0706), nullptr);
    EXPECT_EQ(shapes->GetBitmap(0x0800), nullptr);   // absent table
    // Tables 64-127 load, but a shape number reaches only tables 0-63.
    EXPECT_NE(shapes->shapes[100], nullptr);
    EXPECT_EQ(shapes->GetBitmap(0x6400), nullptr);
}

TEST(ShapeManager, LogsTheVgaPaletteFrameAndStillLoadsIt) {
    TLogCapture log;
    TTestTable table{9, 8, 0, {}, {Frame(2, 2), Frame(64, 12, std::vector<uint8_t>(768, 42))}};
    TTestTable notEightBit{10, 4, 1, {}, {Frame(64, 12)}};
    TShapeManagerPtr shapes = LoadShapes(BuildShapeFile({table, notEightBit}));

    EXPECT_TRUE(log.HasLine(" shape 9 frame 1 seems to store a VGA palette"));
    EXPECT_FALSE(log.HasLine(" shape 10 frame 0 seems to store a VGA palette"));
    TBitmapPtr palette = shapes->GetBitmap(0x0901);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->fWidth, 64);
    EXPECT_EQ(palette->fHeight, 12);
    EXPECT_EQ(palette->fPixels, std::vector<uint8_t>(768, 42));
}

TEST(ShapeManager, LogsEveryStepOfALoadFromAPath) {
    TLogCapture log;
    TTempDir dir;
    std::vector<uint8_t> bytes = BuildShapeFile({TTestTable{1, 8, 0, {}, {Frame(1, 1), Frame(2, 1)}}});
    std::ofstream(dir.File("jill1.sha"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                                std::streamsize(bytes.size()));
    TShapeManager shapes;
    EXPECT_EQ(shapes.Init(dir.File("jill1.sha")), 0);

    EXPECT_EQ(log.Section("ShapeMan :: Loading shape file ...", 5),
              (std::vector<std::string>{"", "ShapeMan :: Loading shape file ...", " url = " + dir.File("jill1.sha"),
                                        " opening file ... OK", " bitmaps for 2 sprite(s) loaded.",
                                        "ShapeMan :: shape file loaded."}));
    EXPECT_EQ(shapes.lengths[1], bytes.size() - 768);
    EXPECT_EQ(shapes.offsets[1], 768);
}

TEST(ShapeManager, AnUnopenableFileLeavesEveryTableEmpty) {
    TLogCapture log;
    TTempDir dir;
    TShapeManager shapes;
    EXPECT_EQ(shapes.Init(dir.File("missing.sha")), 0);
    EXPECT_TRUE(log.HasLine(" opening file ... ERROR"));
    EXPECT_FALSE(log.HasLine("ShapeMan :: shape file loaded."));
    for (const TShapePtr& table : shapes.shapes) EXPECT_EQ(table, nullptr);
}

TEST(ShapeManager, AnEmptyFrameIsLoggedLeftNullAndNotCounted) {
    TLogCapture log;
    TTestTable table{2, 8, 0, {}, {Frame(0, 5), Frame(1, 1, {7}), Frame(3, 0)}};
    TShapeManagerPtr shapes = LoadShapes(BuildShapeFile({table}));
    EXPECT_TRUE(log.HasBlock("ERROR: cannot create TBitmap object (out of memory?)"));
    EXPECT_EQ(log.CountBlocks(), 2);
    EXPECT_EQ(shapes->shapes[2]->numshapes, 3);
    EXPECT_EQ(shapes->GetBitmap(0x0200), nullptr);
    EXPECT_EQ(shapes->GetImage(0x0200), nullptr);
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0201)), (std::vector<uint8_t>{7}));
    EXPECT_TRUE(log.HasLine(" bitmaps for 1 sprite(s) loaded."));
}

TEST(ShapeManager, AFrameRunningPastTheEndIsLeftNullAndTheRestStillLoads) {
    TLogCapture log;
    // Table 1 comes last in the file and is cut short inside its second frame.
    TTestTable first{5, 8, 0, {}, {Frame(1, 1, {3})}};
    TTestTable cut{1, 8, 0, {}, {Frame(2, 2, {1, 2, 3, 4}), Frame(4, 4), Frame(1, 1)}};
    std::vector<uint8_t> bytes = BuildShapeFile({first, cut});
    bytes.resize(bytes.size() - 4 - 3 - 10);
    TShapeManagerPtr shapes = LoadShapes(bytes);

    EXPECT_TRUE(log.HasBlock("ERROR: shape 1 frame 1 runs past the end of the file"));
    EXPECT_EQ(log.CountBlocks(), 1);
    ASSERT_NE(shapes->shapes[1], nullptr);
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0100)), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(shapes->GetBitmap(0x0101), nullptr);
    EXPECT_EQ(shapes->GetBitmap(0x0102), nullptr);
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0500)), (std::vector<uint8_t>{3}));
    EXPECT_TRUE(log.HasLine(" bitmaps for 2 sprite(s) loaded."));
    EXPECT_TRUE(log.HasLine("ShapeMan :: shape file loaded."));
}

TEST(ShapeManager, ATableOutsideTheFileIsLeftNull) {
    TLogCapture log;
    TTestTable good{3, 8, 0, {}, {Frame(1, 1, {3})}};
    std::vector<uint8_t> bytes = BuildShapeFile({good});
    // Table 4 claims to start far beyond the end, table 6 before the start.
    bytes[4 * 4 + 2] = 0x10;
    bytes[512 + 4 * 2] = 1;
    for (int b = 0; b < 4; ++b) bytes[6 * 4 + b] = 0xFF;
    bytes[512 + 6 * 2] = 1;
    TShapeManagerPtr shapes = LoadShapes(bytes);

    EXPECT_TRUE(log.HasBlock("ERROR: shape 4 starts outside the file"));
    EXPECT_TRUE(log.HasBlock("ERROR: shape 6 starts outside the file"));
    EXPECT_EQ(shapes->shapes[4], nullptr);
    EXPECT_EQ(shapes->shapes[6], nullptr);
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0300)), (std::vector<uint8_t>{3}));
}

TEST(ShapeManager, ATableCutInsideItsHeaderOrColourMapIsLeftNull) {
    TLogCapture log;
    TTestTable mapped{3, 4, 0, {}, {Frame(1, 1)}};
    std::vector<uint8_t> bytes = BuildShapeFile({mapped});
    bytes.resize(768 + 10 + 20);   // header whole, colour map cut
    TShapeManagerPtr shapes = LoadShapes(bytes);
    EXPECT_TRUE(log.HasBlock("ERROR: shape 3 runs past the end of the file"));
    EXPECT_EQ(shapes->shapes[3], nullptr);
}

TEST(ShapeManager, AColourDepthAbove8IsRefused) {
    TLogCapture log;
    TTestTable deep{3, 8, 0, {}, {Frame(1, 1)}};
    std::vector<uint8_t> bytes = BuildShapeFile({deep});
    bytes[768 + 9] = 200;
    TShapeManagerPtr shapes = LoadShapes(bytes);
    EXPECT_TRUE(log.HasBlock("ERROR: shape 3 has an unsupported colour depth of 200 bits"));
    EXPECT_EQ(shapes->shapes[3], nullptr);
}

// Tables may share bytes, but a small file whose directory names the same
// large table over and over must not make the loader hold it a hundred times.
TEST(ShapeManager, TablesSharingBytesLoadOnlyAsManyPixelsAsTheFileHolds) {
    TLogCapture log;
    TTestTable big{1, 8, 0, {}, {Frame(255, 255, std::vector<uint8_t>(255 * 255, 9))}};
    TTestTable small{2, 8, 0, {}, {Frame(2, 1, {4, 5})}};
    std::vector<uint8_t> bytes = BuildShapeFile({big, small});
    auto alias = [&](int table, int of) {
        for (int b = 0; b < 4; ++b) bytes[table * 4 + b] = bytes[of * 4 + b];
        bytes[512 + table * 2] = bytes[512 + of * 2];
        bytes[512 + table * 2 + 1] = bytes[512 + of * 2 + 1];
    };
    for (int table = 3; table < 128; ++table) alias(table, 1);
    alias(0, 2);
    TShapeManagerPtr shapes = LoadShapes(bytes);

    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0100)), std::vector<uint8_t>(255 * 255, 9));
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0000)), (std::vector<uint8_t>{4, 5}));   // a small alias still fits
    EXPECT_EQ(Pixels(shapes->GetBitmap(0x0200)), (std::vector<uint8_t>{4, 5}));
    EXPECT_TRUE(log.HasBlock("ERROR: shape 3 frame 0 would load more pixels than the file holds"));
    for (int table = 3; table < 128; ++table) {
        ASSERT_NE(shapes->shapes[table], nullptr);
        EXPECT_EQ(shapes->shapes[table]->bitmaps[0], nullptr) << "table " << table;
    }
    EXPECT_TRUE(log.HasLine(" bitmaps for 3 sprite(s) loaded."));
}

TEST(ShapeManager, AFileShorterThanItsDirectoryLoadsNothing) {
    TLogCapture log;
    std::vector<uint8_t> bytes = BuildShapeFile({TTestTable{0, 8, 0, {}, {Frame(1, 1)}}});
    bytes.resize(600);
    TShapeManagerPtr shapes = LoadShapes(bytes);
    EXPECT_TRUE(log.HasBlock("ERROR: the shape file ends inside its table directory"));
    EXPECT_TRUE(log.HasLine(" bitmaps for 0 sprite(s) loaded."));
    for (const TShapePtr& table : shapes->shapes) EXPECT_EQ(table, nullptr);
}

TEST(InventoryIcons, ElevenItemsThenZero) {
    EXPECT_EQ(InventoryIconFrame(0), 38);
    EXPECT_EQ(InventoryIconFrame(10), 37);
    int count = 0;
    while (InventoryIconFrame(count) != 0) ++count;
    EXPECT_EQ(count, 11);
}

}  // namespace
