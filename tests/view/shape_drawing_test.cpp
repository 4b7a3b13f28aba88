#include <gtest/gtest.h>

#include "gamedata/shape_manager.h"
#include "screen/graphics.h"
#include "support/log_capture.h"
#include "support/shape_file_builder.h"
#include "support/test_host.h"

namespace {

constexpr uint32_t White = 0xFFFFFFFFu;
constexpr uint32_t LightRed = 0xFFF75151u;   // palette index 12

class ShapeDrawing : public ::testing::Test {
protected:
    TLogCapture log;
    TTestHost host{64, 32};
    TShapeManager shapes;

    void SetUp() override {
        // Every table holds one 2 x 1 frame: colour 0, then light red.
        TTestFrame frame{2, 1, {0, 12}};
        std::vector<TTestTable> tables;
        for (int index : {0, 3, 100}) tables.push_back(TTestTable{index, 8, 0, {}, {frame}});
        shapes.Init(std::make_shared<TMemoryStream>(BuildShapeFile(tables)));
        SetColor(255, 255, 255);
        DrawRect(0, 0, 64, 32);
    }

    int CountLit() {
        TPixmapPtr frame = CaptureFrame();
        int lit = 0;
        for (int y = 0; y < frame->height; ++y)
            for (int x = 0; x < frame->width; ++x) lit += ReadPixel(*frame, x, y) == LightRed;
        return lit;
    }
};

TEST_F(ShapeDrawing, DrawShDrawsTheFrameWithColour0SeeThrough) {
    shapes.DrawSh(0xC300, 10, 5);
    TPixmapPtr frame = CaptureFrame();
    EXPECT_EQ(ReadPixel(*frame, 10, 5), White);
    EXPECT_EQ(ReadPixel(*frame, 11, 5), LightRed);
    EXPECT_EQ(CountLit(), 1);
}

TEST_F(ShapeDrawing, DrawShapeReachesHighTablesButNeverTable0OrMissingFrames) {
    shapes.DrawShape(0, 0, 0, 0);
    shapes.DrawSh(0x0000, 4, 0);
    shapes.DrawShape(3, 0, 0, 1);
    shapes.DrawShape(3, 0, 0, -1);
    shapes.DrawShape(4, 0, 0, 0);
    shapes.DrawShape(128, 0, 0, 0);
    EXPECT_EQ(CountLit(), 0);
    shapes.DrawShape(100, 20, 20, 0);
    EXPECT_EQ(ReadPixel(*CaptureFrame(), 21, 20), LightRed);
}

}  // namespace
