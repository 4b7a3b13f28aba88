#include <gtest/gtest.h>

#include "image/bitmap.h"
#include "image/bitmap_resize.h"
#include "image/masked_bitmap.h"

namespace {

// A bitmap whose pixel (x, y) holds first + y * width + x, for telling pixels apart.
TBitmapPtr Numbered(int w, int h, int first = 1) {
    auto b = CreateBitmap(w, h, nullptr, 0);
    for (size_t i = 0; i < b->fPixels.size(); ++i) b->fPixels[i] = uint8_t(first + i);
    return b;
}

TBitmapPtr Filled(int w, int h, uint8_t fill) { return CreateBitmap(w, h, nullptr, fill); }

}  // namespace

TEST(BitmapPaste, LimitDecidesWhichIndicesAreCopied) {
    auto src = Filled(2, 1, 0);
    src->fPixels = {7, 255};
    for (auto [limit, expected] : {std::pair<int, std::vector<uint8_t>>{256, {7, 255}},
                                   {255, {7, 9}},
                                   {7, {9, 9}},
                                   {0, {9, 9}}}) {
        auto dst = Filled(2, 1, 9);
        dst->Paste(src, 0, 0, 2, 1, 0, 0, uint16_t(limit));
        EXPECT_EQ(dst->fPixels, expected) << "limit " << limit;
    }
}

TEST(BitmapPaste, NegativeSourceOffsetClipsPixelByPixel) {
    // Whole rows are copied at once when nothing is transparent; clipping must not differ.
    for (uint16_t limit : {uint16_t(256), uint16_t(255)}) {
        auto src = Numbered(4, 1);   // 1 2 3 4
        auto dst = Filled(8, 1, 0);
        dst->Paste(src, -3, 0, 6, 1, 1, 0, limit);
        // Columns -3..-1 are skipped, but the target still advances with them.
        EXPECT_EQ(dst->fPixels, (std::vector<uint8_t>{0, 0, 0, 0, 1, 2, 3, 0}));
    }
}

TEST(BitmapPaste, NegativeTargetOffsetClipsPixelByPixel) {
    for (uint16_t limit : {uint16_t(256), uint16_t(255)}) {
        auto src = Numbered(3, 3);
        auto dst = Filled(3, 3, 0);
        dst->Paste(src, 0, 0, 3, 3, -1, -2, limit);
        EXPECT_EQ(dst->fPixels, (std::vector<uint8_t>{8, 9, 0, 0, 0, 0, 0, 0, 0}));
    }
}

TEST(BitmapPaste, StopsAtTheEdgesOfEitherBitmap) {
    for (uint16_t limit : {uint16_t(256), uint16_t(255)}) {
        auto src = Numbered(3, 2);
        auto dst = Filled(4, 4, 0);
        dst->Paste(src, 1, 0, 10, 10, 1, 1, limit);   // runs past the source's right and bottom
        EXPECT_EQ(dst->fPixels, (std::vector<uint8_t>{0, 0, 0, 0, 0, 2, 3, 0, 0, 5, 6, 0, 0, 0, 0, 0}));

        auto small = Filled(2, 2, 0);
        small->Paste(Numbered(4, 4), 0, 0, 4, 4, 1, 1, limit);   // runs past the target's edges
        EXPECT_EQ(small->fPixels, (std::vector<uint8_t>{0, 0, 0, 1}));

        auto untouched = Filled(3, 3, 0);
        untouched->Paste(src, 0, 0, 3, 2, 3, 0, limit);   // dx at the target's width
        untouched->Paste(src, 0, 0, 3, 2, 0, 3, limit);   // dy at the target's height
        untouched->Paste(src, 3, 0, 3, 2, 0, 0, limit);   // sx at the source's width
        untouched->Paste(nullptr, 0, 0, 3, 3, 0, 0, limit);
        EXPECT_EQ(untouched->fPixels, std::vector<uint8_t>(9, 0));
    }
}

TEST(BitmapPaste, TileWideRowsLandWhereNarrowerOnesWould) {
    auto tile = Numbered(16, 2);
    auto dst = Filled(20, 3, 0);
    dst->Paste(tile, 0, 0, 16, 2, 3, 1, 256);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = y >= 1 && x >= 3 && x < 19;
            EXPECT_EQ(dst->Pixel(x, y), inside ? tile->Pixel(x - 3, y - 1) : 0) << x << "," << y;
        }
}

