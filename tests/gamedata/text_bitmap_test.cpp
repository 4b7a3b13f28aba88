#include <gtest/gtest.h>

#include "gamedata/shape_manager.h"
#include "support/log_capture.h"
#include "support/shape_file_builder.h"

namespace {

// A font table whose frame n is a cell-sized block of the colour numbers in
// pattern, shifted by n so that neighbouring characters differ.
TTestTable FontTable(int index, int frames, int width, int height, const std::vector<uint8_t>& pattern) {
    TTestTable table{index, 8, 0, {}, {}};
    for (int n = 0; n < frames; ++n) {
        TTestFrame frame{width, height, {}};
        for (int p = 0; p < width * height; ++p) frame.pixels.push_back(pattern[(p + n) % pattern.size()]);
        table.frames.push_back(frame);
    }
    return table;
}

class TextBitmap : public ::testing::Test {
protected:
    TLogCapture log;
    TShapeManager shapes;

    void SetUp() override {
        std::vector<uint8_t> bytes = BuildShapeFile({
            FontTable(1, 91, 10, 10, {0, 1, 2, 3, 7}),   // larger than its 8 x 8 cell
            FontTable(2, 91, 6, 6, {3, 2, 1, 0}),
            FontTable(4, 10, 4, 5, {0, 1, 2, 3, 7}),
            FontTable(3, 91, 8, 8, {1}),
        });
        shapes.Init(std::make_shared<TMemoryStream>(bytes));
    }

    // What a font pixel becomes in a label.
    static uint8_t Label(uint8_t pixel, uint8_t ink, uint8_t paper) {
        switch (pixel) {
        case 0: return 255;
        case 1: case 2: return ink;
        case 3: return paper;
        default: return pixel;
        }
    }

    void ExpectCell(const TBitmapPtr& label, int cell, int font, int frame, int width, int height,
                    uint8_t ink, uint8_t paper) {
        const TBitmapPtr& glyph = shapes.shapes[font]->bitmaps[frame];
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(label->Pixel(cell * width + x, y), Label(glyph->Pixel(x, y), ink, paper))
                    << "cell " << cell << " at " << x << "," << y;
    }
};

TEST_F(TextBitmap, Font4DrawsDigitsFromFrame0) {
    TBitmapPtr label = shapes.GetTextBitmap("12", 4, 2, 0xFFFF);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->fWidth, 8);
    EXPECT_EQ(label->fHeight, 5);
    EXPECT_EQ(label->fColorTable, shapes.Palette);
    ExpectCell(label, 0, 4, 1, 4, 5, 10, 255);
    ExpectCell(label, 1, 4, 2, 4, 5, 10, 255);
}

TEST_F(TextBitmap, Fonts1And2UseTheirCellSizes) {
    struct TCase {
        std::string text;
        int font;
        uint16_t colour, background;
        int cellWidth, cellHeight;
        uint8_t ink, paper;
    };
    // Font 1's frames are larger than its cells and get clipped.
    const TCase cases[] = {{"AZ", 1, 13, 3, 8, 8, 13, 3}, {"HI!", 2, 4, 0x1200, 6, 6, 12, 0x00}};
    for (const TCase& c : cases) {
        TBitmapPtr label = shapes.GetTextBitmap(c.text, c.font, c.colour, c.background);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->fWidth, c.cellWidth * int(c.text.size()));
        EXPECT_EQ(label->fHeight, c.cellHeight);
        for (size_t k = 0; k < c.text.size(); ++k)
            ExpectCell(label, int(k), c.font, c.text[k], c.cellWidth, c.cellHeight, c.ink, c.paper);
    }
}

TEST_F(TextBitmap, ColourIsAlwaysOneOfTheBrightEight) {
    // Negative colours count by their magnitude.
    const std::pair<uint16_t, uint8_t> cases[] = {{0, 8}, {7, 15}, {9, 9}, {0xFFFE, 10}, {0xFFF9, 15}, {0x8000, 8}};
    for (auto [colour, ink] : cases) {
        TBitmapPtr label = shapes.GetTextBitmap("1", 4, colour, 0xFFFF);
        ASSERT_NE(label, nullptr);
        ExpectCell(label, 0, 4, 1, 4, 5, ink, 255);
    }
}

TEST_F(TextBitmap, CharactersWithoutAFrameStayTransparent) {
    TBitmapPtr label = shapes.GetTextBitmap("1A", 4, 2, 3);   // 'A' is frame 17 of a 10-frame font
    ASSERT_NE(label, nullptr);
    for (int y = 0; y < 5; ++y)
        for (int x = 4; x < 8; ++x) EXPECT_EQ(label->Pixel(x, y), 255);
    TBitmapPtr below = shapes.GetTextBitmap(" ", 4, 2, 3);   // frame -16
    ASSERT_NE(below, nullptr);
    EXPECT_EQ(below->fPixels, std::vector<uint8_t>(20, 255));
}

TEST_F(TextBitmap, RefusesOtherFontsEmptyTextAndMissingTables) {
    EXPECT_EQ(shapes.GetTextBitmap("12", 3, 2, 0xFFFF), nullptr);
    EXPECT_EQ(shapes.GetTextBitmap("12", 0, 2, 0xFFFF), nullptr);
    EXPECT_EQ(shapes.GetTextBitmap("", 1, 2, 0xFFFF), nullptr);
    TShapeManager empty;
    EXPECT_EQ(empty.GetTextBitmap("12", 4, 2, 0xFFFF), nullptr);
}

}  // namespace
