#include <gtest/gtest.h>

#include <set>

#include "platform/input.h"
#include "platform/key_codes.h"

TEST(KeyCodes, EveryKeyTheEditorPollsHasItsOwnScancode) {
    const int keys[] = {VK_TAB,      VK_RETURN,  VK_ESCAPE,   VK_PRIOR,    VK_NEXT,    VK_END,    VK_HOME,
                        VK_LEFT,     VK_UP,      VK_RIGHT,    VK_DOWN,     VK_DELETE,  '0',       '1',
                        '2',         '3',        'A',         'C',         'D',        'E',       'F',
                        'L',         'M',        'S',         'Y',         'Z',        VK_NUMPAD0, VK_ADD,
                        VK_SUBTRACT, VK_F12,     VK_LSHIFT,   VK_RSHIFT,   VK_LCONTROL, VK_RCONTROL, VK_LMENU,
                        VK_RMENU,    VK_OEM_PLUS, VK_OEM_MINUS};
    std::set<int> scancodes;
    for (int key : keys) {
        SDL_Scancode scancode = ScancodeFromVirtualKey(key);
        ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << key;
        EXPECT_EQ(VirtualKeyFromScancode(scancode), key);
        scancodes.insert(scancode);
    }
    EXPECT_EQ(scancodes.size(), std::size(keys));
}

TEST(KeyCodes, DigitRowAndKeypadAreNumberedFromZero) {
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_0), '0');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_1), '1');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_9), '9');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_0), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_9), VK_NUMPAD9);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_ENTER), VK_RETURN);
}

TEST(KeyCodes, UnknownKeysHaveNoCode) {
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(VirtualKeyFromScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
    EXPECT_EQ(ScancodeFromVirtualKey(0), SDL_SCANCODE_UNKNOWN);
    EXPECT_EQ(ScancodeFromVirtualKey(255), SDL_SCANCODE_UNKNOWN);
}
