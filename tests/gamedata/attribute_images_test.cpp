#include <gtest/gtest.h>

#include "gamedata/attribute_sheet.h"
#include "gamedata/game_palette.h"
#include "gamedata/tile_flags.h"
#include "gamedata/tile_info.h"
#include "image/png_load.h"
#include "support/log_capture.h"
#include "support/shape_file_builder.h"

namespace {

enum : uint8_t { WHITE = 15, BLUE = 9, BROWN = 24, RED = 27, GREEN = 51, YELLOW = 55, CLEAR = 255 };

// Flags under which no icon at all is drawn.
constexpr uint16_t Plain = TILE_PLAYERTHRU | TILE_NOTSTAIR | TILE_NOTVINE | TILE_TINYTHRU;

class AttributeImages : public ::testing::Test {
protected:
    TLogCapture log;
    TBitmapPtr sheet;
    TColorTablePtr palette = MakeGamePalette();

    void SetUp() override {
        RegisterAttributeSheet();
        sheet = LoadPng(AttributeSheetName);
        ASSERT_NE(sheet, nullptr);
    }

    TImagePtr Generate(uint16_t flags, const TShapeManagerPtr& shapes = nullptr) {
        TTile tile;
        tile.flags = flags;
        tile.GenerateAttributeImage(sheet, shapes);
        return tile.attributeImg;
    }

    uint32_t Colour(uint8_t index) const { return (*palette)[index]; }

    // The sheet's index at (x, y) of cell.
    uint8_t SheetPixel(int cell, int x, int y) const { return sheet->Pixel(16 * cell + x, y); }
};

TEST_F(AttributeImages, TheBuiltInSheetIsDrawnOnTheGamePalette) {
    EXPECT_EQ(sheet->fWidth, 96);
    EXPECT_EQ(sheet->fHeight, 16);
    // "PLTE" gives the colours, "tRNS" makes only index 255 see-through.
    EXPECT_EQ(*sheet->fColorTable, *palette);

    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool edge = x == 0 || y == 0 || x == 15 || y == 15;
            bool inset = !edge && (x == 1 || y == 1 || x == 14 || y == 14);
            EXPECT_EQ(SheetPixel(0, x, y), edge ? YELLOW : CLEAR) << x << "," << y;
            EXPECT_EQ(SheetPixel(1, x, y), edge ? BROWN : CLEAR) << x << "," << y;
            EXPECT_EQ(SheetPixel(2, x, y), inset ? BLUE : CLEAR) << x << "," << y;
            bool stripe = x == 7 || x == 8;
            EXPECT_EQ(SheetPixel(3, x, y), stripe ? (y % 2 == 0 ? YELLOW : GREEN) : CLEAR) << x << "," << y;
        }
    }
    // Cells 4 and 5 hold white marks outlined in red: one near the centre of
    // cell 4, one in each half of cell 5 at its right edge.
    auto marks = [&](int cell, int left, int top, int right, int bottom) {
        int white = 0, red = 0, other = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                uint8_t p = SheetPixel(cell, x, y);
                bool inside = x >= left && x <= right && y >= top && y <= bottom;
                if (p == WHITE && inside) ++white;
                else if (p == RED && inside) ++red;
                else if (p != CLEAR && inside) ++other;
            }
        return white > 0 && red > 0 && other == 0;
    };
    EXPECT_TRUE(marks(4, 4, 4, 11, 11));
    EXPECT_TRUE(marks(5, 8, 0, 15, 7));
    EXPECT_TRUE(marks(5, 8, 8, 15, 15));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (x < 4 || x > 11 || y < 4 || y > 11) {
                EXPECT_EQ(SheetPixel(4, x, y), CLEAR) << x << "," << y;
            }
            if (x < 8) {
                EXPECT_EQ(SheetPixel(5, x, y), CLEAR) << x << "," << y;
            }
        }
    }
}

TEST_F(AttributeImages, AllClearShowsSolidStairTinyAndVine) {
    TImagePtr image = Generate(0);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width, 16);
    ASSERT_EQ(image->height, 16);
    EXPECT_EQ(image->Pixel(0, 5), Colour(YELLOW));    // solid over Tiny's frame
    EXPECT_EQ(image->Pixel(15, 15), Colour(YELLOW));
    EXPECT_EQ(image->Pixel(7, 5), Colour(GREEN));     // vine
    EXPECT_EQ(image->Pixel(8, 4), Colour(YELLOW));
    EXPECT_EQ(image->Pixel(3, 3) >> 24, 0u);          // nothing below
}

TEST_F(AttributeImages, AFreshTileShowsOnlyTheSolidFrames) {
    TImagePtr image = Generate(0x4006);
    EXPECT_EQ(image->Pixel(0, 5), Colour(YELLOW));
    EXPECT_EQ(image->Pixel(7, 0), Colour(YELLOW));
    EXPECT_EQ(image->Pixel(7, 5) >> 24, 0u);
}

