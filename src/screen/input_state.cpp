#include "screen/input_state.h"

#include "screen/input.h"

namespace {

// Code 0 is no key: keys without a code of their own arrive as 0.
bool ValidKey(int key) { return key > 0 && key < TInputState::kKeys; }
bool ValidButton(int button) { return button >= 1 && button < TInputState::kButtons; }

}  // namespace

int TInputState::HeldModifiers() const {
    int held = 0;
    if (keyDown[VK_LSHIFT] || keyDown[VK_RSHIFT]) held |= kModShift;
    if (keyDown[VK_LCONTROL] || keyDown[VK_RCONTROL]) held |= kModCtrl;
    if (keyDown[VK_LMENU] || keyDown[VK_RMENU]) held |= kModAlt;
    return held;
}

void TInputState::KeyDown(int key) {
    if (!ValidKey(key) || keyDown[key]) return;
    keyPressModifiers[key] = HeldModifiers();
    keyDown[key] = true;
    ++keyHits[key];
}

void TInputState::KeyUp(int key) {
    if (ValidKey(key)) keyDown[key] = false;
}

void TInputState::TypeChar(int code) {
    if (chars.size() < kMaxPendingChars) chars.push_back(code);
}

void TInputState::ButtonDown(int button) {
    if (!ValidButton(button) || buttonDown[button]) return;
    buttonPressModifiers[button] = HeldModifiers();
    buttonDown[button] = true;
    ++buttonHits[button];
}

void TInputState::ButtonUp(int button) {
    if (ValidButton(button)) buttonDown[button] = false;
}

void TInputState::PointerMoved(int x, int y) {
    pointerX = x;
    pointerY = y;
}

void TInputState::WheelMoved(int notches) { wheel += notches; }

bool TInputState::IsKeyDown(int key) const { return ValidKey(key) && keyDown[key]; }

int TInputState::TakeKeyPresses(int key) {
    if (!ValidKey(key)) return 0;
    int hits = keyHits[key];
    keyHits[key] = 0;
    return hits;
}

int TInputState::KeyPressModifiers(int key) const { return ValidKey(key) ? keyPressModifiers[key] : 0; }

int TInputState::TakeChar() {
    if (chars.empty()) return 0;
    int code = chars.front();
    chars.pop_front();
    return code;
}

bool TInputState::IsButtonDown(int button) const { return ValidButton(button) && buttonDown[button]; }

int TInputState::TakeButtonHits(int button) {
    if (!ValidButton(button)) return 0;
    int hits = buttonHits[button];
    buttonHits[button] = 0;
    return hits;
}

int TInputState::ButtonPressModifiers(int button) const {
    return ValidButton(button) ? buttonPressModifiers[button] : 0;
}

int TInputState::TakeWheelDelta() {
    int delta = wheel - wheelRead;
    wheelRead = wheel;
    return delta;
}

bool TInputState::AnyButtonDown() const {
    for (bool down : buttonDown)
        if (down) return true;
    return false;
}

void TInputState::ClearKeys() {
    keyDown.fill(false);
    keyHits.fill(0);
    keyPressModifiers.fill(0);
    chars.clear();
}

void TInputState::ClearMouse() {
    buttonDown.fill(false);
    buttonHits.fill(0);
    buttonPressModifiers.fill(0);
    wheel = wheelRead = 0;
}
