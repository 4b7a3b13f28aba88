// The editor at interface scales 2 and 3: the window shows the same screen
// enlarged, and input in the window's pixels lands where it would at 1.

#include <gtest/gtest.h>

#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "level/level.h"
#include "screen/graphics.h"
#include "screen/interface_scale.h"
#include "support/files.h"

namespace {

class ScaledInterface : public TEditorSession, public testing::WithParamInterface<int> {
protected:
    const int s = GetParam();
    void Step(std::function<void()> action) { host.Then(std::move(action)); }
    // The window pixels of the first (end 0) or last (end 1) logical pixel
    // of map cell t's column or row at zoom 1 with the camera at (0, 0), and
    // of tileset entry t's middle.
    int CellX(int t, int end) const { return (320 + 16 * (t + end)) * s - end; }
    int CellY(int t, int end) const { return 16 * (t + end) * s - end; }
    int EntryX(int t) const { return (16 * (t % 20) + 8) * s; }
    int EntryY(int t) const { return (16 + 16 * (t / 20) + 8) * s; }
    uint16_t Cell(int tx, int ty) const { return viewer.level->Board(tx, ty); }
};

// Every logical pixel of the rectangle is an s x s block of one colour.
bool SharpIn(const TPixmap& frame, int s, int x, int y, int w, int h) {
    for (int ly = y; ly < y + h; ++ly)
        for (int lx = x; lx < x + w; ++lx)
            for (int k = 0; k < s * s; ++k)
                if (ReadPixel(frame, lx * s + k % s, ly * s + k / s) != ReadPixel(frame, lx * s, ly * s)) return false;
    return true;
}

TEST_P(ScaledInterface, InputLandsOnTheCanvasAndTheWindowFollowsSizeAndF9) {
    WriteFileText(work.File("tarn.ini"), "[graphics]\nscale=" + std::to_string(s) + "\n");
    LoadFromMenu("showcase.jn1");
    Step([&] {
        EXPECT_EQ(InterfaceScale(), s);
        EXPECT_EQ(std::vector<int>({WindowPixelWidth(), WindowPixelHeight(), ScreenWidth(), ScreenHeight()}),
                  std::vector<int>({1280 * s, 720 * s, 1280, 720}));
        // A brush picked with a right drag over tileset entries 45 to 67.
        host.MoveMouse(EntryX(45), EntryY(45));
        host.ButtonDown(2);
    });
    Step([&] { host.MoveMouse(EntryX(67), EntryY(67)); });
    Step([&] { host.ButtonUp(2); });
    // Clicks on the first and on the last window pixel of a cell paint it.
    Step([&] {
        EXPECT_EQ(viewer.selTiles, (std::vector<uint16_t>{45, 46, 47, 65, 66, 67}));
        host.Click(CellX(5, 0), CellY(5, 0));
    });
    Step([&] {
        EXPECT_EQ(Cell(5, 5), 45);
        EXPECT_EQ(Cell(4, 4), 0);
        viewer.Undo();
        host.Click(CellX(5, 1), CellY(5, 1));
    });
    host.WaitFrames(2);
    Step([&] {
        EXPECT_EQ(Cell(5, 5), 45);
        EXPECT_EQ(Cell(7, 6), 67);
        EXPECT_EQ(Cell(8, 5), 0);
        // The painted cells, every logical pixel an s x s block.
        const auto frame = host.Capture();
        ASSERT_EQ(frame->width, 1280 * s);
        EXPECT_TRUE(SharpIn(*frame, s, 320 + 80, 80, 48, 32));
        host.PressKey(VK_ESCAPE);
    });
    // A menu choice on the scaled main menu: Save Level.
    ClickMenuEntry(kSaveLevel);
    host.WaitUntil([&] { return viewer.levelchanged == 0; });
    ClickMenuEntry(kBackToEditor);
    // An odd window size: 2001 x 1001 has room for a canvas of 1000 x 500 at
    // 2, not of 640 x 480 at 3, so 3 falls back to 2; the pixels left over
    // stay black.
    Step([&] { host.ResizeWindow(2001, 1001); });
    host.WaitFrames(2);
    Step([&] {
        EXPECT_EQ(std::vector<int>({InterfaceScale(), ScreenWidth(), ScreenHeight()}), std::vector<int>({2, 1000, 500}));
        const auto frame = host.Capture();
        EXPECT_EQ(ReadPixel(*frame, 2000, 400) & 0xFFFFFF, 0u);
        EXPECT_EQ(ReadPixel(*frame, 600, 1000) & 0xFFFFFF, 0u);
        host.Click((320 + 16 * 9) * 2 + 1, 16 * 9 * 2 + 1);
    });
    Step([&] {
        EXPECT_EQ(Cell(9, 9), 45);
        // F9: neither the setting's next factor nor 4 fits, so automatic,
        // which the headless display leaves at 1.
        host.PressKey(VK_F1 + 8);
    });
    host.WaitFrames(2);
    Step([&] {
        EXPECT_EQ(InterfaceScaleSetting(), kAutomaticScale);
        EXPECT_EQ(std::vector<int>({ScreenWidth(), ScreenHeight()}), std::vector<int>({2001, 1001}));
        EXPECT_EQ(viewer.statusNotice, "Interface scale 1x (automatic)");
        EXPECT_TRUE(ShowsText(host, *host.Capture(), "Interface scale 1x (automatic)", 320, 1001 - 16, Rgb(255, 255, 255)));
        host.Advance(2000);
    });
    host.WaitFrames(2);
    Step([&] {
        EXPECT_EQ(viewer.statusNotice, "");
        host.RequestClose();
    });
    host.ExpectProceed(0);   // without saving the last click
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    const std::string settings = ReadFileText(work.File("tarn.ini"));
    EXPECT_NE(settings.find("SCALE       = AUTO\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("WIDTH       = 2001\r\n"), std::string::npos) << settings;
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaledInterface, testing::Values(2, 3));

}  // namespace
