#include <gtest/gtest.h>

#include <climits>

#include "image/image.h"
#include "image/pixmap.h"

TEST(Pixmap, RowsAreAlignedToFourBytes) {
    auto rgb = TPixmap::Create(5, 2, PF_RGB888, 4);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->pitch, 16);
    EXPECT_EQ(rgb->pixels.size(), 32u);
    auto rgba = TPixmap::Create(3, 1, PF_RGBA8888, 4);
    EXPECT_EQ(rgba->pitch, 12);
}

TEST(Pixmap, ImpossibleSizesAndFormatsGiveNull) {
    EXPECT_FALSE(TPixmap::Create(-1, 4, PF_RGBA8888));
    EXPECT_FALSE(TPixmap::Create(4, 4, 5));
    EXPECT_FALSE(TPixmap::Create(INT_MAX, 1, PF_RGBA8888));
    EXPECT_FALSE(TPixmap::Create(100000, 100000, PF_RGB888));
}

TEST(Pixmap, RgbDropsAlphaAndReadsItAsOpaque) {
    auto rgb = TPixmap::Create(2, 2, PF_RGB888, 4);
    WritePixel(*rgb, 1, 1, 0x12345678);
    EXPECT_EQ(ReadPixel(*rgb, 1, 1), 0xFF345678u);
    auto rgba = TPixmap::Create(2, 2, PF_RGBA8888, 4);
    WritePixel(*rgba, 1, 1, 0x12345678);
    EXPECT_EQ(ReadPixel(*rgba, 1, 1), 0x12345678u);
    // Writes outside are ignored, reads outside give 0.
    WritePixel(*rgba, 2, 0, 0xFFFFFFFF);
    WritePixel(*rgba, -1, 0, 0xFFFFFFFF);
    EXPECT_EQ(ReadPixel(*rgba, 2, 0), 0u);
    EXPECT_EQ(ReadPixel(*rgba, 0, 0), 0u);
    EXPECT_EQ(ReadPixel(*rgba, 1, 0), 0u);
}

TEST(ImageFromPixmap, MaskedRgbMakesBlackTransparentAndTheRestOpaque) {
    auto rgb = TPixmap::Create(3, 1, PF_RGB888, 4);
    WritePixel(*rgb, 0, 0, 0xFF000000);
    WritePixel(*rgb, 1, 0, 0xFF000001);
    WritePixel(*rgb, 2, 0, 0x00FFFFFF);
    auto masked = ImageFromPixmap(*rgb, IMAGE_MASKED);
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(masked->Pixel(1, 0), 0xFF000001u);
    EXPECT_EQ(masked->Pixel(2, 0), 0xFFFFFFFFu);
    auto unmasked = ImageFromPixmap(*rgb, 0);
    EXPECT_EQ(unmasked->Pixel(0, 0), 0xFF000000u);
}

TEST(ImageFromPixmap, RgbaKeepsItsOwnAlpha) {
    auto rgba = TPixmap::Create(2, 1, PF_RGBA8888, 4);
    WritePixel(*rgba, 0, 0, 0xFF000000);
    WritePixel(*rgba, 1, 0, 0x40FFFFFF);
    auto image = ImageFromPixmap(*rgba, IMAGE_MASKED);
    EXPECT_EQ(image->Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(image->Pixel(1, 0), 0x40FFFFFFu);
}

TEST(ImageFromPixmap, MinusOneTakesTheDefaultFlags) {
    auto rgb = TPixmap::Create(1, 1, PF_RGB888, 4);
    SetDefaultImageFlags(IMAGE_MASKED);
    EXPECT_EQ(ImageFromPixmap(*rgb, -1)->flags, IMAGE_MASKED);
    EXPECT_EQ(ImageFromPixmap(*rgb, -1)->Pixel(0, 0), 0u);
    SetDefaultImageFlags(0);
    EXPECT_EQ(ImageFromPixmap(*rgb, -1)->Pixel(0, 0), 0xFF000000u);
    SetDefaultImageFlags(IMAGE_MASKED | IMAGE_FILTERED);
}

TEST(ImageFromPixmap, AnEmptyOrInconsistentPixmapGivesNoImage) {
    EXPECT_FALSE(ImageFromPixmap(*TPixmap::Create(0, 5, PF_RGBA8888, 4), -1));
    TPixmap claimsTooMuch;
    claimsTooMuch.width = claimsTooMuch.height = 1000000;
    claimsTooMuch.pitch = 4000000;
    claimsTooMuch.pixels.resize(16);
    EXPECT_FALSE(ImageFromPixmap(claimsTooMuch, -1));
    EXPECT_EQ(ReadPixel(claimsTooMuch, 5, 5), 0u);
    WritePixel(claimsTooMuch, 5, 5, 0xFFFFFFFF);
    TPixmap shortPitch = *TPixmap::Create(4, 1, PF_RGBA8888, 4);
    shortPitch.pitch = 8;
    EXPECT_FALSE(ImageFromPixmap(shortPitch, -1));
}
