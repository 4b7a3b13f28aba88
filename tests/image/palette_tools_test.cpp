#include <gtest/gtest.h>

#include "image/palette_tools.h"

TEST(NearestPaletteIndex, IgnoresAlphaAndKeepsTheFirstOfEqualEntries) {
    const TColorTable palette{0xFF000000u, 0xFF102030u, 0x00102030u, 0xFF112030u};
    EXPECT_EQ(NearestPaletteIndex(0x00102030u, palette), 1);
    EXPECT_EQ(NearestPaletteIndex(0xFF102031u, palette), 1);   // 1 and 3 tie at distance 1
    EXPECT_EQ(NearestPaletteIndex(0xFF112030u, palette), 3);
    EXPECT_EQ(NearestPaletteIndex(0xFFFFFFFFu, palette), 3);
    EXPECT_EQ(NearestPaletteIndex(0xFF123456u, TColorTable{}), 0);
}

TEST(NearestPaletteIndex, FarColoursStillFindTheirNearestEntry) {
    // The largest possible colour distance (765) is below the starting best of 1000.
    const TColorTable palette{0xFF808080u, 0xFFFFFFFFu};
    EXPECT_EQ(NearestPaletteIndex(0xFF000000u, TColorTable{0xFFFFFFFFu}), 0);
    EXPECT_EQ(NearestPaletteIndex(0xFFF0F0F0u, palette), 1);
}

TEST(NearestPaletteIndex, OnlyTheFirst256EntriesCanBeNamed) {
    TColorTable palette(300, 0xFF000000u);
    palette[299] = 0xFFFFFFFFu;
    EXPECT_EQ(NearestPaletteIndex(0xFFFFFFFFu, palette), 0);
}

TEST(NearestPaletteIndexWithAlpha, CountsAlphaAndGivesZeroWhenNothingComesCloserThan1000) {
    const TColorTable byAlpha{0xFF0000F0u, 0x000000FFu};
    EXPECT_EQ(NearestPaletteIndexWithAlpha(0x000000F0u, byAlpha), 1);
    EXPECT_EQ(NearestPaletteIndex(0x000000F0u, byAlpha), 0);
    // Entry 1 is nearer (1019 against 1020) but neither is below 1000.
    EXPECT_EQ(NearestPaletteIndexWithAlpha(0x00000000u, TColorTable{0xFFFFFFFFu, 0xFEFFFFFFu}), 0);
    EXPECT_EQ(NearestPaletteIndexWithAlpha(0x00000000u, TColorTable{0xFFFFFFFFu, 0xEAFFFFFFu}), 1);   // 999
}
