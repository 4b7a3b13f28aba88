// The interface scale's choice: from the display's density and room, from
// the window's room, along F9's cycle, and from "tarn.ini".

#include "screen/interface_scale.h"

#include <gtest/gtest.h>

#include <cmath>

#include "screen/display_density.h"

namespace {

TEST(InterfaceScale, DensityRoomAndSettingChooseTheFactor) {
    // Whole multiples of 96 dpi, rounded down; unknown (no density or no
    // area) is 1; lowered until 1280 x 720 at the factor fits the usable area.
    struct TDisplayCase {
        double dpi;
        int width, height, scale;
    };
    for (const TDisplayCase& c : std::initializer_list<TDisplayCase>{
             {95, 7680, 4320, 1}, {96, 7680, 4320, 1}, {191, 7680, 4320, 1}, {192, 7680, 4320, 2},
             {383, 7680, 4320, 3}, {384, 7680, 4320, 4}, {960, 7680, 4320, 4}, {0, 7680, 4320, 1},
             {-192, 7680, 4320, 1}, {std::nan(""), 7680, 4320, 1}, {192, 0, 0, 1}, {192, 2560, 1440, 2},
             {192, 2559, 1440, 1}, {192, 2560, 1439, 1}, {384, 3840, 2112, 2}, {384, 3840, 2160, 3}})
        EXPECT_EQ(ScaleForDisplay(c.dpi, c.width, c.height), c.scale) << c.dpi << " dpi, " << c.width << "x" << c.height;

    // A window too small for the factor's least canvas (640 x 480) takes the largest that fits.
    EXPECT_EQ(LargestFittingScale(1280, 960, 2), 2);
    EXPECT_EQ(LargestFittingScale(1279, 960, 2), 1);
    EXPECT_EQ(LargestFittingScale(1280, 959, 2), 1);
    EXPECT_EQ(LargestFittingScale(2001, 1001, 3), 2);
    EXPECT_EQ(LargestFittingScale(3840, 2160, 9), 4);

    // F9: 1, 2, 3, 4, automatic; factors that do not fit are skipped, and
    // automatic steps on from the factor it gives.
    EXPECT_EQ(NextScaleSetting(1, 2, 2560, 1920), 2);
    EXPECT_EQ(NextScaleSetting(kAutomaticScale, 2, 2560, 1920), 3);
    EXPECT_EQ(NextScaleSetting(4, 2, 2560, 1920), kAutomaticScale);
    EXPECT_EQ(NextScaleSetting(3, 2, 2560, 1440), kAutomaticScale);   // 4 leaves 640 x 360
    EXPECT_EQ(NextScaleSetting(kAutomaticScale, 4, 2560, 1920), 1);
    EXPECT_EQ(NextScaleSetting(kAutomaticScale, 1, 1279, 960), 1);
    EXPECT_EQ(NextScaleSetting(1, 1, 1279, 960), kAutomaticScale);

    // "tarn.ini": AUTO in any case, or 1 to 4; nothing else is taken.
    EXPECT_EQ(ScaleSettingFromText(" auto "), kAutomaticScale);
    EXPECT_EQ(ScaleSettingFromText("1"), 1);
    EXPECT_EQ(ScaleSettingFromText("4"), 4);
    for (const char* refused : {"0", "5", "-1", "2x", "", "12", "automatic"})
        EXPECT_EQ(ScaleSettingFromText(refused), std::nullopt) << refused;
    EXPECT_EQ(ScaleSettingText(kAutomaticScale), "AUTO");
    EXPECT_EQ(ScaleSettingText(3), "3");
}

TEST(InterfaceScale, XftDpiIsReadFromTheResourceText) {
    EXPECT_EQ(XftDpiFromResources("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: 144.5"), 144.5);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t96\nXft.dpi:\t288\n"), 288);   // the last one counts
    for (const char* none : {"Xft.dpix:\t192\n*dpi:\t192\n", "Xft.dpi:\tlarge\n", "Xft.dpi:\t-96\n", "Xft.dpi", ""})
        EXPECT_EQ(XftDpiFromResources(none), 0) << none;
}

}  // namespace