TEST(BitmapPaste, ExtremeOffsetsDoNotWrapAround) {
    auto src = Numbered(2, 2);
    auto dst = Filled(2, 2, 0);
    dst->Paste(src, INT32_MAX, 0, 2, 2, 0, 0, 256);
    dst->Paste(src, INT32_MIN, INT32_MIN, INT32_MAX, 4, 0, 0, 256);
    dst->Paste(src, 0, 0, 2, 2, INT32_MAX - 1, INT32_MAX - 1, 256);
    EXPECT_EQ(dst->fPixels, std::vector<uint8_t>(4, 0));
}

TEST(BitmapColourTable, CreateBitmapSharesANonEmptyPalette) {
    auto palette = std::make_shared<TColorTable>(256, 0xFF000000u);
    auto a = CreateBitmap(2, 2, palette, 0);
    auto b = CreateBitmap(1, 1, palette, 3);
    EXPECT_EQ(b->fPixels, std::vector<uint8_t>{3});
    (*palette)[0] = 0xFF123456u;
    EXPECT_EQ(a->Color(0), 0xFF123456u);
    EXPECT_EQ(a->ToPixmap(1)->pixels[0], 0x12);

    auto own = CreateBitmap(1, 1, std::make_shared<TColorTable>(), 0);
    EXPECT_EQ(*own->fColorTable, TColorTable(256, 0u));
    EXPECT_EQ(CreateBitmap(-1, 5, palette, 0), nullptr);
    EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, palette, 0), nullptr);
}

TEST(BitmapColourTable, CopiesAndReplacementsLeaveOtherHoldersAlone) {
    auto palette = std::make_shared<TColorTable>(256, 0xFF000000u);
    auto shared = CreateBitmap(2, 1, palette, 0);
    shared->fPixels = {0x21, 0x02};

    auto clone = shared->Clone();
    auto crop = shared->Crop(0, 0, 1, 1);
    auto masked = shared->MaskColor(0);
    for (const TBitmapPtr& copy : {clone, crop, TBitmapPtr(masked)}) {
        EXPECT_NE(copy->fColorTable, palette);
        EXPECT_EQ(*copy->fColorTable, *palette);
    }

    auto reduced = CreateBitmap(2, 1, palette, 0);
    reduced->fPixels = {0x21, 0x02};
    reduced->ReduceTo16Colors();
    EXPECT_NE(reduced->fColorTable, palette);
    EXPECT_EQ(reduced->fColorTable->size(), 16u);
    EXPECT_EQ(reduced->fPixels, (std::vector<uint8_t>{0x01, 0x02}));
    EXPECT_EQ(palette->size(), 256u);

    // Reducing to 6 bits works on the table itself, so every holder sees it.
    (*palette)[1] = 0x80A25103u;
    reduced->ReduceTo6BitColors();   // its own table: the shared one is untouched
    EXPECT_EQ((*palette)[1], 0x80A25103u);
    shared->ReduceTo6BitColors();
    EXPECT_EQ((*palette)[1], 0x80A25100u);
    (*palette)[2] = 0x12FF80FFu;
    CreateBitmap(1, 1, palette, 0)->ReduceTo6BitColors();
    EXPECT_EQ((*palette)[2], 0x12FF82FFu);
}

TEST(BitmapReplaceColor, ChangesEveryPixelOfThatIndexWhateverTheSize) {
    // Pixels go in blocks of 16 and then one by one: sizes on both sides of
    // one block, and one with a block and a remainder, with the index to
    // replace in both parts and at the very last pixel.
    for (auto [w, h] : {std::pair{15, 1}, {16, 1}, {17, 1}, {7, 5}}) {
        auto b = Numbered(w, h, 0);
        for (uint8_t& p : b->fPixels) p %= 3;   // 0 1 2 0 1 2 ...
        b->fPixels.back() = 1;
        b->ReplaceColor(1, 200);
        std::vector<uint8_t> expected(size_t(w) * size_t(h));
        for (size_t i = 0; i < expected.size(); ++i) expected[i] = uint8_t(i % 3 == 1 ? 200 : i % 3);
        expected.back() = 200;
        EXPECT_EQ(b->fPixels, expected) << w << " x " << h;
    }
    // Replacing an index by itself, or one no pixel has, changes nothing.
    auto b = Numbered(17, 1);
    const std::vector<uint8_t> before = b->fPixels;
    b->ReplaceColor(5, 5);
    b->ReplaceColor(99, 0);
    EXPECT_EQ(b->fPixels, before);
}

