// The scripted host drives program loops; these tests use it the way the
// editor's end-to-end tests will.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/requesters.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "system/clock.h"

namespace {

// A small polling loop of the editor's shape: redraw when asked, otherwise
// sleep; read input once per pass.
int CountEscapesUntilClosed() {
    int escapes = 0;
    bool redraw = true;
    while (true) {
        if (redraw) {
            Cls();
            DrawRect(0, 0, 8, 8);
            Flip(-1);
            redraw = false;
        } else {
            SleepMs(16);
        }
        if (KeyPresses(VK_ESCAPE)) {
            ++escapes;
            redraw = true;
        }
        if (CloseRequested()) {
            if (Confirm("Really quit?", 0)) ExitProgram();
        }
    }
    return escapes;
}

}  // namespace

TEST(TestHost, ScriptDrivesALoopUntilItExits) {
    TTestHost host;
    host.Then([&] { host.PressKey(VK_ESCAPE); });
    host.WaitFrames(1);   // the redraw the key asked for
    host.Then([&] { host.RequestClose(); });
    host.ExpectConfirm(0);
    host.WaitMs(100);
    host.Then([&] { host.RequestClose(); });
    host.ExpectConfirm(1);
    auto result = host.Run(CountEscapesUntilClosed);
    EXPECT_EQ(result.end, TRunEnd::Exited);
    EXPECT_EQ(result.stepsLeft, 0u);
    ASSERT_EQ(host.Requesters().size(), 2u);
    EXPECT_EQ(host.Requesters()[0].kind, "Confirm");
    EXPECT_EQ(host.Requesters()[1].text, "Really quit?");
    EXPECT_EQ(host.Frames(), 2);
    EXPECT_EQ(host.PixelAt(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(host.PixelAt(8, 8), 0xFF000000u);
}

TEST(TestHost, RunEndsWhenTheScriptIsDoneOrTheBodyReturns) {
    TTestHost host;
    host.WaitUntil([&] { return host.Now() >= 160; });
    auto result = host.Run(CountEscapesUntilClosed);
    EXPECT_EQ(result.end, TRunEnd::ScriptDone);
    EXPECT_GE(host.Now(), 160u);
    EXPECT_EQ(host.Run([] {}).end, TRunEnd::Returned);
}

TEST(TestHost, AProgramThatNeverFinishesFailsTheTest) {
    TTestHost host;
    host.WaitUntil([] { return false; });
    EXPECT_NONFATAL_FAILURE(host.Run(CountEscapesUntilClosed, 50), "still running after 50 idles");
}

TEST(TestHost, UnexpectedRequestersFailAndAreCancelled) {
    TTestHost host;
    int answer = 5;
    EXPECT_NONFATAL_FAILURE(answer = Proceed("Save changes?", 1), "unexpected Proceed");
    EXPECT_EQ(answer, -1);
    host.ExpectRequestDir("/games/jill/");
    std::string file = "x";
    EXPECT_NONFATAL_FAILURE(file = RequestFile("Open", "All Files:*", 0, ""), "the next answer is for RequestDir");
    EXPECT_EQ(file, "");
    EXPECT_EQ(RequestDir("Pick", "/start"), "/games/jill/");
    ASSERT_EQ(host.Requesters().size(), 3u);
    EXPECT_EQ(host.Requesters()[0].serious, 1);
    EXPECT_EQ(host.Requesters()[1].filter, "All Files:*");
    EXPECT_EQ(host.Requesters()[2].initialPath, "/start");
}

TEST(TestHost, UnusedAnswersFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            TTestHost host;
            host.ExpectNotify();
        },
        "scripted Notify never shown");
}

TEST(TestHost, TheVirtualClockGivesFixedDateAndTime) {
    TTestHost host;
    EXPECT_EQ(CurrentDateText(), "01 Jan 2000");
    EXPECT_EQ(CurrentTimeText(), "12:00:00");
}

TEST(TestHost, SavedCaptureIsAPortablePixmap) {
    TTempDir dir;
    TTestHost host(3, 2);
    SetColor(10, 20, 30);
    DrawRect(2, 1, 1, 1);
    ASSERT_TRUE(host.SaveCapture(dir.File("frame.ppm")));
    std::ifstream in(dir.File("frame.ppm"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::string header = "P6\n3 2\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 18);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.substr(header.size() + 15), "\x0A\x14\x1E");
    EXPECT_EQ(bytes.substr(header.size(), 3), std::string(3, '\0'));
}

TEST(TestHost, WhatTheProgramInstalledEndsWithTheHost) {
    int before = DefaultImageFlags();
    int calls = 0;
    {
        TTestHost host;
        // As start-up does: its hook may refer to objects of the test.
        AddFlipHook([&calls] { ++calls; });
        SetDefaultImageFlags(before ^ IMAGE_FILTERED);
        Flip(0);
    }
    TTestHost next;
    Flip(0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(DefaultImageFlags(), before);
}
