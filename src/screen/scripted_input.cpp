#include "screen/scripted_input.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "screen/graphics.h"
#include "screen/key_codes.h"
#include "screen/sdl_window.h"

namespace {

void Push(SDL_Event& event) {
    if (GraphicsWindowId() != 0) SDL_PushEvent(&event);
}

struct TLayoutKey {
    SDL_Scancode scancode;
    SDL_Keycode character;
};

// SDL reports a dead key, which has no character of its own, so on X11.
constexpr SDL_Keycode kDeadKey = SDLK_SCANCODE_MASK;

// Where a layout differs from the US one, as SDL reports it on X11; the French
// digit row is given as the window system has it (SDL itself reports digits).
constexpr TLayoutKey kGerman[] = {
    {SDL_SCANCODE_Y, 'z'},          {SDL_SCANCODE_Z, 'y'},
    {SDL_SCANCODE_MINUS, 0xDF},     {SDL_SCANCODE_EQUALS, kDeadKey},   // sharp s, acute
    {SDL_SCANCODE_LEFTBRACKET, 0xFC}, {SDL_SCANCODE_RIGHTBRACKET, '+'},
    {SDL_SCANCODE_SEMICOLON, 0xF6}, {SDL_SCANCODE_APOSTROPHE, 0xE4},
    {SDL_SCANCODE_GRAVE, kDeadKey}, {SDL_SCANCODE_BACKSLASH, '#'},     // circumflex
    {SDL_SCANCODE_SLASH, '-'},
};

constexpr TLayoutKey kFrench[] = {
    {SDL_SCANCODE_A, 'q'},          {SDL_SCANCODE_Q, 'a'},
    {SDL_SCANCODE_Z, 'w'},          {SDL_SCANCODE_W, 'z'},
    {SDL_SCANCODE_SEMICOLON, 'm'},  {SDL_SCANCODE_M, ','},
    {SDL_SCANCODE_COMMA, ';'},      {SDL_SCANCODE_PERIOD, ':'},
    {SDL_SCANCODE_SLASH, '!'},      {SDL_SCANCODE_MINUS, ')'},
    {SDL_SCANCODE_LEFTBRACKET, kDeadKey}, {SDL_SCANCODE_RIGHTBRACKET, '$'},   // circumflex
    {SDL_SCANCODE_APOSTROPHE, 0xF9}, {SDL_SCANCODE_BACKSLASH, '*'},
    {SDL_SCANCODE_GRAVE, 0xB2},
    // The digit row types symbols; the digits come with Shift.
    {SDL_SCANCODE_1, '&'}, {SDL_SCANCODE_2, 0xE9}, {SDL_SCANCODE_3, '"'}, {SDL_SCANCODE_4, '\''},
    {SDL_SCANCODE_5, '('}, {SDL_SCANCODE_6, '-'}, {SDL_SCANCODE_7, 0xE8}, {SDL_SCANCODE_8, '_'},
    {SDL_SCANCODE_9, 0xE7}, {SDL_SCANCODE_0, 0xE0},
};

SDL_Keycode CharacterIn(TKeyboardLayout layout, SDL_Scancode scancode) {
    auto find = [scancode](const auto& table) -> SDL_Keycode {
        for (const TLayoutKey& key : table)
            if (key.scancode == scancode) return key.character;
        return 0;
    };
    SDL_Keycode differs = layout == TKeyboardLayout::German   ? find(kGerman)
                          : layout == TKeyboardLayout::French ? find(kFrench)
                                                              : 0;
    // SDL's own key map is the US one where no window system changed it.
    return differs != 0 ? differs : SDL_GetKeyFromScancode(scancode);
}

}  // namespace

void UseHeadlessDisplay() {
    CloseGraphicsWindow();
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "dummy") != 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
}

int KeyTypingIn(TKeyboardLayout layout, char c) {
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        const auto scancode = static_cast<SDL_Scancode>(i);
        if (CharacterIn(layout, scancode) == static_cast<unsigned char>(c)) return VirtualKeyFromScancode(scancode);
    }
    return 0;
}

void PushKeyEvent(int key, bool down, bool repeat, TKeyboardLayout layout) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = GraphicsWindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = ScancodeFromVirtualKey(key);
    event.key.keysym.sym = CharacterIn(layout, event.key.keysym.scancode);
    Push(event);
}

void PushTextEvent(const std::string& utf8) {
    // One event holds a little less than 32 bytes; longer text goes in
    // several, cut between characters as SDL itself would cut it.
    constexpr size_t kRoom = sizeof(SDL_TextInputEvent{}.text) - 1;
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = std::min(utf8.size(), start + kRoom);
        while (end < utf8.size() && end > start + 1 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = GraphicsWindowId();
        std::memcpy(event.text.text, utf8.data() + start, end - start);
        Push(event);
        start = end;
    }
}

void PushPointerMoveEvent(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = GraphicsWindowId();
    event.motion.x = x;
    event.motion.y = y;
    Push(event);
}

void PushButtonEvent(int button, bool down, int x, int y) {
    static constexpr Uint8 kSdlButton[] = {0, SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
    if (button < 1 || button > 3) return;
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = GraphicsWindowId();
    event.button.button = kSdlButton[button];
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    Push(event);
}

void PushWheelEvent(int notches) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = GraphicsWindowId();
    event.wheel.y = notches;
    event.wheel.preciseY = static_cast<float>(notches);
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(event);
}

void ResizeWindowAsTheUser(int width, int height) {
    if (SDL_Window* window = GraphicsWindow()) SDL_SetWindowSize(window, width, height);
}

void PushWindowEvent(TWindowSignal signal) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = GraphicsWindowId();
    event.window.event = signal == TWindowSignal::Close         ? SDL_WINDOWEVENT_CLOSE
                         : signal == TWindowSignal::FocusLost ? SDL_WINDOWEVENT_FOCUS_LOST
                                                               : SDL_WINDOWEVENT_FOCUS_GAINED;
    Push(event);
}
