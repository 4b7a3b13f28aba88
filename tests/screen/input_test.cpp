#include <gtest/gtest.h>

#include "screen/input.h"
#include "support/test_host.h"

TEST(Keyboard, HeldKeyWithHostAutoRepeatCountsOnce) {
    TTestHost host;
    host.KeyDown('A');
    for (int i = 0; i < 5; ++i) host.KeyAutoRepeat('A');
    EXPECT_EQ(KeyPresses('A'), 1);
    EXPECT_EQ(KeyIsDown('A'), 1);
    host.KeyAutoRepeat('A');
    EXPECT_EQ(KeyPresses('A'), 0);
    host.KeyUp('A');
    EXPECT_EQ(KeyIsDown('A'), 0);
}

TEST(Keyboard, PressesBetweenPollsAddUpAndClearOnRead) {
    TTestHost host;
    host.PressKey(VK_RETURN);
    host.PressKey(VK_RETURN);
    EXPECT_EQ(KeyPresses(VK_RETURN), 2);
    EXPECT_EQ(KeyPresses(VK_RETURN), 0);
    EXPECT_EQ(KeyPresses(-1), 0);
    EXPECT_EQ(KeyPresses(256), 0);
}

TEST(Keyboard, LeftAndRightModifiersAreToldApart) {
    TTestHost host;
    host.KeyDown(VK_RSHIFT);
    host.KeyDown(VK_LCONTROL);
    host.KeyDown(VK_RMENU);
    EXPECT_EQ(KeyIsDown(VK_RSHIFT), 1);
    EXPECT_EQ(KeyIsDown(VK_LSHIFT), 0);
    EXPECT_EQ(KeyIsDown(VK_LCONTROL), 1);
    EXPECT_EQ(KeyIsDown(VK_RCONTROL), 0);
    EXPECT_EQ(KeyIsDown(VK_RMENU), 1);
    EXPECT_EQ(KeyIsDown(VK_LMENU), 0);
}

TEST(Keyboard, AChordIsSeenWhileItsKeyIsCounted) {
    TTestHost host;
    host.PressKeys({VK_LCONTROL, 'Z'});
    EXPECT_EQ(KeyPresses(VK_LCONTROL), 1);
    EXPECT_EQ(KeyPresses('Z'), 1);
    EXPECT_EQ(KeyIsDown(VK_LCONTROL), 0);
}

TEST(Keyboard, EachPressKeepsTheModifiersHeldWhenItWentDown) {
    TTestHost host;
    host.PressKeys({VK_LCONTROL, 'Z'});   // all of it before the poll
    EXPECT_EQ(KeyIsDown(VK_LCONTROL), 0);
    EXPECT_EQ(KeyPressModifiers('Z'), kModCtrl);
    host.KeyDown(VK_RSHIFT);
    host.KeyDown(VK_RMENU);
    host.PressKey('S');
    host.KeyUp(VK_RSHIFT);
    host.KeyUp(VK_RMENU);
    EXPECT_EQ(KeyPressModifiers('S'), kModShift | kModAlt);
    // A modifier that comes after the press is not the press's; a held key
    // keeps its press's modifiers through the host's repeat.
    host.KeyDown('A');
    host.KeyDown(VK_RCONTROL);
    host.KeyAutoRepeat('A');
    EXPECT_EQ(KeyPressModifiers('A'), 0);
    host.KeyDown('Y');
    host.KeyUp(VK_RCONTROL);
    host.KeyAutoRepeat('Y');
    EXPECT_EQ(KeyPressModifiers('Y'), kModCtrl);
    host.ClickHolding({VK_LSHIFT, VK_LCONTROL}, 5, 5, 2);
    EXPECT_EQ(ButtonPressModifiers(2), kModShift | kModCtrl);
    EXPECT_EQ(ButtonPressModifiers(1), 0);
    EXPECT_EQ(ButtonHits(2), 1);
    // Clearing forgets them with the presses.
    ClearKeyInput();
    ClearMouseInput();
    EXPECT_EQ(KeyPressModifiers('Z'), 0);
    EXPECT_EQ(KeyPressModifiers('Y'), 0);
    EXPECT_EQ(ButtonPressModifiers(2), 0);
    EXPECT_EQ(KeyPressModifiers(-1), 0);
    EXPECT_EQ(KeyPressModifiers(256), 0);
    EXPECT_EQ(ButtonPressModifiers(4), 0);
}

