#include <gtest/gtest.h>

#include "screen/frame_pacer.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "support/test_host.h"
#include "system/clock.h"

TEST(FramePacer, SixtyFramesTakeExactlyOneSecond) {
    TFramePacer pacer;
    uint32_t now = 5000;
    pacer.Start(now, 60);
    std::vector<int> waits;
    for (int i = 0; i < 60; ++i) {
        int wait = pacer.NextFrameWait(now);
        waits.push_back(wait);
        now += static_cast<uint32_t>(wait);
    }
    EXPECT_EQ(now, 6000u);
    EXPECT_EQ(waits[0], 16);
    EXPECT_EQ(waits[1], 17);   // the accumulator passes 60 on the second frame
    EXPECT_EQ(std::count(waits.begin(), waits.end(), 17), 40);
}

TEST(FramePacer, ALateFrameMovesTheDeadlineInsteadOfRushingLaterOnes) {
    TFramePacer pacer;
    pacer.Start(0, 60);
    EXPECT_EQ(pacer.NextFrameWait(100), 0);
    EXPECT_EQ(pacer.NextFrameWait(100), 17);
}

TEST(FramePacer, WorksAcrossTheClockWrapping) {
    TFramePacer pacer;
    pacer.Start(0xFFFFFFF0u, 60);
    EXPECT_EQ(pacer.NextFrameWait(0xFFFFFFF0u), 16);
    EXPECT_EQ(pacer.NextFrameWait(0), 17);
}

TEST(Window, FlipPacesSixtyFramesToOneSecondOfTheClock) {
    TTestHost host;
    uint32_t start = host.Now();
    for (int i = 0; i < 60; ++i) Flip(-1);
    EXPECT_EQ(host.Now() - start, 1000u);
    EXPECT_EQ(host.Frames(), 60);
}

TEST(Window, TimeSpentDrawingCountsTowardsTheFrame) {
    TTestHost host;
    host.Advance(10);
    Flip(-1);
    EXPECT_EQ(host.Now(), 16u);
    host.Advance(40);   // a slow frame: shown at once, the next one paced from there
    Flip(-1);
    EXPECT_EQ(host.Now(), 56u);
    Flip(-1);
    EXPECT_EQ(host.Now(), 56u + 17u);   // the third frame carries the accumulated millisecond
    Flip(0);                            // unpaced
    EXPECT_EQ(host.Now(), 73u);
}

TEST(Window, FlipHooksRunInOrderBeforeEachFrameUntilRemoved) {
    TTestHost host;
    std::vector<int> calls;
    int first = AddFlipHook([&] { calls.push_back(1); });
    int second = AddFlipHook([&] { calls.push_back(2); });
    Flip(0);
    RemoveFlipHook(first);
    Flip(0);
    RemoveFlipHook(second);
    Flip(0);
    EXPECT_EQ(calls, (std::vector<int>{1, 2, 2}));
}

TEST(Window, SizeOfTheOpenWindowAndZeroWithoutOne) {
    {
        TTestHost host(640, 400);
        EXPECT_EQ(ScreenWidth(), 640);
        EXPECT_EQ(ScreenHeight(), 400);
        auto frame = CaptureFrame();
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->width, 640);
        EXPECT_EQ(frame->height, 400);
    }
    EXPECT_EQ(ScreenWidth(), 0);
    EXPECT_EQ(ScreenHeight(), 0);
    EXPECT_FALSE(CaptureFrame());
}

TEST(Window, AnAbsurdSizeLeavesNoWindowAndNoCrash) {
    TTestHost host(100, 100);
    for (auto [w, h] : {std::pair{0, 100}, {100, -1}, {100000, 100}, {100, 1 << 30}}) {
        EXPECT_FALSE(OpenGraphicsWindow(w, h, 0, 60, 0));
        EXPECT_EQ(ScreenWidth(), 0);
        EXPECT_EQ(ScreenHeight(), 0);
        DrawRect(0, 0, 10, 10);
        DrawString("no window", 0, 0);
        Cls();
        Flip(-1);
    }
}

TEST(Application, ExitProgramGoesThroughTheInstalledHandler) {
    int status = -1;
    SetExitHandler([&](int given) {
        status = given;
        throw 7;
    });
    EXPECT_THROW(ExitProgram(), int);
    EXPECT_EQ(status, 0);
    EXPECT_THROW(ExitProgram(3), int);
    EXPECT_EQ(status, 3);
    SetExitHandler(nullptr);
}

TEST(Application, ExitRoutinesRunInReverseOrderAtExit) {
    // SDL may have started threads in this process: the child starts afresh.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            AtProgramExit([] { fputs("first\n", stderr); });
            AtProgramExit([] { fputs("second ", stderr); });
            ExitProgram();
        },
        testing::ExitedWithCode(0), "second first");
}

TEST(Clock, SleepIgnoresNegativeTimes) {
    TTestHost host;
    SleepMs(-5);
    SleepMs(0);
    EXPECT_EQ(host.Now(), 0u);
    SleepMs(30);
    EXPECT_EQ(TickCount(), 30);
}