TEST(BitmapApplyPalette, RemapsToTheNearestAndSharesTheNewTable) {
    auto b = CreateBitmap(4, 1, std::make_shared<TColorTable>(TColorTable{
                                    0xFF000000u, 0xFFFF0000u, 0x00FF0000u, 0xFF0000F0u}),
                          0);
    b->fPixels = {0, 1, 2, 3};
    auto palette = std::make_shared<TColorTable>(TColorTable{
        0xFF0000FFu,   // 0 blue
        0xFF0000FFu,   // 1 the same blue: never chosen, the first wins
        0xFFEE0000u,   // 2 red, opaque
        0x00000000u,   // 3 transparent black: a difference in alpha outweighs any in colour
        0xFF000000u,   // 4 black
    });
    b->ApplyPalette(palette);
    EXPECT_EQ(b->fPixels, (std::vector<uint8_t>{4, 2, 3, 0}));
    EXPECT_EQ(b->fColorTable, palette);
}

TEST(BitmapApplyPalette, EqualDistancesKeepTheFirstEntry) {
    auto b = CreateBitmap(1, 1, std::make_shared<TColorTable>(TColorTable{0xFF808080u}), 0);
    auto palette = std::make_shared<TColorTable>(TColorTable{0xFF000000u, 0xFF7F7F7Fu, 0xFF818181u});
    b->ApplyPalette(palette);
    EXPECT_EQ(b->fPixels[0], 1);
}

TEST(BitmapRearrangeTiles, FlowsTilesIntoTheGivenColumns) {
    // Four 2 x 2 tiles in a 4 x 4 bitmap, tile n filled with n + 1.
    auto b = Filled(4, 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) b->fPixels[y * 4 + x] = uint8_t(1 + (y / 2) * 2 + x / 2);
    b->RearrangeTiles(2, 2, 4);
    EXPECT_EQ(b->fWidth, 8);
    EXPECT_EQ(b->fHeight, 2);
    EXPECT_EQ(b->fPixels, (std::vector<uint8_t>{1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2, 2, 3, 3, 4, 4}));

    b->RearrangeTiles(2, 2, 1);
    EXPECT_EQ(b->fWidth, 2);
    EXPECT_EQ(b->fHeight, 8);
    EXPECT_EQ(b->fPixels, (std::vector<uint8_t>{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4}));
}

TEST(BitmapRearrangeTiles, SizesThatDoNotDivideChangeNothing) {
    auto b = Numbered(32, 32);
    const auto before = b->fPixels;
    for (auto [w, h, columns] : {std::tuple{16, 16, 3}, {15, 16, 4}, {16, 10, 4}, {0, 16, 1}, {16, 16, 0}}) {
        b->RearrangeTiles(w, h, columns);
        EXPECT_EQ(b->fWidth, 32);
        EXPECT_EQ(b->fHeight, 32);
        EXPECT_EQ(b->fPixels, before);
    }
}

TEST(BitmapCrop, CopiesTheRectangleAndZeroFillsBeyondTheSource) {
    auto b = Numbered(4, 3);
    auto c = b->Crop(1, 1, 2, 2);
    EXPECT_EQ(c->fPixels, (std::vector<uint8_t>{6, 7, 10, 11}));
    auto wide = b->Crop(0, 0, 6, 4);   // larger than the source: the rest stays 0
    EXPECT_EQ(wide->fWidth, 6);
    EXPECT_EQ(wide->fPixels[5], 0);
    EXPECT_EQ(wide->fPixels[6 + 3], 8);
    EXPECT_EQ(wide->fPixels[3 * 6], 0);
}

TEST(BitmapResize, TakesTheMostCommonIndexTheLowestOnATieAndRepeatsWhenEnlarging) {
    auto src = Filled(6, 2, 0);
    src->fPixels = {5, 5, 3, 1, 8, 8,
                    2, 5, 1, 3, 8, 8};
    const TBitmapPtr shrunk = ResizeBitmap(*src, 3, 1);
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->fPixels, (std::vector<uint8_t>{5, 1, 8}));
    EXPECT_EQ(shrunk->fColorTable, src->fColorTable) << "the table is shared";
    const TBitmapPtr grown = ResizeBitmap(*shrunk, 6, 2);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->fPixels, (std::vector<uint8_t>{5, 5, 1, 1, 8, 8, 5, 5, 1, 1, 8, 8}));
    EXPECT_EQ(ResizeBitmap(*src, 0, 1), nullptr);
}

