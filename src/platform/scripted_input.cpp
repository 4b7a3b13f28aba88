#include "platform/scripted_input.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/graphics.h"
#include "platform/key_codes.h"
#include "platform/sdl_window.h"

namespace {

void Push(SDL_Event& event) {
    if (GraphicsWindowId() != 0) SDL_PushEvent(&event);
}

}  // namespace

void UseHeadlessDisplay() {
    CloseGraphicsWindow();
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "dummy") != 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
}

void PushKeyEvent(int key, bool down, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = GraphicsWindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = ScancodeFromVirtualKey(key);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
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

void PushWindowEvent(TWindowSignal signal) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = GraphicsWindowId();
    event.window.event = signal == TWindowSignal::Close         ? SDL_WINDOWEVENT_CLOSE
                         : signal == TWindowSignal::FocusLost ? SDL_WINDOWEVENT_FOCUS_LOST
                                                               : SDL_WINDOWEVENT_FOCUS_GAINED;
    Push(event);
}