TEST_F(AttributeImages, EachIconComesFromItsFlag) {
    TImagePtr stair = Generate(Plain & ~TILE_NOTSTAIR);
    EXPECT_EQ(stair->Pixel(5, 0), Colour(YELLOW));
    EXPECT_EQ(stair->Pixel(0, 5) >> 24, 0u);
    EXPECT_EQ(stair->Pixel(0, 15) >> 24, 0u);

    TImagePtr tiny = Generate(Plain & ~TILE_TINYTHRU);
    EXPECT_EQ(tiny->Pixel(0, 5), Colour(BROWN));
    EXPECT_EQ(tiny->Pixel(5, 0), Colour(BROWN));

    TImagePtr water = Generate(Plain | TILE_WATER);
    EXPECT_EQ(water->Pixel(1, 5), Colour(BLUE));
    EXPECT_EQ(water->Pixel(0, 5) >> 24, 0u);

    // Solid is drawn over water, stair over solid.
    TImagePtr both = Generate(TILE_NOTVINE | TILE_WATER);
    EXPECT_EQ(both->Pixel(0, 5), Colour(YELLOW));
    EXPECT_EQ(both->Pixel(1, 5), Colour(BLUE));

    TImagePtr touch = Generate(Plain | TILE_TOUCH);
    EXPECT_EQ(touch->Pixel(7, 7), Colour(WHITE));
    EXPECT_EQ(touch->Pixel(5, 5), Colour(RED));

    TImagePtr draw = Generate(Plain | TILE_DRAW);
    EXPECT_EQ(draw->Pixel(13, 11), Colour(WHITE));
    EXPECT_EQ(draw->Pixel(13, 3) >> 24, 0u);

    TImagePtr update = Generate(Plain | TILE_UPDATE);
    EXPECT_EQ(update->Pixel(13, 3), Colour(WHITE));
    EXPECT_EQ(update->Pixel(13, 11) >> 24, 0u);

    TImagePtr plain = Generate(Plain | TILE_NOTWATER);
    for (uint32_t pixel : plain->argb) EXPECT_EQ(pixel >> 24, 0u);
}

TEST_F(AttributeImages, LaterIconsLieOverEarlierOnes) {
    // Where the icons overlap the order shows: vine over solid, touch over
    // vine, the update and draw marks over solid.
    TImagePtr image = Generate(TILE_TOUCH | TILE_UPDATE | TILE_DRAW);
    EXPECT_EQ(image->Pixel(7, 15), Colour(GREEN));
    EXPECT_EQ(image->Pixel(8, 5), Colour(RED));
    EXPECT_EQ(image->Pixel(7, 7), Colour(WHITE));
    EXPECT_EQ(image->Pixel(15, 3), Colour(RED));
    EXPECT_EQ(image->Pixel(15, 11), Colour(RED));
    EXPECT_EQ(image->Pixel(15, 7), Colour(YELLOW));   // between the two marks
}

TEST_F(AttributeImages, UnshownFlagsAreLoggedInOrder) {
    Generate(Plain | TILE_UNNAMED | TILE_FIREBALL | TILE_KILLABLE | TILE_ALWAYS | TILE_TRIGGER | TILE_FRONT |
             TILE_INSIDE);
    std::vector<std::string> names;
    const std::string prefix = "GenerateAttributeImage() :: Unhandled flag bit: ";
    for (const std::string& line : log.Lines())
        if (line.rfind(prefix, 0) == 0) names.push_back(line.substr(prefix.size()));
    EXPECT_EQ(names, (std::vector<std::string>{"inside", "front", "trigger", "always", "killable", "fireball",
                                               "0x8000"}));
    EXPECT_EQ(log.CountBlocks(), 7);
}

TEST_F(AttributeImages, TheTilePictureLiesBelowTheIcons) {
    TTestFrame picture{16, 16, std::vector<uint8_t>(256, 0)};
    picture.pixels[5 * 16 + 5] = 40;
    picture.pixels[5 * 16 + 0] = 40;
    TTestTable seeThrough{7, 8, 0, {}, {picture}};
    TTestTable opaque{8, 8, SHAPE_OPAQUE_ZERO, {}, {picture}};
    auto shapes = std::make_shared<TShapeManager>();
    shapes->Init(std::make_shared<TMemoryStream>(BuildShapeFile({seeThrough, opaque})));

    TImagePtr image = Generate(TILE_NOTSTAIR | TILE_TINYTHRU | TILE_NOTVINE, shapes);
    EXPECT_EQ(image->Pixel(5, 5), Colour(40));
    EXPECT_EQ(image->Pixel(0, 5), Colour(YELLOW));
    EXPECT_EQ(image->Pixel(3, 3) >> 24, 0u);   // the picture's colour 0

    TTile tile;
    tile.sh = 0x0800;
    tile.flags = Plain;
    tile.GenerateAttributeImage(sheet, shapes);
    EXPECT_EQ(tile.attributeImg->Pixel(3, 3), Colour(0));
}

TEST_F(AttributeImages, NoSheetNoImage) {
    TTile tile;
    tile.GenerateAttributeImage(nullptr, nullptr);
    EXPECT_EQ(tile.attributeImg, nullptr);
}

}  // namespace