TEST(Keyboard, LettersFollowTheLayoutAndAReleaseMatchesItsPress) {
    TTestHost host;
    host.UseLayout(TKeyboardLayout::German);
    host.PressKey('Y');   // the US Y place: the German Z
    host.PressKey(VK_OEM_6);   // the US "]" place: the German "+"
    EXPECT_EQ(KeyPresses('Z'), 1);
    EXPECT_EQ(KeyPresses('Y'), 0);
    EXPECT_EQ(KeyPresses(VK_OEM_PLUS), 1);
    // The layout changes while the key is held: it still lets go of 'Z'.
    host.KeyDown('Y');
    host.UseLayout(TKeyboardLayout::Us);
    host.KeyUp('Y');
    EXPECT_EQ(KeyIsDown('Z'), 0);
    EXPECT_EQ(KeyPresses('Z'), 1);
    host.PressKey('Y');
    EXPECT_EQ(KeyPresses('Y'), 1);
    EXPECT_EQ(KeyPresses('Z'), 0);
}

TEST(Keyboard, KeysWithoutACodeAreNotReported) {
    TTestHost host;
    host.PressKey(255);   // no key has this code, so it arrives as an unknown key
    EXPECT_EQ(KeyPresses(0), 0);
    EXPECT_EQ(KeyPresses(255), 0);
}

TEST(Keyboard, TypedCharactersQueueUpToTheLimit) {
    TTestHost host;
    host.TypeText(std::string(256, 'x') + "y");
    for (int i = 0; i < 256; ++i) ASSERT_EQ(NextChar(), 'x') << i;
    EXPECT_EQ(NextChar(), 0);   // the 257th was dropped
}

TEST(Keyboard, ControlKeysTypeTheirCharactersAlsoWhenRepeated) {
    TTestHost host;
    host.TypeText("a\xC3\xA9");   // "a", e acute
    host.KeyDown(VK_BACK);
    host.KeyAutoRepeat(VK_BACK);
    host.KeyUp(VK_BACK);
    host.PressKey(VK_RETURN);
    host.PressKey(VK_ESCAPE);
    host.PressKey('Q');   // its character comes as text, not from the key
    std::vector<int> typed;
    while (int c = NextChar()) typed.push_back(c);
    EXPECT_EQ(typed, (std::vector<int>{'a', 0xE9, 8, 8, 13, 27}));
    EXPECT_EQ(KeyPresses(VK_BACK), 1);
}

TEST(Keyboard, ClearKeyInputForgetsFlagsCountsAndCharacters) {
    TTestHost host;
    host.KeyDown('S');
    host.TypeText("s");
    ClearKeyInput();
    EXPECT_EQ(KeyIsDown('S'), 0);
    EXPECT_EQ(KeyPresses('S'), 0);
    EXPECT_EQ(NextChar(), 0);
    // A held key's auto-repeat after the clear is still no press.
    host.KeyAutoRepeat('S');
    EXPECT_EQ(KeyPresses('S'), 0);
}