TEST(BitmapToPixmap, FormatFollowsAlphaAndMissingEntriesReadAsZero) {
    auto b = CreateBitmap(2, 1, std::make_shared<TColorTable>(TColorTable{0x80112233u}), 0);
    b->fPixels = {0, 7};
    auto rgba = b->ToPixmap(1);
    EXPECT_EQ(rgba->format, PF_RGBA8888);
    EXPECT_EQ(ReadPixel(*rgba, 0, 0), 0x80112233u);
    EXPECT_EQ(ReadPixel(*rgba, 1, 0), 0u);
    auto rgb = b->ToPixmap(0);
    EXPECT_EQ(rgb->format, PF_RGB888);
    EXPECT_EQ(rgb->pitch, 8);
    EXPECT_EQ(ReadPixel(*rgb, 0, 0), 0xFF112233u);
}

TEST(BitmapToImage, AlphaZeroMakesBlackTransparentThroughTheDefaultFlags) {
    auto b = CreateBitmap(2, 1, std::make_shared<TColorTable>(TColorTable{0xFF000000u, 0x00FFFFFFu}), 0);
    b->fPixels = {0, 1};
    SetDefaultImageFlags(IMAGE_MASKED);
    auto opaque = b->ToImage(0);
    EXPECT_EQ(opaque->Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(opaque->Pixel(1, 0), 0xFFFFFFFFu);
    auto withAlpha = b->ToImage(1);
    EXPECT_EQ(withAlpha->Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(withAlpha->Pixel(1, 0) >> 24, 0u);
    EXPECT_EQ(CreateBitmap(0, 0, nullptr, 0)->ToImage(1), nullptr);
}

TEST(MaskedBitmap, MaskColorMasksTheIndexAndToPixmapObeysOnlyTheMask) {
    auto b = CreateBitmap(3, 1, std::make_shared<TColorTable>(256, 0x00ABCDEFu), 0);
    (*b->fColorTable)[255] = 0xFF010203u;
    b->fPixels = {0, 255, 0};
    auto masked = b->MaskColor(255);
    EXPECT_EQ(masked->fMaskPixels, (std::vector<uint8_t>{1, 0, 1}));
    EXPECT_EQ(masked->fPixels, b->fPixels);
    auto pixmap = masked->ToPixmap(0);
    EXPECT_EQ(pixmap->format, PF_RGBA8888);
    EXPECT_EQ(ReadPixel(*pixmap, 0, 0), 0xFFABCDEFu);
    EXPECT_EQ(ReadPixel(*pixmap, 1, 0), 0x00010203u);
}

TEST(MaskedBitmap, CloneKeepsTheKindAndItsOwnMaskCropDoesNot) {
    auto masked = Filled(2, 2, 4)->MaskColor(4);
    masked->fMaskPixels[3] = 1;
    auto clone = masked->Clone();
    auto maskedClone = std::dynamic_pointer_cast<TMaskedBitmap>(clone);
    ASSERT_NE(maskedClone, nullptr);
    EXPECT_EQ(maskedClone->fMaskPixels, masked->fMaskPixels);
    maskedClone->fMaskPixels[0] = 1;
    EXPECT_EQ(masked->fMaskPixels[0], 0);
    EXPECT_EQ(std::dynamic_pointer_cast<TMaskedBitmap>(masked->Crop(0, 0, 1, 1)), nullptr);

    TMaskedBitmap fresh;
    fresh.Init(2, 3);
    EXPECT_EQ(fresh.fMaskPixels, std::vector<uint8_t>(6, 0));
}

TEST(MaskedBitmap, FromPixmapMatchesAllFourChannelsAndMasksByAlpha) {
    const TColorTable palette{0xFF000000u, 0xFFFFFFFFu, 0x00FFFFFFu};
    auto pixmap = TPixmap::Create(3, 1, PF_RGBA8888, 4);
    WritePixel(*pixmap, 0, 0, 0xFFFEFEFEu);   // near opaque white
    WritePixel(*pixmap, 1, 0, 0x10FFFFFFu);   // near transparent white
    WritePixel(*pixmap, 2, 0, 0x80000000u);   // alpha 128 counts as opaque
    auto b = PixmapToMaskedBitmap(*pixmap, palette);
    EXPECT_EQ(b->fPixels, (std::vector<uint8_t>{1, 2, 0}));
    EXPECT_EQ(b->fMaskPixels, (std::vector<uint8_t>{1, 0, 1}));
    EXPECT_EQ(*b->fColorTable, palette);
}
