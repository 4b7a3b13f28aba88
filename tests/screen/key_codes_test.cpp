#include <gtest/gtest.h>

#include <set>

#include "screen/input.h"
#include "screen/key_codes.h"

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

TEST(KeyCodes, LettersFollowTheLayoutAndOtherAlphabetsKeepTheirPlace) {
    // German: Y and Z change places.
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_Y, 'z'), 'Z');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_Z, 'y'), 'Y');
    // French: A on the US Q, M on the US ";" key, and the US M types ",".
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_Q, 'a'), 'A');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_SEMICOLON, 'm'), 'M');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_M, ','), VK_OEM_COMMA);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_S, 'S'), 'S');
    // Cyrillic, accented letters and dead keys: the code of the place.
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_Z, 0x44F), 'Z');                     // ya
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_APOSTROPHE, 0xF9), VK_OEM_7);       // u grave
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_LEFTBRACKET, SDLK_SCANCODE_MASK), VK_OEM_4);   // dead key
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_A, SDLK_UNKNOWN), 'A');
}

TEST(KeyCodes, PunctuationIsNamedByTheCharacterItTypes) {
    // "+" and "=" are one key on a US keyboard, and so one code anywhere.
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_RIGHTBRACKET, '+'), VK_OEM_PLUS);   // German
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_EQUALS, '='), VK_OEM_PLUS);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_SLASH, '-'), VK_OEM_MINUS);         // German
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_MINUS, '_'), VK_OEM_MINUS);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_PERIOD, ':'), VK_OEM_1);            // French
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_COMMA, ';'), VK_OEM_1);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_BACKSLASH, '#'), VK_OEM_5);         // no US key: its place
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_GRAVE, '~'), VK_OEM_3);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_APOSTROPHE, '"'), VK_OEM_7);
    // A letter on a punctuation key and punctuation on a letter key.
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_LEFTBRACKET, 'q'), 'Q');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_Q, '/'), VK_OEM_2);
}

TEST(KeyCodes, DigitRowAndKeysWithoutACharacterStayByPlace) {
    // French types symbols on the digit row; the codes stay the digits.
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_1, '&'), '1');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_6, '-'), '6');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_0, 0xE0), '0');
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_0, '0'), '0');
    // Whatever a layout reports for them, these keep their fixed codes.
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_KP_PLUS, '+'), VK_ADD);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS), VK_SUBTRACT);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_SPACE, ' '), VK_SPACE);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_TAB, 'z'), VK_TAB);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_LCTRL, SDLK_LCTRL), VK_LCONTROL);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_F12, SDLK_F12), VK_F12);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_NONUSBACKSLASH, '<'), 0);   // no US key there
}

TEST(KeyCodes, UnknownKeysHaveNoCode) {
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(VirtualKeyFromScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
    EXPECT_EQ(VirtualKeyFromKey(SDL_SCANCODE_UNKNOWN, 'a'), 0);
    EXPECT_EQ(ScancodeFromVirtualKey(0), SDL_SCANCODE_UNKNOWN);
    EXPECT_EQ(ScancodeFromVirtualKey(255), SDL_SCANCODE_UNKNOWN);
}