TEST(Keyboard, KeyRepeatActsAtThePressThenAfterTheDelayEveryFrame) {
    TTestHost host;
    host.KeyDown(VK_DOWN);
    std::vector<int> trueAt;
    // One poll per 16 ms frame for a held second, the host repeating on its own.
    for (int t = 0; t <= 1000; t += 16) {
        if (t > 0 && t % 48 == 0) host.KeyAutoRepeat(VK_DOWN);
        if (KeyRepeat(VK_DOWN, 400)) trueAt.push_back(t);
        host.Advance(16);
    }
    ASSERT_FALSE(trueAt.empty());
    EXPECT_EQ(trueAt[0], 0);
    EXPECT_EQ(trueAt[1], 400);
    EXPECT_EQ(trueAt.size(), size_t(1 + (1000 - 400) / 16 + 1));
    host.KeyUp(VK_DOWN);
    EXPECT_FALSE(KeyRepeat(VK_DOWN, 400));
    EXPECT_FALSE(KeyRepeat(300, 400));
}

TEST(Mouse, ButtonsAreCountedLikeKeysAndNumberedLeftRightMiddle) {
    TTestHost host;
    host.Click(10, 20, 1);
    host.Click(10, 20, 1);
    host.MoveMouse(30, 40);
    host.ButtonDown(2);
    host.ButtonDown(2);   // a second down without an up is no press
    host.Click(30, 40, 3);
    EXPECT_EQ(ButtonHits(1), 2);
    EXPECT_EQ(ButtonHits(1), 0);
    EXPECT_EQ(ButtonHits(2), 1);
    EXPECT_EQ(ButtonDown(2), 1);
    EXPECT_EQ(ButtonHits(3), 1);
    EXPECT_EQ(ButtonDown(3), 0);
    EXPECT_EQ(PointerX(), 30);
    EXPECT_EQ(PointerY(), 40);
    host.ButtonUp(2);
    EXPECT_EQ(ButtonDown(2), 0);
    EXPECT_EQ(ButtonHits(0), 0);
    EXPECT_EQ(ButtonHits(4), 0);
}

TEST(Mouse, PointerPositionsOutsideTheWindowArePassedOn) {
    TTestHost host(200, 100);
    host.MoveMouse(-15, 130);
    EXPECT_EQ(PointerX(), -15);
    EXPECT_EQ(PointerY(), 130);
}

TEST(Mouse, WheelNotchesAddUpUntilRead) {
    TTestHost host;
    host.Wheel(2);
    host.Wheel(-5);
    EXPECT_EQ(WheelDelta(), -3);
    EXPECT_EQ(WheelDelta(), 0);
    host.Wheel(1);
    ClearMouseInput();
    EXPECT_EQ(WheelDelta(), 0);
}

TEST(Application, InputWhileDeactivatedIsNotReported) {
    TTestHost host;
    host.KeyDown(VK_LSHIFT);
    host.Deactivate();
    host.Click(5, 5);
    host.PressKey('Z');
    host.TypeText("z");
    host.Wheel(3);
    EXPECT_EQ(AppIsSuspended(), 1);
    EXPECT_EQ(KeyIsDown(VK_LSHIFT), 0);   // cleared on deactivation
    EXPECT_EQ(ButtonHits(1), 0);
    host.Activate();
    EXPECT_EQ(AppIsSuspended(), 0);
    EXPECT_EQ(ButtonHits(1), 0);
    EXPECT_EQ(KeyPresses('Z'), 0);
    EXPECT_EQ(NextChar(), 0);
    EXPECT_EQ(WheelDelta(), 0);
}

TEST(Application, ActivationClearsWhatCameBeforeIt) {
    TTestHost host;
    host.Click(5, 5);
    host.Deactivate();
    host.Activate();
    EXPECT_EQ(ButtonHits(1), 0);
}

TEST(Application, CloseRequestIsReportedOnce) {
    TTestHost host;
    EXPECT_EQ(CloseRequested(), 0);
    host.RequestClose();
    EXPECT_EQ(CloseRequested(), 1);
    EXPECT_EQ(CloseRequested(), 0);
}

TEST(Application, EventsOfAnEarlierWindowAreIgnored) {
    {
        TTestHost first;
        first.PressKey('A');
    }
    TTestHost second;
    EXPECT_EQ(KeyPresses('A'), 0);
}
