#include "screen/key_codes.h"

#include <array>

#include "screen/input.h"

namespace {

struct TKeyPair {
    SDL_Scancode scancode;
    int key;
};

// The codes of the key positions on a US keyboard. Letters and digits follow
// below it; the numeric keypad's Enter reads as Enter, as it does on Windows.
constexpr TKeyPair kKeys[] = {
    {SDL_SCANCODE_BACKSPACE, VK_BACK},       {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_RETURN, VK_RETURN},        {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},          {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},        {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},         {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_END, VK_END},              {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_LEFT, VK_LEFT},            {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},          {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT}, {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_DELETE, VK_DELETE},        {SDL_SCANCODE_LGUI, VK_LWIN},
    {SDL_SCANCODE_RGUI, VK_RWIN},            {SDL_SCANCODE_APPLICATION, VK_APPS},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0},         {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2},     {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4},     {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6},     {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8},     {SDL_SCANCODE_KP_9, VK_NUMPAD9},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY}, {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},     {SDL_SCANCODE_F1, VK_F1},
    {SDL_SCANCODE_F2, VK_F1 + 1},            {SDL_SCANCODE_F3, VK_F1 + 2},
    {SDL_SCANCODE_F4, VK_F1 + 3},            {SDL_SCANCODE_F5, VK_F1 + 4},
    {SDL_SCANCODE_F6, VK_F1 + 5},            {SDL_SCANCODE_F7, VK_F1 + 6},
    {SDL_SCANCODE_F8, VK_F1 + 7},            {SDL_SCANCODE_F9, VK_F1 + 8},
    {SDL_SCANCODE_F10, VK_F1 + 9},           {SDL_SCANCODE_F11, VK_F1 + 10},
    {SDL_SCANCODE_F12, VK_F12},              {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL},    {SDL_SCANCODE_LSHIFT, VK_LSHIFT},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT},        {SDL_SCANCODE_LCTRL, VK_LCONTROL},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL},       {SDL_SCANCODE_LALT, VK_LMENU},
    {SDL_SCANCODE_RALT, VK_RMENU},           {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},      {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},      {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},          {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},   {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
};

using TScancodeTable = std::array<int, SDL_NUM_SCANCODES>;

TScancodeTable BuildTable() {
    TScancodeTable table{};
    for (const auto& pair : kKeys) table[pair.scancode] = pair.key;
    for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = 'A' + i;
    // SDL counts the digit row 1..9, 0; the key codes count 0..9.
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = '1' + i;
    table[SDL_SCANCODE_0] = '0';
    return table;
}

const TScancodeTable& Table() {
    static const TScancodeTable table = BuildTable();
    return table;
}

// The character of a US punctuation key, shifted or not, and its code.
struct TCharacterKey {
    SDL_Keycode character;
    int key;
};

constexpr TCharacterKey kPunctuation[] = {
    {';', VK_OEM_1},      {':', VK_OEM_1},     {'=', VK_OEM_PLUS},   {'+', VK_OEM_PLUS},
    {',', VK_OEM_COMMA},  {'<', VK_OEM_COMMA}, {'-', VK_OEM_MINUS},  {'_', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD}, {'>', VK_OEM_PERIOD}, {'/', VK_OEM_2},     {'?', VK_OEM_2},
    {'`', VK_OEM_3},      {'~', VK_OEM_3},     {'[', VK_OEM_4},      {'{', VK_OEM_4},
    {'\\', VK_OEM_5},    {'|', VK_OEM_5},     {']', VK_OEM_6},      {'}', VK_OEM_6},
    {'\'', VK_OEM_7},     {'"', VK_OEM_7},
};

int PunctuationKey(SDL_Keycode character) {
    for (const auto& pair : kPunctuation)
        if (pair.character == character) return pair.key;
    return 0;
}

// The positions whose code follows the character the layout puts there:
// the letters and the punctuation keys of a US keyboard.
bool FollowsLayout(int keyByPosition) {
    return (keyByPosition >= 'A' && keyByPosition <= 'Z') ||
           (keyByPosition >= VK_OEM_1 && keyByPosition <= VK_OEM_3) ||
           (keyByPosition >= VK_OEM_4 && keyByPosition <= VK_OEM_7);
}

}  // namespace

int VirtualKeyFromKey(SDL_Scancode scancode, SDL_Keycode keycode) {
    const int byPosition = VirtualKeyFromScancode(scancode);
    if (!FollowsLayout(byPosition)) return byPosition;
    if (keycode >= 'a' && keycode <= 'z') return 'A' + (keycode - 'a');
    if (keycode >= 'A' && keycode <= 'Z') return keycode;
    if (int punctuation = PunctuationKey(keycode)) return punctuation;
    return byPosition;
}

int VirtualKeyFromScancode(SDL_Scancode scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return Table()[scancode];
}

SDL_Scancode ScancodeFromVirtualKey(int key) {
    if (key <= 0) return SDL_SCANCODE_UNKNOWN;
    const auto& table = Table();
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i)
        if (table[i] == key) return static_cast<SDL_Scancode>(i);
    return SDL_SCANCODE_UNKNOWN;
}
