// The window's events turned into the polled input state, and the polling
// operations that read it. Scripted test input arrives here as ordinary SDL
// events, so it takes exactly the road that a person's input takes.

#include <SDL.h>

#include <array>

#include "screen/graphics.h"
#include "screen/input.h"
#include "screen/input_state.h"
#include "screen/key_codes.h"
#include "screen/sdl_window.h"
#include "system/clock.h"
#include "system/utf8.h"

namespace {

struct TEventState {
    TInputState input;
    std::array<int, SDL_NUM_SCANCODES> heldKeyCode{};   // by scancode, see KeyCode
    bool closeRequested = false;
    bool suspended = false;
    uint64_t lastPumpMs = ~uint64_t(0);
};

TEventState& Events() {
    static TEventState state;
    return state;
}

// SDL numbers the middle button 2 and the right one 3; the program the other way round.
int ButtonFromSdl(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
    }
}

// The control characters a key types on its own, as the typed-character
// queue reports them; SDL's text events carry only printable text.
int ControlCharOfKey(int key) {
    switch (key) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}

void SuspendOrResume(bool suspended) {
    auto& state = Events();
    state.suspended = suspended;
    state.heldKeyCode.fill(0);
    state.input.ClearKeys();
    state.input.ClearMouse();
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: Events().closeRequested = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: SuspendOrResume(true); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: SuspendOrResume(false); break;
    default: break;
    }
}

// Window pixels to the canvas's: rounded down, also left of and above the
// window, where a captured drag goes.
int CanvasCoordinate(int windowPixel) {
    const int scale = InterfaceScale();
    return windowPixel >= 0 ? windowPixel / scale : -((-windowPixel + scale - 1) / scale);
}

bool OurWindow(Uint32 windowId) { return windowId != 0 && windowId == GraphicsWindowId(); }

// The code a key goes down with is kept until it comes up again, so that its
// release lets go of the same code even when the layout changed in between.
int KeyCode(const SDL_Keysym& keysym, bool down) {
    const size_t scancode = size_t(keysym.scancode);
    if (scancode >= SDL_NUM_SCANCODES) return 0;
    int& held = Events().heldKeyCode[scancode];
    const int key = held != 0 ? held : VirtualKeyFromKey(keysym.scancode, keysym.sym);
    held = down ? key : 0;
    return key;
}

void HandleEvent(const SDL_Event& event) {
    auto& state = Events();
    auto& input = state.input;
    // Presses made while the window is deactivated are not the editor's;
    // releases still count, so that no key stays down for ever.
    bool active = !state.suspended;
    switch (event.type) {
    case SDL_QUIT: state.closeRequested = true; break;
    case SDL_WINDOWEVENT:
        if (OurWindow(event.window.windowID)) HandleWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
        if (OurWindow(event.key.windowID) && active) {
            int key = KeyCode(event.key.keysym, true);
            // Auto-repeat types control characters again, but never presses a key again.
            if (!event.key.repeat) input.KeyDown(key);
            if (int c = ControlCharOfKey(key)) input.TypeChar(c);
        }
        break;
    case SDL_KEYUP:
        if (OurWindow(event.key.windowID)) input.KeyUp(KeyCode(event.key.keysym, false));
        break;
    case SDL_TEXTINPUT:
        if (OurWindow(event.text.windowID) && active)
            for (int code : CodePoints(event.text.text)) input.TypeChar(code);
        break;
    case SDL_MOUSEMOTION:
        if (OurWindow(event.motion.windowID))
            input.PointerMoved(CanvasCoordinate(event.motion.x), CanvasCoordinate(event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (OurWindow(event.button.windowID) && active) {
            input.ButtonDown(ButtonFromSdl(event.button.button));
            // Keeps drags going when the pointer leaves the window.
            SDL_CaptureMouse(SDL_TRUE);
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (OurWindow(event.button.windowID)) {
            input.ButtonUp(ButtonFromSdl(event.button.button));
            if (!input.AnyButtonDown()) SDL_CaptureMouse(SDL_FALSE);
        }
        break;
    case SDL_MOUSEWHEEL:
        if (OurWindow(event.wheel.windowID) && active) {
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            input.WheelMoved(notches);
        }
        break;
    default: break;
    }
}

TInputState& PolledInput() {
    PollEvents();
    return Events().input;
}

}  // namespace

void ResetInputState() { Events() = TEventState{}; }

void PollEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    // Asking the window system for news costs system calls, and a pass of the
    // editor asks for input dozens of times (every key of its table): at rest
    // that was most of its processor time. So the window system is asked at
    // most once a millisecond; in between, what is already queued is taken,
    // which includes every event pushed by the program itself.
    auto& state = Events();
    const uint64_t now = SDL_GetTicks64();
    if (now != state.lastPumpMs) {
        SDL_PumpEvents();
        state.lastPumpMs = now;
    }
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) HandleEvent(event);
}

int PointerX() { return PolledInput().PointerX(); }
int PointerY() { return PolledInput().PointerY(); }
int ButtonDown(int button) { return PolledInput().IsButtonDown(button) ? 1 : 0; }
int ButtonHits(int button) { return PolledInput().TakeButtonHits(button); }
int ButtonPressModifiers(int button) { return PolledInput().ButtonPressModifiers(button); }
int WheelDelta() { return PolledInput().TakeWheelDelta(); }
void ClearMouseInput() { PolledInput().ClearMouse(); }

void SetMouseVisible(int visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

int KeyIsDown(int key) { return PolledInput().IsKeyDown(key) ? 1 : 0; }
int KeyPresses(int key) { return PolledInput().TakeKeyPresses(key); }
int KeyPressModifiers(int key) { return PolledInput().KeyPressModifiers(key); }
int NextChar() { return PolledInput().TakeChar(); }
void ClearKeyInput() { PolledInput().ClearKeys(); }

bool KeyRepeat(int key, int delayMs) {
    static std::array<uint32_t, TInputState::kKeys> pressTime{};
    if (key < 0 || key >= TInputState::kKeys) return false;
    if (KeyPresses(key) != 0) {
        pressTime[key] = static_cast<uint32_t>(TickCount());
        return true;
    }
    if (!KeyIsDown(key)) return false;
    return static_cast<int64_t>(static_cast<uint32_t>(TickCount()) - pressTime[key]) >= delayMs;
}

int CloseRequested() {
    PollEvents();
    auto& state = Events();
    int requested = state.closeRequested ? 1 : 0;
    state.closeRequested = false;
    return requested;
}

int AppIsSuspended() {
    PollEvents();
    return Events().suspended ? 1 : 0;
}
